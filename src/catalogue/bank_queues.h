#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "catalogue/keyboard_drive.h"
#include "core/job_progress.h"
#include "core/observable.h"
#include "stylefiles/keyboard_layout.h"

namespace orb {

class AppState;
class UserDialogs;

// One entry of a queue: a stored bank, shown by its name; an empty name is a free entry.
// `pending` is set while a transfer has still to write it.
struct QueueEntry {
    std::string name;
    std::int32_t bankProg = 0;
    bool pending = false;

    bool free() const { return name.empty(); }
    bool operator==(const QueueEntry&) const = default;
};

// The DIRECT FD and DIRECT HD queues of the bank dialog: up to three stored banks written as a
// complete keyboard floppy, and up to nine written into the keyboard's hard disk.
class BankQueues : public Observable {
public:
    static constexpr const char* kNoRoom = "No more room available!";

    BankQueues(AppState& state, UserDialogs& dialogs, DriveRoomReader room = roomOf);

    const std::array<QueueEntry, kFloppyBankCount>& floppy() const { return floppy_; }
    const std::array<QueueEntry, kHardDiskBankCount>& hardDisk() const { return hardDisk_; }

    // "To DIRECT FD", "To DIRECT HD": the bank goes to the first free entry; a full queue says so.
    void queueFloppy(std::int32_t bankProg, const std::string& name);
    void queueHardDisk(std::int32_t bankProg, const std::string& name);
    // Puts the bank into one entry, whatever it held.
    void setFloppyEntry(int entry, std::int32_t bankProg, const std::string& name);
    void setHardDiskEntry(int entry, std::int32_t bankProg, const std::string& name);

    // A bank deleted from the catalogue leaves every entry that held it.
    void removeBank(std::int32_t bankProg);

    // The floppy queue's Clear, and the Clear of each of the three hard-disk groups.
    void clearFloppy();
    void clearHardDiskGroup(int group);
    bool clearFloppyEnabled() const;
    bool makeFloppyEnabled() const { return clearFloppyEnabled(); }
    bool clearHardDiskGroupEnabled(int group) const;
    bool transferEnabled() const;

    // "Make": writes the queued banks as the floppy in FloppyPath (WriteFloppy) and shows how it
    // went. True when the floppy is complete; the queue keeps its entries.
    bool makeFloppy();
    // "Transfer": writes the queued banks into the hard disk in PaHardDiskPath
    // (TransferToHardDisk).
    bool transfer();

    // The writing's progress, its Cancel and its summary line. A cancel stops the writing after
    // the file at hand and says which files are on the drive.
    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }

private:
    void queue(std::span<QueueEntry> entries, std::int32_t bankProg, const std::string& name);
    // Runs `write` on the queued banks, marking the entries pending until their file is written,
    // and shows how it went.
    template <typename Write>
    bool writeQueue(std::span<QueueEntry> entries, Write write);
    void setPending(std::span<QueueEntry> entries, bool pending);

    AppState& state_;
    UserDialogs& dialogs_;
    DriveRoomReader room_;
    std::array<QueueEntry, kFloppyBankCount> floppy_{};
    std::array<QueueEntry, kHardDiskBankCount> hardDisk_{};
    JobProgress job_;
};

}  // namespace orb
