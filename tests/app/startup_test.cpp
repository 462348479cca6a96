#include <gtest/gtest.h>

#include <QDir>

#include "app/startup.h"
#include "support/query_column.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using Call = test::ScriptedDialogs::Call;
using Answer = UserDialogs::Answer;

// The example is a path of this platform, under the home folder.
const std::string kPrompt =
    "Please insert database path (Example: " + QDir::homePath().toStdString() + "/ORB/ORB.MDB)";
constexpr const char* kTryAgain = "A database path is needed or ORB cannot continue. Try again?";

TEST(Startup, FirstRunCreatesTheDefaultDatabaseWithoutAQuestion) {
    test::TestEnvironment env;
    const auto firstRunPath = env.dir / "data" / "ORB.MDB";
    ASSERT_EQ(Main(env.state, env.dialogs, firstRunPath), StartupOutcome::Ready);
    EXPECT_TRUE(env.dialogs.calls().empty());
    EXPECT_EQ(env.state.DatabasePath, firstRunPath.string());
    EXPECT_EQ(env.settings.get("PATH", "DATABASE", ""), firstRunPath.string());
    EXPECT_TRUE(env.state.connection.isOpen());
    EXPECT_EQ(test::rowCount(env.state.connection, "KORFStyles"), 0);
}

TEST(Startup, AStoredPathIsUsedAsItIsAndTheParametersAreRead) {
    test::TestEnvironment env;
    const auto stored = env.dir / "Mixed Case.mdb";
    { Database().open(stored, Database::OpenMode::CreateIfMissing); }
    env.settings.set("PATH", "DATABASE", stored.string());
    env.settings.set("PARAMETERS", "KORGPROG", "/opt/korg/util");
    env.settings.set("PARAMETERS", "FLOPPYDRIVE", "/media/floppy");
    env.settings.set("PARAMETERS", "PAHDDRIVE", "/media/pa");
    env.settings.set("PARAMETERS", "ORBBACKUP", "/backups/orb.odd");
    env.state.styleQuery.filter(StyleColumn::Family) = "OLD";

    ASSERT_EQ(Main(env.state, env.dialogs, env.dir / "unused.mdb"), StartupOutcome::Ready);
    EXPECT_TRUE(env.dialogs.calls().empty());
    EXPECT_EQ(env.state.connection.path(), stored);
    EXPECT_EQ(env.state.KorgUtilityPath, "/opt/korg/util");
    EXPECT_EQ(env.state.FloppyPath, "/media/floppy");
    EXPECT_EQ(env.state.PaHardDiskPath, "/media/pa");
    EXPECT_EQ(env.state.BackupPath, "/backups/orb.odd");
    EXPECT_EQ(env.state.styleQuery, StyleQuery{});
    EXPECT_FALSE(std::filesystem::exists(env.dir / "unused.mdb"));
}

TEST(Startup, ThePromptLoopAndNoEndsTheProgram) {
    test::TestEnvironment env;
    const auto gone = (env.dir / "gone.mdb").string();
    const auto missing = (env.dir / "missing.mdb").string();
    env.settings.set("PATH", "DATABASE", gone);
    env.dialogs.input(missing);       // names no file
    env.dialogs.answer(Answer::No);   // do not create it
    env.dialogs.input(std::nullopt);  // cancel: the input box came back with `missing`
    env.dialogs.answer(Answer::Yes);  // try again
    env.dialogs.input("");            // empty answer, proposal now empty
    env.dialogs.answer(Answer::No);   // give up

    EXPECT_EQ(Main(env.state, env.dialogs, env.dir / "unused.mdb"), StartupOutcome::Quit);
    EXPECT_TRUE(env.dialogs.allAnswersUsed());
    const auto& calls = env.dialogs.calls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].text, "The database file " + gone + " was not found.");
    EXPECT_EQ(calls[0].icon, UserDialogs::Icon::Critical);
    EXPECT_EQ(calls[0].title, "ORB");
    EXPECT_EQ(calls[1].kind, Call::Kind::InputBox);
    EXPECT_EQ(calls[1].text, kPrompt);
    EXPECT_EQ(calls[1].title, "ORB");
    EXPECT_EQ(calls[1].proposal, gone);
    EXPECT_EQ(calls[2].text,
              "There is no database at " + missing + ". Create a new, empty ORB database there?");
    EXPECT_EQ(calls[2].defaultAnswer, Answer::No);
    EXPECT_EQ(calls[3].proposal, missing);
    EXPECT_EQ(calls[4].text, kTryAgain);
    EXPECT_EQ(calls[4].icon, UserDialogs::Icon::Critical);
    EXPECT_EQ(calls[4].buttons, UserDialogs::Buttons::YesNo);
    EXPECT_EQ(calls[5].proposal, "");
    EXPECT_EQ(calls[6].text, kTryAgain);
    EXPECT_FALSE(env.state.connection.isOpen());
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(env.settings.get("PATH", "DATABASE", ""), gone);
}

TEST(Startup, AFileThatIsNotADatabaseIsReportedNeverOpened) {
    test::TestEnvironment env;
    const auto text = env.dir / "notes.mdb";
    test::writeFile(text, std::string(4096, 'n'));
    env.settings.set("PATH", "DATABASE", text.string());
    const auto created = (env.dir / "new" / "orb.mdb").string();
    env.dialogs.input(created);
    env.dialogs.answer(Answer::Yes);  // create it

    ASSERT_EQ(Main(env.state, env.dialogs, env.dir / "unused.mdb"), StartupOutcome::Ready);
    EXPECT_EQ(env.dialogs.messages().front(),
              "The file " + text.string() +
                  " cannot be opened as an ORB database (file is not a database: " + text.string() +
                  ").");
    EXPECT_EQ(test::readFile(text), std::string(4096, 'n'));
    EXPECT_EQ(env.state.connection.path(), created);
    EXPECT_EQ(env.settings.get("PATH", "DATABASE", ""), created);
    EXPECT_EQ(test::rowCount(env.state.connection, "KORFStyles"), 0);
}

}  // namespace
}  // namespace orb
