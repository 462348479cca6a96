#include "catalogue/bank_queues.h"

#include <algorithm>

#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr int kGroupSize = 3;

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

void BankQueues::removeBank(std::int32_t bankProg) {
    bool removed = false;
    const auto leave = [&](std::span<QueueEntry> entries) {
        for (QueueEntry& entry : entries) {
            if (!entry.free() && entry.bankProg == bankProg) {
                entry = {};
                removed = true;
            }
        }
    };
    leave(floppy_);
    leave(hardDisk_);
    if (removed) {
        changed();
    }
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

template <typename Write>
bool BankQueues::writeQueue(std::span<QueueEntry> entries, Write write) {
    DriveBanks banks;
    for (const QueueEntry& entry : entries) {
        banks.push_back(entry.free() ? std::nullopt
                                     : std::optional<DriveBank>({entry.bankProg, entry.name}));
    }
    bool started = false;
    DriveBanksListener listener;
    listener.started = [&] {
        started = true;
        setPending(entries, true);
    };
    listener.written = [&](std::size_t entry) {
        entries[entry].pending = false;
        changed();
    };
    const DriveBanksWriting writing = write(banks, listener);
    if (started) {
        setPending(entries, false);
    }
    showDriveBanksWriting(dialogs_, writing);
    return writing.written();
}

bool BankQueues::makeFloppy() {
    return writeQueue(floppy_, [this](const DriveBanks& banks, const DriveBanksListener& listener) {
        return WriteFloppy(state_, dialogs_, job_, banks, state_.FloppyPath, room_, listener);
    });
}

bool BankQueues::transfer() {
    return writeQueue(hardDisk_,
                      [this](const DriveBanks& banks, const DriveBanksListener& listener) {
                          return TransferToHardDisk(state_, dialogs_, job_, banks,
                                                    state_.PaHardDiskPath, room_, listener);
                      });
}

}  // namespace orb
