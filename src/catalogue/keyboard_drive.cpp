#include "catalogue/keyboard_drive.h"

#include "catalogue/bank_collection.h"
#include "core/errors.h"
#include "core/job_progress.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"
#include "stylefiles/keyboard_layout.h"

namespace orb {
namespace {

using Result = DriveBanksWriting::Result;

std::string bankFiles(std::size_t count) {
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

// Makes every bank's file (a bank no longer stored stops it before the drive is touched), then
// writes them onto the drive, emptied first when `wipe`. `fileOf` places entry i in the layout.
DriveBanksWriting writeBanks(AppState& state, UserDialogs& dialogs, JobProgress& job,
                             const DriveBanks& banks, const DriveFolder& drive, bool wipe,
                             DriveFile (*fileOf)(int, std::string), const DriveRoomReader& room,
                             const DriveBanksListener& listener, const char* done) {
    if (listener.started) {
        listener.started();
    }
    DriveBanksWriting writing;
    WaitCursor wait(dialogs);
    try {
        std::vector<DriveFile> files;
        std::vector<std::size_t> entryOfFile;
        KORFStyles styles;
        for (std::size_t i = 0; i < banks.size(); ++i) {
            if (!banks[i]) {
                continue;
            }
            if (!CollectStoredBank(state.connection, dialogs, banks[i]->bankProg, styles)) {
                throw OrbError("The bank " + banks[i]->name +
                               " is no longer stored; nothing was written.");
            }
            const int index = static_cast<int>(i);
            DriveFile file = fileOf(index, {});
            file.bytes = bankFileBytes(styles, KeyboardBankNumber(index), file.pathOn(drive.path()),
                                       dialogs);
            files.push_back(std::move(file));
            entryOfFile.push_back(i);
        }
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
        job.finish(bankFiles(files.size()) + " written to " + drive.path().string() + ".");
        writing.result = Result::Written;
        writing.message = done;
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
    if (!dialogs.question(floppyWipeQuestion(folder))) {
        DriveBanksWriting declined;
        declined.result = Result::Declined;
        return declined;
    }
    return writeBanks(state, dialogs, job, banks, *floppy, true, floppyLayoutFile, room, listener,
                      kFloppyDone);
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
                      kHardDiskDone);
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

}  // namespace orb
