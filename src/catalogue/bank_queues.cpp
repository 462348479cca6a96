#include "catalogue/bank_queues.h"

#include <algorithm>

#include "catalogue/bank_collection.h"
#include "core/drive_folder.h"
#include "core/errors.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr int kGroupSize = 3;

}  // namespace

BankQueues::BankQueues(AppState& state, UserDialogs& dialogs, BankFileRoom room)
    : state_(state), dialogs_(dialogs), room_(std::move(room)) {}

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

bool BankQueues::writeQueue(std::span<QueueEntry> entries, const std::function<void()>& prepare,
                            const std::function<fs::path(int)>& targetOf, const char* done) {
    setPending(entries, true);
    bool written = false;
    {
        WaitCursor wait(dialogs_);
        try {
            prepare();
            written = writeEntries(entries, targetOf);
        } catch (const OrbError& failure) {
            dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
        }
    }
    setPending(entries, false);
    if (written) {
        dialogs_.message(done, UserDialogs::Icon::Information);
    }
    return written;
}

bool BankQueues::writeEntries(std::span<QueueEntry> entries,
                              const std::function<fs::path(int)>& targetOf) {
    KORFStyles styles;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QueueEntry& entry = entries[i];
        if (!entry.free()) {
            const int index = static_cast<int>(i);
            if (!CollectStoredBank(state_.connection, dialogs_, entry.bankProg, styles)) {
                throw OrbError("The bank " + entry.name +
                               " is no longer stored; nothing was written for it.");
            }
            if (!WriteKeyboardBank(dialogs_, targetOf(index), styles, KeyboardBankNumber(index),
                                   room_)) {
                return false;
            }
        }
        entry.pending = false;
        changed();
        dialogs_.processEvents();
    }
    return true;
}

bool BankQueues::makeFloppy() {
    if (!driveReady(state_.FloppyPath)) {
        dialogs_.message("Floppy disk " + state_.FloppyPath + ": is not ready!",
                         UserDialogs::Icon::Critical);
        return false;
    }
    if (!dialogs_.question(kFloppyWipeQuestion)) {
        return false;
    }
    return writeQueue(
        floppy_, [this] { MakeFloppyLayout(state_, true); },
        [this](int entry) { return FloppyBankFile(state_.FloppyPath, entry); }, kFloppyDone);
}

bool BankQueues::transfer() {
    if (!driveReady(state_.PaHardDiskPath)) {
        dialogs_.message("Pa Hard Drive " + state_.PaHardDiskPath + ": is not ready!",
                         UserDialogs::Icon::Critical);
        return false;
    }
    return writeQueue(
        hardDisk_, [] {},
        [this](int entry) {
            MakeHardDiskSetFolder(state_.PaHardDiskPath, entry);
            return HardDiskBankFile(state_.PaHardDiskPath, entry);
        },
        kHardDiskDone);
}

}  // namespace orb
