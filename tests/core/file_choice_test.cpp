#include "core/file_choice.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_environment.h"

namespace orb::test {
namespace {

namespace fs = std::filesystem;
using Kind = ScriptedDialogs::Call::Kind;

TEST(FileChoice, EachKindStartsInItsLastFolderElseHome) {
    TestEnvironment env;
    const ScopedHome home(env.dir / "home");
    const fs::path banks = env.dir / "banks";
    const fs::path singles = env.dir / "singles";
    fs::create_directories(banks);
    fs::create_directories(singles);
    FileChoice choice(env.dialogs, env.settings);

    env.dialogs.file((banks / "PARTY.STY").string());
    EXPECT_EQ(choice.openFile(FileKind::Styles, "Styles (*.STY)|*.STY"),
              (banks / "PARTY.STY").string());
    EXPECT_EQ(env.settings.get("LASTFOLDER", "STY", "none"), banks.string());

    env.dialogs.file(singles.string());
    EXPECT_EQ(choice.folder(FileKind::SingleStyles, ""), singles.string());
    EXPECT_EQ(env.settings.get("LASTFOLDER", "SSF", "none"), singles.string());

    env.dialogs.file("");  // cancelled: nothing remembered
    EXPECT_EQ(choice.openFile(FileKind::Dump, "ORB Database Dump (*.ODD)|*.ODD"), "");
    EXPECT_EQ(env.settings.get("LASTFOLDER", "ODD", "none"), "none");

    for (int i = 0; i < 5; ++i) {
        env.dialogs.file("");
    }
    choice.openFile(FileKind::Styles, "Styles (*.STY)|*.STY");
    choice.folder(FileKind::SingleStyles, (env.dir / "gone").string());
    choice.folder(FileKind::SingleStyles, banks.string());
    choice.openFile(FileKind::Dump, "ORB Database Dump (*.ODD)|*.ODD");
    fs::remove(singles);
    choice.folder(FileKind::SingleStyles, "");

    std::vector<std::string> proposals;
    for (const auto& call : env.dialogs.calls()) {
        proposals.push_back(call.proposal);
    }
    // A folder typed that does not exist gives way to the last one used (the fifth); a
    // remembered folder that has gone since gives way to home (the last).
    const std::string start = (env.dir / "home").string();
    ASSERT_EQ(proposals,
              (std::vector<std::string>{start, start, start, banks.string(), singles.string(),
                                        banks.string(), start, start}));
    EXPECT_EQ(env.dialogs.calls()[0].kind, Kind::OpenFile);
    EXPECT_EQ(env.dialogs.calls()[1].kind, Kind::Folder);
}

TEST(FileChoice, SaveProposesTheNameInTheLastFolderAndAddsTheExtension) {
    TestEnvironment env;
    const ScopedHome home(env.dir / "home");
    const fs::path stick = env.dir / "stick";
    fs::create_directories(stick);
    FileChoice choice(env.dialogs, env.settings);
    // A bank saved under the name the dialog gives in the stick.
    const auto saveBank = [&](const std::string& name) {
        env.dialogs.file((stick / name).string());
        return choice.saveFile(FileKind::Styles, "Styles (*.STY)|*.STY|All files (*)|*",
                               "ROCK.STY");
    };

    EXPECT_EQ(saveBank("mybank"), (stick / "mybank.STY").string());
    EXPECT_EQ(saveBank("other.sty"), (stick / "other.sty").string());
    env.dialogs.file((stick / "list").string());
    EXPECT_EQ(
        choice.saveFile(FileKind::Pdf, "PDF file (*.pdf)|*.pdf|All files (*)|*", "Styles.pdf"),
        (stick / "list.pdf").string());
    // A proposal whose folder exists is kept as it is.
    const std::string dump = (env.dir / "nightly.ODD").string();
    env.dialogs.file((stick / "sunday").string());
    EXPECT_EQ(choice.saveFile(FileKind::Dump, "ORB Database Dump (*.ODD)|*.ODD", dump),
              (stick / "sunday.ODD").string());

    // The dialog asked about "taken", not "taken.STY": replacing that is asked here.
    writeFile(stick / "taken.STY", "old bank");
    env.dialogs.answer(UserDialogs::Answer::No);
    EXPECT_EQ(saveBank("taken"), "");
    env.dialogs.answer(UserDialogs::Answer::Yes);
    EXPECT_EQ(saveBank("taken"), (stick / "taken.STY").string());
    EXPECT_EQ(env.dialogs.messages(),
              std::vector<std::string>(2, "The file " + (stick / "taken.STY").string() +
                                              " already exists. Replace it?"));
    EXPECT_TRUE(env.dialogs.allAnswersUsed());

    const auto& calls = env.dialogs.calls();
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[0].kind, Kind::SaveFile);
    EXPECT_EQ(calls[0].proposal, (env.dir / "home" / "ROCK.STY").string());
    EXPECT_EQ(calls[1].proposal, (stick / "ROCK.STY").string());
    EXPECT_EQ(calls[2].proposal, (env.dir / "home" / "Styles.pdf").string());
    EXPECT_EQ(calls[3].proposal, dump);
    EXPECT_EQ(env.settings.get("LASTFOLDER", "PDF", ""), stick.string());
}

TEST(FileChoice, ExtensionComesFromTheFirstPatternOnly) {
    EXPECT_EQ(withFilterExtension("/a/b/song", "Single Style File (*.SSF)|*.SSF"), "/a/b/song.SSF");
    EXPECT_EQ(withFilterExtension("/a/b.d/song", "Styles (*.STY)|*.STY"), "/a/b.d/song.STY");
    EXPECT_EQ(withFilterExtension("/a/song.txt", "Styles (*.STY)|*.STY"), "/a/song.txt");
    EXPECT_EQ(withFilterExtension("/a/song", "All files (*)|*"), "/a/song");
    EXPECT_EQ(withFilterExtension("/a/song", "Pictures|*.png;*.jpg"), "/a/song.png");
    EXPECT_EQ(withFilterExtension("/a/song", "no patterns"), "/a/song");
}

TEST(FileChoice, MissingFolderIsCreatedOnlyWhenThePersonAgrees) {
    TestEnvironment env;
    const fs::path target = env.dir / "export" / "pa800";

    EXPECT_TRUE(ensureFolderExists(env.dir.path().string(), env.dialogs));
    EXPECT_TRUE(env.dialogs.calls().empty());

    env.dialogs.answer(UserDialogs::Answer::No);
    EXPECT_FALSE(ensureFolderExists(target.string(), env.dialogs));
    EXPECT_FALSE(fs::exists(env.dir / "export"));
    ASSERT_EQ(env.dialogs.messages(), std::vector<std::string>{"The folder " + target.string() +
                                                               " does not exist. Create it?"});
    EXPECT_EQ(env.dialogs.calls()[0].buttons, UserDialogs::Buttons::YesNo);
    EXPECT_EQ(env.dialogs.calls()[0].defaultAnswer, UserDialogs::Answer::No);

    env.dialogs.answer(UserDialogs::Answer::Yes);
    EXPECT_TRUE(ensureFolderExists(target.string(), env.dialogs));
    EXPECT_TRUE(fs::is_directory(target));

    writeFile(env.dir / "plain", "x");
    const fs::path impossible = env.dir / "plain" / "sub";
    env.dialogs.clear();
    env.dialogs.answer(UserDialogs::Answer::Yes);
    EXPECT_FALSE(ensureFolderExists(impossible.string(), env.dialogs));
    EXPECT_EQ(env.dialogs.messages().back(),
              "The folder " + impossible.string() + " could not be created (Not a directory).");
    EXPECT_TRUE(env.dialogs.allAnswersUsed());
}

}  // namespace
}  // namespace orb::test
