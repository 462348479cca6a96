#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/keyboard_drive.h"
#include "catalogue/make_bank.h"
#include "core/drive_folder.h"
#include "core/job_progress.h"
#include "core/read_back.h"
#include "keyboard_folders_fixture.h"
#include "songs/floppy_style.h"
#include "stylefiles/keyboard_layout.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using Answer = UserDialogs::Answer;
using Result = DriveBanksWriting::Result;
using test::readFile;
using test::writeFile;

constexpr const char* kFailing =
    ". The floppy or stick may be failing: write it again, or use another one before the "
    "keyboard needs it.";

class ReadBackTest : public test::KeyboardFoldersTest {
protected:
    fs::path floppyFile(int n) {
        return floppy() / "ORB.SET" / "STYLE" / ("USER0" + std::to_string(n) + ".STY");
    }
    std::vector<fs::path> readPaths;
};

TEST_F(ReadBackTest, TheReadComesFromTheDiskAndSeesNoLink) {
    writeFile(floppyFile(2), "bytes on the medium");
    const auto drive = DriveFolder::open(floppy());
    ASSERT_TRUE(drive.has_value());
    EXPECT_EQ(readDriveFile(*drive, floppyLayoutFile(1, "what was meant"), true),
              "bytes on the medium");
    EXPECT_EQ(readDriveFile(*drive, floppyLayoutFile(2, ""), true), std::nullopt);
    fs::create_symlink(floppyFile(2), floppyFile(3));
    EXPECT_THROW(readDriveFile(*drive, floppyLayoutFile(2, ""), true), FileAccessError);
    EXPECT_EQ(firstReadBackFault(*drive, {floppyLayoutFile(1, "what was meant")}, readBackFromDisk)
                  ->problem,
              "does not read back as it was written");
}

TEST_F(ReadBackTest, EveryWriterFailsOnADifferenceNamingTheFileAndTheBank) {
    // A medium that gives every file back with one byte changed.
    env.state.readBack = [this](const DriveFolder& drive, const DriveFile& file) {
        readPaths.push_back(file.pathOn(drive.path()));
        std::optional<std::string> bytes = readBackFromDisk(drive, file);
        if (bytes && !bytes->empty()) {
            (*bytes)[bytes->size() / 2] ^= 0x20;
        }
        return bytes;
    };
    JobProgress job(env.dialogs);
    env.dialogs.answer(Answer::Yes);
    const DriveBanksWriting onFloppy = WriteFloppy(
        env.state, env.dialogs, job, {DriveBank{9, "BANK9"}, std::nullopt, DriveBank{5, "BANK5"}},
        floppy().string());
    EXPECT_EQ(onFloppy.result, Result::Failed);
    EXPECT_EQ(onFloppy.message, "The bank file " + floppyFile(1).string() +
                                    " of bank BANK9 does not read back as it was written" +
                                    kFailing);
    EXPECT_EQ(job.summary(), "Writing to " + floppy().string() + " failed.");
    EXPECT_EQ(readPaths, std::vector<fs::path>{floppyFile(1)});

    const DriveBanksWriting onDisk = TransferToHardDisk(
        env.state, env.dialogs, job, {std::nullopt, DriveBank{5, "BANK5"}}, hardDisk().string());
    EXPECT_EQ(onDisk.message, "The bank file " +
                                  (hardDisk() / "!123.SET" / "STYLE" / "USER02.STY").string() +
                                  " of bank BANK5 does not read back as it was written" + kFailing);

    // A chosen file's read-back: catalogue_commands_test's make-sty.
    loadBank(9);
    MakeBankController make(env.state, env.dialogs, currentBank());
    make.select(BankTarget::hardDisk(8));
    env.dialogs.clear();
    EXPECT_FALSE(make.make());
    env.dialogs.input("Bossa");
    env.dialogs.answer(Answer::Yes);  // USER01.STY is there already
    EXPECT_FALSE(SaveStyleToFloppy(env.state, env.dialogs, 41, "ROCK1"));
    std::vector<std::string> failures;
    for (const auto& call : env.dialogs.calls()) {
        if (call.icon == UserDialogs::Icon::Critical) {
            failures.push_back(call.text);
        }
    }
    EXPECT_EQ(failures,
              (std::vector<std::string>{
                  "The bank file " + (hardDisk() / "!789.SET" / "STYLE" / "USER03.STY").string() +
                      " of bank BANK9 does not read back as it was written" + kFailing,
                  "The bank file " + floppyFile(1).string() +
                      " of style Bossa does not read back as it was written" + kFailing}));

    // A medium that cannot give the file back at all.
    env.state.readBack = [](const DriveFolder&, const DriveFile&) -> std::optional<std::string> {
        throw FileAccessError("Input/output error.");
    };
    const DriveBanksWriting unreadable = TransferToHardDisk(
        env.state, env.dialogs, job, {DriveBank{9, "BANK9"}}, hardDisk().string());
    EXPECT_EQ(unreadable.message,
              "The bank file " + (hardDisk() / "!123.SET" / "STYLE" / "USER01.STY").string() +
                  " of bank BANK9 cannot be read back (Input/output error)" + kFailing);

    // A sound medium: the summary says so.
    env.state.readBack = readBackFromDisk;
    env.dialogs.answer(Answer::Yes);
    const DriveBanksWriting sound = WriteFloppy(
        env.state, env.dialogs, job, {DriveBank{9, "BANK9"}, std::nullopt, DriveBank{5, "BANK5"}},
        floppy().string());
    EXPECT_EQ(sound.result, Result::Written);
    EXPECT_EQ(sound.message,
              "DIRECT FD floppy successfully created!\n2 bank files read back from the disk and "
              "verified.");
    EXPECT_EQ(job.summary(), "2 bank files written to " + floppy().string() + " and verified.");
    test::expectBankFile(db(), floppyFile(3), {57, 41, 88, 73}, 19);
    EXPECT_TRUE(env.dialogs.allAnswersUsed());
}

}  // namespace
}  // namespace orb
