#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "catalogue/bank_queues.h"
#include "catalogue/current_bank.h"
#include "catalogue/keyboard_drive.h"
#include "catalogue/make_bank.h"
#include "core/drive_folder.h"
#include "core/job_progress.h"
#include "core/read_back.h"
#include "keyboard_folders_fixture.h"
#include "songs/floppy_style.h"
#include "stylefiles/bank_file.h"
#include "stylefiles/keyboard_layout.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::expectBankFile;
using test::kBank5;
using test::kBank9;
using test::namesIn;
using test::readFile;
using test::writeFile;
using Result = DriveBanksWriting::Result;

constexpr const char* kFailing =
    ". The floppy or stick may be failing: write it again, or use another one before the keyboard "
    "needs it.";

// The free room of the test's own folders is whatever the test sets.
class KeyboardWritingTest : public test::KeyboardFoldersTest {
protected:
    fs::path floppyStyle() { return floppy() / "ORB.SET" / "STYLE"; }

    DriveRoomReader room() {
        return [this](const DriveFolder&) { return DriveRoom{freeBytes, 1}; };
    }
    // USER01.STY in the floppy folder.
    static constexpr BankTarget kWorkFile{BankTarget::Kind::FloppyWork, 0};

    MakeBankController makeBank(BankTarget target) {
        MakeBankController make(env.state, env.dialogs, currentBank(), room());
        make.select(target);
        env.dialogs.clear();
        return make;
    }
    // Queues with these stored banks, in this order, for the floppy and the hard disk.
    BankQueues queues(const Numbers& onFloppy, const Numbers& onHardDisk = {}) {
        BankQueues queues(env.state, env.dialogs, room());
        for (const std::int32_t prog : onFloppy) {
            queues.queueFloppy(prog, "BANK" + std::to_string(prog));
        }
        for (const std::int32_t prog : onHardDisk) {
            queues.queueHardDisk(prog, "BANK" + std::to_string(prog));
        }
        return queues;
    }

    std::uintmax_t freeBytes = std::uintmax_t{1} << 30;
};

TEST_F(KeyboardWritingTest, MakeBankOptionsTargetsAndTheSaveDialog) {
    loadBank(5);
    currentBank().markStored({5, "MY ROCK SET", "", {}});
    MakeBankController make(env.state, env.dialogs, currentBank(), room());
    using Kind = BankTarget::Kind;
    const BankTarget chosenFile{Kind::ChosenFile, 0};
    EXPECT_EQ(make.selected(), chosenFile);
    // Where each target writes: EveryLayoutFileCarriesItsBankNumberAndGetsItsFolder.
    const std::vector<std::pair<BankTarget, std::string>> table = {
        {chosenFile, "Make as ..."},
        {{Kind::FloppyByName, 0}, "Make as " + (floppy() / "").string() + " ..."},
        {{Kind::FloppyWork, 0}, "Make as " + (floppy() / "USER01.STY").string()},
        {BankTarget::floppy(2), "Make for DIRECT FD - Bank 3"},
        {BankTarget::hardDisk(8), "Make for DIRECT HD - Bank 9"},
    };
    for (const auto& [target, caption] : table) {
        EXPECT_EQ(make.caption(target), caption) << caption;
        EXPECT_TRUE(make.enabled(target)) << caption;
    }
    EXPECT_EQ(make.targetOf({Kind::FloppyByName, 0}), floppy() / "MYROCKSET.STY");
    env.state.PaHardDiskPath.clear();
    EXPECT_TRUE(make.enabled(BankTarget::floppy(2)));
    EXPECT_FALSE(make.enabled(BankTarget::hardDisk(0)));
    make.select(BankTarget::hardDisk(1));
    EXPECT_EQ(make.selected(), chosenFile);

    // A chosen file: the save dialog proposes the name without blanks in the folder last used
    // for bank files; a cancel writes nothing.
    env.settings.set("LASTFOLDER", "STY", env.dir.path().string());
    env.dialogs.file("");
    EXPECT_FALSE(make.make());
    ASSERT_EQ(env.dialogs.calls().size(), 1u);
    EXPECT_EQ(env.dialogs.calls()[0].kind, test::ScriptedDialogs::Call::Kind::SaveFile);
    EXPECT_EQ(env.dialogs.calls()[0].text, "Styles (*.STY)|*.STY|All files (*)|*");
    EXPECT_EQ(env.dialogs.calls()[0].proposal, (env.dir / "MYROCKSET.STY").string());
    const fs::path chosen = env.dir / "chosen" / "Rock set.STY";
    fs::create_directories(chosen.parent_path());
    env.dialogs.file(chosen.string());
    EXPECT_TRUE(make.make());
    expectBankFile(db(), chosen, kBank5, 17);
    EXPECT_EQ(env.dialogs.messages().back(),
              chosen.string() +
                  " successfully created\n1 bank file read back from the disk and verified.");
    EXPECT_EQ(env.dialogs.calls().back().icon, Icon::Information);
    EXPECT_FALSE(env.dialogs.waitCursor());
    EXPECT_EQ(env.settings.get("LASTFOLDER", "STY", ""), chosen.parent_path().string());
}

TEST_F(KeyboardWritingTest, FloppyOptionKeepsAnOrbSetFloppyAndWipesAnyOtherAfterYes) {
    loadBank(9);
    writeFile(floppyFile(1), "first bank");
    writeFile(floppy() / "notes.txt", "keep");
    auto make = makeBank(BankTarget::floppy(1));
    EXPECT_TRUE(make.make());
    expectBankFile(db(), floppyFile(2), kBank9, 18);
    EXPECT_EQ(readFile(floppyFile(1)), "first bank");
    EXPECT_EQ(readFile(floppy() / "notes.txt"), "keep");
    EXPECT_EQ(env.dialogs.messages(),
              Texts{floppyFile(2).string() +
                    " successfully created!\n1 bank file read back from the disk and verified."});

    fs::remove_all(floppy() / "ORB.SET");
    env.dialogs.clear();
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(make.make());
    EXPECT_EQ(namesIn(floppy()), Texts{"notes.txt"});
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(make.make());
    EXPECT_EQ(namesIn(floppy()), Texts{"ORB.SET"});
    EXPECT_EQ(namesIn(floppyStyle()), Texts{"USER02.STY"});
    expectBankFile(db(), floppyFile(2), kBank9, 18);
    EXPECT_EQ(env.dialogs.messages()[0],
              "Floppy " + floppy().string() + " is about to be completely deleted. Are you sure?");
    EXPECT_EQ(env.dialogs.calls()[0].defaultAnswer, Answer::No);
}

TEST_F(KeyboardWritingTest, EveryLayoutFileCarriesItsBankNumberAndGetsItsFolder) {
    loadBank(5);
    fs::create_directories(floppy() / "ORB.SET");
    std::vector<std::pair<BankTarget, fs::path>> table;
    for (int bank = 0; bank < kFloppyBankCount; ++bank) {
        table.push_back({BankTarget::floppy(bank), floppyFile(bank + 1)});
    }
    for (int bank = 0; bank < kHardDiskBankCount; ++bank) {
        const char* sets[] = {"!123", "!456", "!789"};
        table.push_back({BankTarget::hardDisk(bank), hardDiskFile(sets[bank / 3], bank % 3 + 1)});
    }
    table.push_back({{BankTarget::Kind::FloppyWork, 0}, floppy() / "USER01.STY"});
    table.push_back({{BankTarget::Kind::FloppyByName, 0}, floppy() / "BANK5.STY"});
    for (const auto& [target, file] : table) {
        EXPECT_TRUE(makeBank(target).make()) << file;
        const int n = file.filename() == "BANK5.STY" ? 1 : file.filename().string()[5] - '0';
        expectBankFile(db(), file, kBank5, 16 + n);
        EXPECT_EQ(env.dialogs.calls().size(), 1u) << file;  // no question: nothing was there
    }
    // Made again, each replaces its file only after a question naming what the file holds.
    for (const auto& [target, file] : table) {
        const std::string before = readFile(file);
        auto make = makeBank(target);
        env.dialogs.answer(Answer::No);
        EXPECT_FALSE(make.make()) << file;
        EXPECT_EQ(readFile(file), before) << file;
        ASSERT_EQ(env.dialogs.calls().size(), 1u) << file;
        EXPECT_EQ(env.dialogs.calls()[0].text,
                  file.string() +
                      " already exists and holds a bank of 4 styles (BALLAD, ROCK1, DISCO, SWING), "
                      "stored as bank 5 BANK5. Do you want to replace it?");
        env.dialogs.answer(Answer::Yes);
        EXPECT_TRUE(make.make()) << file;
    }
    writeFile(floppy() / "USER01.STY", "notes");
    auto make = makeBank({BankTarget::Kind::FloppyWork, 0});
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(make.make());
    EXPECT_EQ(env.dialogs.calls()[0].text,
              (floppy() / "USER01.STY").string() +
                  " already exists and holds no bank ORB can read. Do you want to replace it?");
}

TEST_F(KeyboardWritingTest, NotReadyDrivesAndTooLittleRoomLeaveTheTargetsAlone) {
    loadBank(5);
    freeBytes = 100;
    const fs::path file = floppy() / "USER01.STY";
    EXPECT_FALSE(makeBank(kWorkFile).make());
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"An error has occured during create process of style " + file.string() +
                    ". Not enough space available inside floppy disk!"});
    EXPECT_FALSE(fs::exists(file));
    // A layout target names what does not fit, and its set folder is not made.
    EXPECT_FALSE(makeBank(BankTarget::hardDisk(5)).make());
    const std::size_t bankSize = test::expectedBankFile(db(), kBank5, 19).size();
    EXPECT_EQ(
        env.dialogs.messages(),
        Texts{"There is not enough room in " + hardDisk().string() + " for " +
              hardDiskFile("!456", 3).string() + ": it needs " + std::to_string(bankSize + 2) +
              " bytes, and only 100 are left for it. Nothing was deleted or written."});
    EXPECT_TRUE(fs::is_empty(hardDisk()));
    // A replaced file's room and a read-only file: drive_writing_test, drive_folder_test.
    freeBytes = std::uintmax_t{1} << 30;
    const fs::path gone = env.dir / "gone";
    env.state.FloppyPath = gone.string();
    env.state.PaHardDiskPath = (env.dir / "no-disk").string();
    Texts messages;
    const auto refused = [&](BankTarget target) {
        auto make = makeBank(target);
        EXPECT_FALSE(make.make()) << static_cast<int>(target.kind);
        messages.push_back(env.dialogs.messages().back());
    };
    refused({BankTarget::Kind::FloppyByName, 0});
    refused(BankTarget::hardDisk(2));
    env.dialogs.file((env.dir / "nowhere" / "a.STY").string());
    refused({BankTarget::Kind::ChosenFile, 0});
    env.dialogs.file((gone / "a.STY").string());
    refused({BankTarget::Kind::ChosenFile, 0});
    EXPECT_EQ(
        messages,
        (Texts{
            "Floppy disk " + gone.string() + ": is not ready!",
            "Pa hard disk " + (env.dir / "no-disk").string() + ": is not ready or not available!",
            "Pa hard disk " + (env.dir / "nowhere").string() + ": is not ready or not available!",
            "Floppy disk " + gone.string() + ": is not ready!"}));
    EXPECT_FALSE(fs::exists(gone));

    // A chosen file that is a link going round in a loop stays as it is.
    const fs::path loop = env.dir / "loop.STY";
    fs::create_symlink(env.dir / "loop2.STY", loop);
    fs::create_symlink(loop, env.dir / "loop2.STY");
    auto chosen = makeBank({BankTarget::Kind::ChosenFile, 0});
    EXPECT_FALSE(chosen.makeAs(loop));
    EXPECT_EQ(env.dialogs.messages().back(),
              "The bank file " + loop.string() +
                  " cannot be written: it is a symbolic link that goes round in a loop.");
    EXPECT_TRUE(fs::is_symlink(loop));
}

TEST_F(KeyboardWritingTest, QueuesFillInOrderAndClearByGroup) {
    BankDialogController dialog(env.state, env.dialogs, currentBank(), BankState::Stored, room());
    ASSERT_TRUE(dialog.fillTree());
    const auto select = [&](std::int32_t prog) {
        dialog.selectNode(bankNode(dialog.nodes(), prog));
    };
    BankQueues& queues = dialog.queues();
    EXPECT_FALSE(queues.makeFloppyEnabled());
    for (const std::int32_t prog : {9, 5, 9, 5}) {
        select(prog);
        dialog.directFd();
    }
    using E = QueueEntry;
    EXPECT_EQ(queues.floppy(), (std::array<E, 3>{E{"BANK9", 9}, E{"BANK5", 5}, E{"BANK9", 9}}));
    EXPECT_EQ(shown(env.dialogs), (Shown{{"No more room available!", Icon::None}}));
    EXPECT_EQ(env.dialogs.calls()[0].title, "ORB");
    EXPECT_TRUE(queues.clearFloppyEnabled() && queues.makeFloppyEnabled());
    queues.clearFloppy();
    EXPECT_EQ(queues.floppy(), (std::array<E, 3>{}));
    EXPECT_FALSE(queues.clearFloppyEnabled() || queues.makeFloppyEnabled());

    for (int i = 0; i < kHardDiskBankCount; ++i) {
        select(i % 2 == 0 ? 5 : 9);
        dialog.directHd();
    }
    EXPECT_EQ(queues.hardDisk()[3], (E{"BANK9", 9}));
    const auto groups = [&] {
        return std::array<bool, 4>{queues.clearHardDiskGroupEnabled(0),
                                   queues.clearHardDiskGroupEnabled(1),
                                   queues.clearHardDiskGroupEnabled(2), queues.transferEnabled()};
    };
    const auto banks = [&] {
        Numbers shown;
        for (const QueueEntry& entry : queues.hardDisk()) {
            shown.push_back(entry.bankProg);
        }
        return shown;
    };
    // Each cbClearHD button clears its own three entries, so Transfer writes the banks shown.
    queues.clearHardDiskGroup(2);
    EXPECT_EQ(banks(), (Numbers{5, 9, 5, 9, 5, 9, 0, 0, 0}));
    EXPECT_EQ(groups(), (std::array<bool, 4>{true, true, false, true}));
    queues.clearHardDiskGroup(0);
    queues.clearHardDiskGroup(3);  // no such group: nothing
    EXPECT_EQ(banks(), (Numbers{0, 0, 0, 9, 5, 9, 0, 0, 0}));
    EXPECT_EQ(groups(), (std::array<bool, 4>{false, true, false, true}));
    queues.clearHardDiskGroup(1);
    EXPECT_EQ(groups(), (std::array<bool, 4>{false, false, false, false}));
    // Without a hard disk, or without a selected bank, nothing is queued.
    env.state.PaHardDiskPath.clear();
    dialog.directHd();
    dialog.selectNode(0);  // the root
    dialog.directFd();
    EXPECT_TRUE(queues.hardDisk()[0].free() && queues.floppy()[0].free());
}

TEST_F(KeyboardWritingTest, MakeFloppyWipesAndWritesOnlyTheQueuedFiles) {
    writeFile(floppy() / "old" / "song.txt", "x");
    writeFile(floppy() / "USER09.STY", "y");
    BankQueues floppyQueue = queues({9});
    std::vector<std::array<bool, 3>> pending;
    floppyQueue.onChange([&] {
        const auto& f = floppyQueue.floppy();
        const std::array<bool, 3> now{f[0].pending, f[1].pending, f[2].pending};
        if (pending.empty() || pending.back() != now) {
            pending.push_back(now);
        }
    });
    // The wipe's question, its No and the messages: FloppyOption... and window_and_command_test.
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(floppyQueue.makeFloppy());
    EXPECT_EQ(namesIn(floppy()), Texts{"ORB.SET"});
    EXPECT_EQ(namesIn(floppyStyle()), Texts{"USER01.STY"});
    expectBankFile(db(), floppyFile(1), kBank9, 17);
    EXPECT_EQ(pending, (std::vector<std::array<bool, 3>>{
                           {true, true, true}, {false, true, true}, {false, false, false}}));
    EXPECT_EQ(floppyQueue.floppy()[0].name, "BANK9");
}

// Transfer's files and its read-only and not-ready refusals: window_and_command_test.
TEST_F(KeyboardWritingTest, ACancelledWritingSaysWhichFilesAreOnTheDrive) {
    BankQueues hd = queues({}, {5, 9, 5});
    // The first check comes after the first file.
    env.dialogs.cancelAtCheck(1);
    EXPECT_FALSE(hd.transfer());
    const fs::path set123 = hardDisk() / "!123.SET" / "STYLE";
    const std::string cancelled = "Writing cancelled: " + (set123 / "USER01.STY").string() +
                                  " was written; the other banks were not.";
    EXPECT_EQ(env.dialogs.messages(), Texts{cancelled});
    EXPECT_EQ(hd.job().summary(), cancelled);
    EXPECT_TRUE(hd.job().cancelled());
    EXPECT_EQ(namesIn(set123), Texts{"USER01.STY"});
    expectBankFile(db(), set123 / "USER01.STY", kBank5, 17);
    EXPECT_EQ(hd.hardDisk()[1], (QueueEntry{"BANK9", 9}));  // still queued, no longer pending

    env.dialogs.cancelAtCheck(0);
    env.dialogs.clear();
    EXPECT_TRUE(hd.transfer());
    EXPECT_EQ(namesIn(set123), (Texts{"USER01.STY", "USER02.STY", "USER03.STY"}));
    EXPECT_EQ(hd.job().summary(),
              "3 bank files written to " + hardDisk().string() + " and verified.");
    EXPECT_EQ(std::tuple(hd.job().value(), hd.job().maximum()), std::tuple(3, 3));

    // The floppy is emptied before it is written, and the message says so.
    writeFile(floppy() / "old.txt", "x");
    BankQueues floppyQueue = queues({9, 5});
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    env.dialogs.cancelAtCheck(env.dialogs.cancelChecks() + 1);
    EXPECT_FALSE(floppyQueue.makeFloppy());
    EXPECT_EQ(env.dialogs.messages().back(), "Writing cancelled: " + floppy().string() +
                                                 " was emptied and " + floppyFile(1).string() +
                                                 " was written; the other banks were not.");
    EXPECT_EQ(namesIn(floppyStyle()), Texts{"USER01.STY"});
    EXPECT_EQ(namesIn(floppy()), Texts{"ORB.SET"});
}

// Both floppy writers pass on the wipe's refusals; its reasons are drive_folder_test's.
TEST_F(KeyboardWritingTest, TheWipeRefusesTheDatabaseFolderAndAFolderSwappedAfterTheQuestion) {
    loadBank(5);
    writeFile(env.dir / "victim" / "photo.jpg", "keep too");
    BankQueues floppyQueue = queues({5});
    const auto refused = [&](const fs::path& folder, const std::string& reason,
                             const std::function<void()>& meanwhile = {}) {
        env.state.FloppyPath = folder.string();
        const std::string expected =
            "ORB does not wipe " + folder.string() + ": " + reason + ". Nothing was deleted.";
        for (const bool queued : {true, false}) {
            if (meanwhile) {
                fs::remove(folder);
                fs::create_directory_symlink(env.dir / "victim", folder);
            }
            env.dialogs.onQuestion([&] {
                if (meanwhile) {
                    meanwhile();
                }
            });
            env.dialogs.answer(Answer::Yes);
            MakeBankController make = makeBank(BankTarget::floppy(0));
            EXPECT_FALSE(queued ? floppyQueue.makeFloppy() : make.make()) << folder;
            EXPECT_EQ(env.dialogs.messages().back(), expected) << queued;
        }
        env.dialogs.onQuestion({});
    };
    refused(env.dir.path(), "it holds " + env.state.DatabasePath + ", which ORB is using");
    // The floppy folder is a link when it is opened and a folder again when it is wiped.
    const fs::path swapped = env.dir / "swapped";
    refused(swapped, "it is no longer the folder ORB opened; something was swapped in", [&] {
        fs::remove(swapped);
        fs::create_directory(swapped);
    });
    EXPECT_EQ(namesIn(env.dir / "victim"), Texts{"photo.jpg"});
    EXPECT_TRUE(fs::exists(env.state.DatabasePath));
    EXPECT_FALSE(fs::exists(floppy() / "ORB.SET"));
    EXPECT_EQ(floppyQueue.floppy()[0].pending, false);
}

TEST_F(KeyboardWritingTest, GoneStylesAreLeftOutAndAGoneBankStopsTheTransfer) {
    loadBank(5);
    StyleStore(db()).remove(41);
    BankQueues hd = queues({}, {5});
    EXPECT_TRUE(hd.transfer());
    expectBankFile(db(), hardDiskFile("!123", 1), {57, 88, 73}, 17);

    // The current bank keeps the slot of the gone style empty.
    EXPECT_TRUE(makeBank(kWorkFile).make());
    Numbers positions;
    const StyleFileContents readBack = readBankFile(floppy() / "USER01.STY");
    for (const BankFileStyle& style : readBack.banks.at(0).styles) {
        positions.push_back(style.slot);
    }
    EXPECT_EQ(positions, (Numbers{1, 3, 4}));

    hd.queueHardDisk(9, "BANK9");
    BankStore(db()).remove(9);
    env.dialogs.clear();
    EXPECT_FALSE(hd.transfer());
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"The bank BANK9 is no longer stored; nothing was written."});
}

TEST_F(KeyboardWritingTest, BanksThatDoNotFitLeaveTheOldFloppyAndMakeNoFolder) {
    writeFile(floppyFile(1), "the floppy of last week");
    writeFile(floppy() / "setlist.txt", "keep");
    const std::size_t bank5 = test::expectedBankFile(db(), kBank5, 17).size();
    const std::size_t bank9 = test::expectedBankFile(db(), kBank9, 18).size();
    // The wipe frees 23 + 4 bytes and two folders (a byte each here); the two banks and the two
    // folders need one byte more than that leaves.
    freeBytes = bank5 + bank9 + 2 - 29;
    BankQueues floppyQueue = queues({5, 9});
    env.dialogs.answer(Answer::Yes);
    EXPECT_FALSE(floppyQueue.makeFloppy());
    EXPECT_EQ(env.dialogs.messages().back(),
              "There is not enough room in " + floppy().string() + " for " +
                  floppyFile(2).string() + ": it needs " + std::to_string(bank9) +
                  " bytes, and only " + std::to_string(bank9) +
                  " are left for it. Nothing was deleted or written.");
    EXPECT_EQ(readFile(floppyFile(1)), "the floppy of last week");
    EXPECT_EQ(readFile(floppy() / "setlist.txt"), "keep");
    freeBytes += 1;
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(floppyQueue.makeFloppy());
    expectBankFile(db(), floppyFile(2), kBank9, 18);

    // A transfer that does not fit makes no set folder.
    BankQueues hd = queues({}, {9});
    freeBytes = 10;
    EXPECT_FALSE(hd.transfer());
    EXPECT_TRUE(fs::is_empty(hardDisk()));
}

TEST_F(KeyboardWritingTest, TheReadComesFromTheDiskAndSeesNoLink) {
    writeFile(floppyFile(2), "bytes on the medium");
    const auto drive = DriveFolder::open(floppy());
    ASSERT_TRUE(drive.has_value());
    EXPECT_EQ(readDriveFile(*drive, floppyLayoutFile(1, "what was meant"), true),
              "bytes on the medium");
    EXPECT_EQ(readDriveFile(*drive, floppyLayoutFile(2, ""), true), std::nullopt);
    fs::create_symlink(floppyFile(2), floppyFile(3));
    EXPECT_THROW(readDriveFile(*drive, floppyLayoutFile(2, ""), true), FileAccessError);
}

TEST_F(KeyboardWritingTest, EveryWriterFailsOnADifferenceNamingTheFileAndTheBank) {
    // A medium that gives every file back with one byte changed.
    std::vector<fs::path> readPaths;
    env.state.readBack = [&readPaths](const DriveFolder& drive, const DriveFile& file) {
        readPaths.push_back(file.pathOn(drive.path()));
        std::optional<std::string> bytes = readBackFromDisk(drive, file);
        if (bytes && !bytes->empty()) {
            (*bytes)[bytes->size() / 2] ^= 0x20;
        }
        return bytes;
    };
    const auto differs = [](const fs::path& file, const std::string& of) {
        return "The bank file " + file.string() + " of " + of +
               " does not read back as it was written" + kFailing;
    };
    JobProgress job(env.dialogs);
    const auto writeFloppy = [&] {
        env.dialogs.answer(Answer::Yes);
        return WriteFloppy(env.state, env.dialogs, job,
                           {DriveBank{9, "BANK9"}, std::nullopt, DriveBank{5, "BANK5"}},
                           floppy().string());
    };
    const DriveBanksWriting onFloppy = writeFloppy();
    EXPECT_EQ(onFloppy.result, Result::Failed);
    EXPECT_EQ(onFloppy.message, differs(floppyFile(1), "bank BANK9"));
    EXPECT_EQ(job.summary(), "Writing to " + floppy().string() + " failed.");
    EXPECT_EQ(readPaths, std::vector<fs::path>{floppyFile(1)});

    const DriveBanksWriting onDisk = TransferToHardDisk(
        env.state, env.dialogs, job, {std::nullopt, DriveBank{5, "BANK5"}}, hardDisk().string());
    EXPECT_EQ(onDisk.message, differs(hardDiskFile("!123", 2), "bank BANK5"));

    // A chosen file's read-back: catalogue_commands_test's make-sty.
    loadBank(9);
    MakeBankController make(env.state, env.dialogs, currentBank());
    make.select(BankTarget::hardDisk(8));
    env.dialogs.clear();
    EXPECT_FALSE(make.make());
    env.dialogs.input("Bossa");
    env.dialogs.answer(Answer::Yes);  // USER01.STY is there already
    EXPECT_FALSE(SaveStyleToFloppy(env.state, env.dialogs, 41, "ROCK1"));
    Texts failures;
    for (const auto& call : env.dialogs.calls()) {
        if (call.icon == Icon::Critical) {
            failures.push_back(call.text);
        }
    }
    EXPECT_EQ(failures, (Texts{differs(hardDiskFile("!789", 3), "bank BANK9"),
                               differs(floppyFile(1), "style Bossa")}));

    // A medium that cannot give the file back at all.
    env.state.readBack = [](const DriveFolder&, const DriveFile&) -> std::optional<std::string> {
        throw FileAccessError("Input/output error.");
    };
    const DriveBanksWriting unreadable = TransferToHardDisk(
        env.state, env.dialogs, job, {DriveBank{9, "BANK9"}}, hardDisk().string());
    EXPECT_EQ(unreadable.message, "The bank file " + hardDiskFile("!123", 1).string() +
                                      " of bank BANK9 cannot be read back (Input/output error)" +
                                      kFailing);

    // A sound medium: the summary says so.
    env.state.readBack = readBackFromDisk;
    const DriveBanksWriting sound = writeFloppy();
    EXPECT_EQ(sound.result, Result::Written);
    EXPECT_EQ(sound.message,
              "DIRECT FD floppy successfully created!\n2 bank files read back from the disk and "
              "verified.");
    EXPECT_EQ(job.summary(), "2 bank files written to " + floppy().string() + " and verified.");
    expectBankFile(db(), floppyFile(3), kBank5, 19);
    EXPECT_TRUE(env.dialogs.allAnswersUsed());
}

}  // namespace
}  // namespace orb
