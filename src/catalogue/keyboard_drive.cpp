#include "catalogue/keyboard_drive.h"

#include "catalogue/bank_collection.h"
#include "core/errors.h"
#include "core/job_progress.h"
#include "core/read_back.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"
#include "stylefiles/keyboard_layout.h"

namespace orb {
namespace {

using Result = DriveBanksWriting::Result;

namespace fs = std::filesystem;

std::string bankFileCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " bank file" : " bank files");
}

std::string cancelledText(const DriveFolder& drive, bool wipe,
                          const std::vector<std::filesystem::path>& written) {
    std::string text = "Writing cancelled: ";
    if (wipe) {
        text += drive.path().string() + " was emptied and ";
    }
    for (std::size_t i = 0; i < written.size(); ++i) {
        text += (i == 0 ? "" : ", ") + written[i].string();
    }
    text += written.size() == 1 ? " was written" : " were written";
    return text + "; the other banks were not.";
}

using FileOfEntry = DriveFile (*)(int, std::string);

// Every bank's file, complete, for the drive at `drivePath`; a bank no longer stored stops it
// before the drive is touched. `entryOfFile` gets the entry each file stands for.
std::vector<DriveFile> bankFiles(AppState& state, UserDialogs& dialogs, const DriveBanks& banks,
                                 const std::filesystem::path& drivePath, FileOfEntry fileOf,
                                 std::vector<std::size_t>& entryOfFile) {
    std::vector<DriveFile> files;
    for (std::size_t i = 0; i < banks.size(); ++i) {
        if (!banks[i]) {
            continue;
        }
        const auto styles = CollectStoredBank(state.connection, dialogs, banks[i]->bankProg);
        if (!styles) {
            throw OrbError("The bank " + banks[i]->name +
                           " is no longer stored; nothing was written.");
        }
        const int index = static_cast<int>(i);
        DriveFile file = fileOf(index, {});
        file.bytes =
            bankFileBytes(*styles, KeyboardBankNumber(index), file.pathOn(drivePath), dialogs);
        files.push_back(std::move(file));
        entryOfFile.push_back(i);
    }
    return files;
}

// Makes every bank's file, then writes them onto the drive, emptied first when `wipe`, and reads
// each back from the disk. `fileOf` places entry i in the layout.
DriveBanksWriting writeBanks(AppState& state, UserDialogs& dialogs, JobProgress& job,
                             const DriveBanks& banks, const DriveFolder& drive, bool wipe,
                             FileOfEntry fileOf, const DriveRoomReader& room,
                             const DriveBanksListener& listener, const std::string& done,
                             const std::string& after) {
    if (listener.started) {
        listener.started();
    }
    DriveBanksWriting writing;
    WaitCursor wait(dialogs);
    try {
        std::vector<std::size_t> entryOfFile;
        const std::vector<DriveFile> files =
            bankFiles(state, dialogs, banks, drive.path(), fileOf, entryOfFile);
        DriveWriting how;
        how.wipe = wipe;
        how.keep = filesInUse(state);
        how.room = room;
        how.afterEach = [&](std::size_t file) {
            writing.files.push_back(files[file].pathOn(drive.path()));
            if (listener.written) {
                listener.written(entryOfFile[file]);
            }
            // After the last file there is nothing left to stop.
            if (file + 1 < files.size()) {
                job.step();
            }
        };
        job.start("Writing to " + drive.path().string(), static_cast<long long>(files.size()));
        writeToDrive(drive, files, how);
        job.complete();
        // Written and synced: now the medium itself must give the same bytes back.
        if (const auto fault = firstReadBackFault(drive, files, state.readBack)) {
            throw OrbError(readBackFailure(files[fault->file].pathOn(drive.path()),
                                           "bank " + banks[entryOfFile[fault->file]]->name,
                                           fault->problem));
        }
        job.finish(bankFileCount(files.size()) + " written to " + drive.path().string() +
                   " and verified.");
        writing.result = Result::Written;
        writing.message = done + "\n" + readBackVerified(files.size()) + after;
    } catch (const JobCancelled&) {
        writing.result = Result::Cancelled;
        writing.message = cancelledText(drive, wipe, writing.files);
        job.finish(writing.message);
    } catch (const OrbError& failure) {
        writing.result = Result::Failed;
        writing.message = failure.what();
        job.finish("Writing to " + drive.path().string() + " failed.");
    }
    return writing;
}

std::vector<PlannedFile> planBanks(AppState& state, UserDialogs& dialogs, const DriveBanks& banks,
                                   const DriveFolder& drive, FileOfEntry fileOf) {
    std::vector<std::size_t> entryOfFile;
    std::vector<PlannedFile> plan;
    for (const DriveFile& file :
         bankFiles(state, dialogs, banks, drive.path(), fileOf, entryOfFile)) {
        const fs::path relative = file.pathOn({});
        std::optional<std::string> now;
        try {
            now = readDriveFile(drive, file, false);
        } catch (const FileAccessError&) {
            // A link or a folder in its place: the writing refuses it, and it is no copy of
            // the file.
            plan.push_back({relative, PlannedFile::Change::Changed});
            continue;
        }
        plan.push_back({relative, !now                 ? PlannedFile::Change::New
                                  : *now == file.bytes ? PlannedFile::Change::Unchanged
                                                       : PlannedFile::Change::Changed});
    }
    return plan;
}

DriveBanksWriting notReady(std::string message) {
    DriveBanksWriting writing;
    writing.result = Result::NotReady;
    writing.message = std::move(message);
    return writing;
}

}  // namespace

DriveBanksWriting WriteFloppy(AppState& state, UserDialogs& dialogs, JobProgress& job,
                              const DriveBanks& banks, const std::string& folder,
                              const DriveRoomReader& room, const DriveBanksListener& listener) {
    const auto floppy = DriveFolder::open(folder);
    if (!floppy || !floppy->writable()) {
        return notReady("Floppy disk " + folder + ": is not ready!");
    }
    if (!AgreeFloppyWipe(*floppy, folder, dialogs, true)) {
        DriveBanksWriting declined;
        declined.result = Result::Declined;
        return declined;
    }
    return writeBanks(state, dialogs, job, banks, *floppy, true, floppyLayoutFile, room, listener,
                      kFloppyDone, "");
}

DriveBanksWriting TransferToHardDisk(AppState& state, UserDialogs& dialogs, JobProgress& job,
                                     const DriveBanks& banks, const std::string& folder,
                                     const DriveRoomReader& room,
                                     const DriveBanksListener& listener) {
    const auto disk = DriveFolder::open(folder);
    if (!disk || !disk->writable()) {
        return notReady("Pa Hard Drive " + folder + ": is not ready!");
    }
    return writeBanks(state, dialogs, job, banks, *disk, false, hardDiskLayoutFile, room, listener,
                      kHardDiskDone, std::string("\n\n") + kRebootKeyboard);
}

void showDriveBanksWriting(UserDialogs& dialogs, const DriveBanksWriting& writing) {
    switch (writing.result) {
        case Result::Written:
        case Result::Cancelled:
            dialogs.message(writing.message, UserDialogs::Icon::Information);
            break;
        case Result::NotReady:
        case Result::Failed:
            dialogs.message(writing.message, UserDialogs::Icon::Critical);
            break;
        case Result::Declined:
            break;
    }
}

const char* changeWord(PlannedFile::Change change) {
    switch (change) {
        case PlannedFile::Change::Unchanged:
            return "unchanged";
        case PlannedFile::Change::Changed:
            return "changed";
        case PlannedFile::Change::New:
            break;
    }
    return "new";
}

std::vector<PlannedFile> PlanFloppy(AppState& state, UserDialogs& dialogs, const DriveBanks& banks,
                                    const std::string& folder) {
    const auto floppy = DriveFolder::open(folder);
    if (!floppy || !floppy->writable()) {
        throw OrbError("Floppy disk " + folder + ": is not ready!");
    }
    return planBanks(state, dialogs, banks, *floppy, floppyLayoutFile);
}

std::vector<PlannedFile> PlanHardDiskTransfer(AppState& state, UserDialogs& dialogs,
                                              const DriveBanks& banks, const std::string& folder) {
    const auto disk = DriveFolder::open(folder);
    if (!disk || !disk->writable()) {
        throw OrbError("Pa Hard Drive " + folder + ": is not ready!");
    }
    return planBanks(state, dialogs, banks, *disk, hardDiskLayoutFile);
}

}  // namespace orb
