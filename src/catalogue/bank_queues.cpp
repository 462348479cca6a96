#include "catalogue/bank_queues.h"

#include <algorithm>

#include "catalogue/bank_collection.h"
#include "core/errors.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr int kGroupSize = 3;

std::string bankFiles(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " bank file" : " bank files");
}

}  // namespace

BankQueues::BankQueues(AppState& state, UserDialogs& dialogs, DriveRoomReader room)
    : state_(state), dialogs_(dialogs), room_(std::move(room)), job_(dialogs) {
    job_.onChange([this] { changed(); });
}

void BankQueues::queue(std::span<QueueEntry> entries, std::int32_t bankProg,
                       const std::string& name) {
    for (QueueEntry& entry : entries) {
        if (entry.free()) {
            entry = {name, bankProg, false};
            changed();
            return;
        }
    }
    dialogs_.message(kNoRoom, UserDialogs::Icon::None);
}

void BankQueues::queueFloppy(std::int32_t bankProg, const std::string& name) {
    queue(floppy_, bankProg, name);
}

void BankQueues::queueHardDisk(std::int32_t bankProg, const std::string& name) {
    queue(hardDisk_, bankProg, name);
}

void BankQueues::setFloppyEntry(int entry, std::int32_t bankProg, const std::string& name) {
    floppy_.at(static_cast<std::size_t>(entry)) = {name, bankProg, false};
    changed();
}

void BankQueues::setHardDiskEntry(int entry, std::int32_t bankProg, const std::string& name) {
    hardDisk_.at(static_cast<std::size_t>(entry)) = {name, bankProg, false};
    changed();
}

void BankQueues::clearFloppy() {
    floppy_.fill({});
    changed();
}

void BankQueues::clearHardDiskGroup(int group) {
    if (group < 0 || group >= kHardDiskBankCount / kGroupSize) {
        return;
    }
    std::fill_n(hardDisk_.begin() + group * kGroupSize, kGroupSize, QueueEntry{});
    changed();
}

bool BankQueues::clearFloppyEnabled() const {
    return std::any_of(floppy_.begin(), floppy_.end(),
                       [](const QueueEntry& entry) { return !entry.free(); });
}

bool BankQueues::clearHardDiskGroupEnabled(int group) const {
    const auto first = hardDisk_.begin() + group * kGroupSize;
    return std::any_of(first, first + kGroupSize,
                       [](const QueueEntry& entry) { return !entry.free(); });
}

bool BankQueues::transferEnabled() const {
    return std::any_of(hardDisk_.begin(), hardDisk_.end(),
                       [](const QueueEntry& entry) { return !entry.free(); });
}

void BankQueues::setPending(std::span<QueueEntry> entries, bool pending) {
    for (QueueEntry& entry : entries) {
        entry.pending = pending;
    }
    changed();
}

bool BankQueues::writeQueue(std::span<QueueEntry> entries, const DriveFolder& drive, bool wipe,
                            DriveFile (*fileOf)(int, std::string), const char* done) {
    setPending(entries, true);
    bool written = false;
    std::vector<std::string> writtenFiles;
    {
        WaitCursor wait(dialogs_);
        try {
            std::vector<DriveFile> files;
            std::vector<std::size_t> entryOfFile;
            KORFStyles styles;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                const QueueEntry& entry = entries[i];
                if (entry.free()) {
                    continue;
                }
                if (!CollectStoredBank(state_.connection, dialogs_, entry.bankProg, styles)) {
                    throw OrbError("The bank " + entry.name +
                                   " is no longer stored; nothing was written.");
                }
                const int index = static_cast<int>(i);
                DriveFile file = fileOf(index, {});
                file.bytes = bankFileBytes(styles, KeyboardBankNumber(index),
                                           file.pathOn(drive.path()), dialogs_);
                files.push_back(std::move(file));
                entryOfFile.push_back(i);
            }
            DriveWriting how;
            how.wipe = wipe;
            how.keep = filesInUse(state_);
            how.room = room_;
            how.afterEach = [&](std::size_t file) {
                entries[entryOfFile[file]].pending = false;
                writtenFiles.push_back(files[file].pathOn(drive.path()).string());
                changed();
                // After the last file there is nothing left to stop.
                if (file + 1 < files.size()) {
                    job_.step();
                }
            };
            job_.start("Writing to " + drive.path().string(), static_cast<long long>(files.size()));
            writeToDrive(drive, files, how);
            job_.complete();
            written = true;
            job_.finish(bankFiles(files.size()) + " written to " + drive.path().string() + ".");
        } catch (const JobCancelled&) {
            std::string text = "Writing cancelled: ";
            if (wipe) {
                text += drive.path().string() + " was emptied and ";
            }
            for (std::size_t i = 0; i < writtenFiles.size(); ++i) {
                text += (i == 0 ? "" : ", ") + writtenFiles[i];
            }
            text += writtenFiles.size() == 1 ? " was written" : " were written";
            text += "; the other banks were not.";
            job_.finish(text);
            dialogs_.message(text, UserDialogs::Icon::Information);
        } catch (const OrbError& failure) {
            job_.finish("Writing to " + drive.path().string() + " failed.");
            dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
        }
    }
    setPending(entries, false);
    if (written) {
        dialogs_.message(done, UserDialogs::Icon::Information);
    }
    return written;
}

bool BankQueues::makeFloppy() {
    const auto floppy = DriveFolder::open(state_.FloppyPath);
    if (!floppy || !floppy->writable()) {
        dialogs_.message("Floppy disk " + state_.FloppyPath + ": is not ready!",
                         UserDialogs::Icon::Critical);
        return false;
    }
    if (!dialogs_.question(floppyWipeQuestion(state_.FloppyPath))) {
        return false;
    }
    return writeQueue(floppy_, *floppy, true, floppyLayoutFile, kFloppyDone);
}

bool BankQueues::transfer() {
    const auto disk = DriveFolder::open(state_.PaHardDiskPath);
    if (!disk || !disk->writable()) {
        dialogs_.message("Pa Hard Drive " + state_.PaHardDiskPath + ": is not ready!",
                         UserDialogs::Icon::Critical);
        return false;
    }
    return writeQueue(hardDisk_, *disk, false, hardDiskLayoutFile, kHardDiskDone);
}

}  // namespace orb
