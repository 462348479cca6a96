#include <gtest/gtest.h>

#include <QDir>
#include <cctype>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/parameters_controller.h"
#include "app/startup.h"
#include "support/query_column.h"
#include "support/temp_dir.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using Texts = std::vector<std::string>;

using Call = test::ScriptedDialogs::Call;
using Answer = UserDialogs::Answer;
using Icon = UserDialogs::Icon;
using P = ParametersController;

class Parameters : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        env.state.KorgUtilityPath = "";
        env.state.FloppyPath = "/media/floppy";
        env.state.BackupPath = "/backups/orb.odd";
        env.state.PaHardDiskPath = "/media/pa";
        env.state.styleQuery.filter(StyleColumn::Name) = "ROCK";
        utility = (env.dir / "Korg Utility.exe").string();
        test::writeFile(utility, "MZ");
    }

    // A second database file, empty: the schema step has not seen it yet.
    std::string emptyDatabase(const std::string& name) {
        const auto path = env.dir / name;
        Database().open(path, Database::OpenMode::CreateIfMissing);
        return path.string();
    }

    // The one message of a rejected save, with its title and icon checked.
    std::string rejection() {
        const auto& calls = env.dialogs.calls();
        if (calls.size() != 1) {
            ADD_FAILURE() << calls.size() << " dialogs instead of one";
            return {};
        }
        EXPECT_EQ(std::tie(calls[0].title, calls[0].icon, calls[0].buttons),
                  std::tuple("Save Parameters Value", Icon::Critical, UserDialogs::Buttons::Ok));
        std::string text = calls[0].text;
        env.dialogs.clear();
        return text;
    }

    test::TestEnvironment env;
    std::string utility;
};

TEST_F(Parameters, EachRejectionKeepsWhatWasTypedAndStoresNothing) {
    const std::string database = env.state.DatabasePath;
    const auto* connection = env.state.connection.handle();
    env.state.connection.execute("INSERT INTO KORFSongs (SongCode, SongTitle) VALUES (7, 'Kept')");
    P controller(env.state, env.dialogs);
    EXPECT_EQ((Texts{controller.field(P::DatabaseBox), controller.field(P::KorgUtilityBox),
                     controller.field(P::FloppyBox), controller.field(P::BackupBox),
                     controller.field(P::PaHardDiskBox)}),
              (Texts{database, "", "/media/floppy", "/backups/orb.odd", "/media/pa"}));
    controller.setField(P::FloppyBox, "/media/other");

    const std::string folder = env.dir.path().string();
    const std::string notes = (env.dir / "notes.mdb").string();
    test::writeFile(notes, std::string(200, 'x'));
    const struct {
        P::Field field;
        std::string typed;
        std::string message;
    } cases[] = {
        {P::DatabaseBox, "   ", "Database path is mandatory!"},
        {P::DatabaseBox, folder, "Database file not found!"},  // a folder is no database file
        // A file that is no database keeps the old one in use.
        {P::DatabaseBox, notes,
         "The file " + notes +
             " cannot be opened as an ORB database (file is not a database: " + notes + ")."},
        {P::KorgUtilityBox, (env.dir / "nokorg.exe").string(), "KORG utility not found!"},
        {P::KorgUtilityBox, folder, "KORG utility not found!"},
    };
    for (const auto& c : cases) {
        controller.setField(P::DatabaseBox, database);
        controller.setField(P::KorgUtilityBox, "");
        controller.setField(c.field, c.typed);
        EXPECT_FALSE(controller.save());
        EXPECT_EQ(rejection(), c.message);
        EXPECT_EQ(controller.field(c.field), c.typed);
    }

    // Names tell letter case apart: the upper-case spelling of the path in use is another file.
    std::string shouted = database;
    for (char& c : shouted) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    ASSERT_NE(shouted, database);
    controller.setField(P::DatabaseBox, shouted);
    env.dialogs.answer(Answer::No);  // to creating one there
    EXPECT_FALSE(controller.save());
    ASSERT_EQ(env.dialogs.messages(), Texts{"There is no database at " + shouted +
                                            ". Create a new, empty ORB database there?"});
    EXPECT_FALSE(std::filesystem::exists(shouted));
    EXPECT_EQ(controller.field(P::FloppyBox), "/media/other");

    EXPECT_EQ(env.state.FloppyPath, "/media/floppy");
    EXPECT_EQ(env.settings.get("PARAMETERS", "FLOPPYDRIVE", "unset"), "unset");
    EXPECT_EQ(env.settings.get("PATH", "DATABASE", "unset"), "unset");
    EXPECT_EQ(env.state.DatabasePath, database);
    EXPECT_EQ(env.state.connection.handle(), connection);
    EXPECT_EQ(env.state.styleQuery.filter(StyleColumn::Name), "ROCK");
    EXPECT_TRUE(env.state.connection.query("SELECT 1 FROM KORFSongs WHERE SongCode = 7").next());
    env.state.FloppyPath = "/media/usb";
    controller.load();
    EXPECT_EQ(controller.field(P::FloppyBox), "/media/usb");
}

TEST_F(Parameters, SavingTrimsKeepsLetterCaseAndStoresEveryKey) {
    P controller(env.state, env.dialogs);
    const auto* connection = env.state.connection.handle();
    const std::string database = env.state.DatabasePath;
    controller.setField(P::DatabaseBox, "  " + database + " ");
    controller.setField(P::KorgUtilityBox, "\t" + utility + "  ");
    controller.setField(P::FloppyBox, " /media/Floppy ");
    controller.setField(P::BackupBox, "/backups/My Dump.odd ");
    controller.setField(P::PaHardDiskBox, "");
    ASSERT_TRUE(controller.save());
    EXPECT_TRUE(env.dialogs.calls().empty());

    const std::vector<std::string> saved = {database, utility, "/media/Floppy",
                                            "/backups/My Dump.odd", ""};
    EXPECT_EQ((Texts{env.state.DatabasePath, env.state.KorgUtilityPath, env.state.FloppyPath,
                     env.state.BackupPath, env.state.PaHardDiskPath}),
              saved);
    EXPECT_EQ((Texts{env.settings.get("PATH", "DATABASE", ""),
                     env.settings.get("PARAMETERS", "KORGPROG", ""),
                     env.settings.get("PARAMETERS", "FLOPPYDRIVE", ""),
                     env.settings.get("PARAMETERS", "ORBBACKUP", ""),
                     env.settings.get("PARAMETERS", "PAHDDRIVE", "unset")}),
              saved);

    // The same database path is no change: the connection and the filter stay.
    EXPECT_EQ(env.state.connection.handle(), connection);
    EXPECT_EQ(env.state.styleQuery.filter(StyleColumn::Name), "ROCK");

    // A blank utility path is no path, and is accepted.
    controller.setField(P::KorgUtilityBox, "   ");
    ASSERT_TRUE(controller.save());
    EXPECT_EQ(env.state.KorgUtilityPath, "");
    EXPECT_EQ(env.settings.get("PARAMETERS", "KORGPROG", "unset"), "");
    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST_F(Parameters, ANewDatabasePathReopensAtOnceAndGetsTheTables) {
    const std::string other = emptyDatabase("Other Catalogue.mdb");
    const std::string fresh = (env.dir / "new" / "Fresh.mdb").string();
    P controller(env.state, env.dialogs);
    controller.setField(P::DatabaseBox, other);
    ASSERT_TRUE(controller.save());
    EXPECT_TRUE(env.dialogs.calls().empty());
    EXPECT_EQ(env.state.connection.path(), other);
    EXPECT_EQ(env.state.DatabasePath, other);
    EXPECT_EQ(env.settings.get("PATH", "DATABASE", ""), other);
    for (const char* table : {"KORFStyles", "KORFBanks", "KORFSongs", "KORFSonSty"}) {
        EXPECT_EQ(test::rowCount(env.state.connection, table), 0) << table;
    }
    EXPECT_EQ(env.state.styleQuery, StyleQuery{});

    controller.setField(P::DatabaseBox, " " + fresh + " ");
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(controller.save());
    EXPECT_EQ(env.dialogs.calls().size(), 1u);  // the question, nothing else
    EXPECT_EQ(env.state.connection.path(), fresh);
    EXPECT_EQ(env.settings.get("PATH", "DATABASE", ""), fresh);
    EXPECT_EQ(test::rowCount(env.state.connection, "KORFStyles"), 0);
}

TEST_F(Parameters, SearchFillsItsBoxAndACancelLeavesIt) {
    const test::ScopedHome home(env.dir / "home");
    P controller(env.state, env.dialogs);
    const std::string floppy = (env.dir / "floppy").string();
    std::filesystem::create_directories(floppy);
    controller.setField(P::FloppyBox, floppy);
    controller.setField(P::PaHardDiskBox, (env.dir / "gone" / "pa").string());
    controller.setField(P::DatabaseBox, "typed");
    env.dialogs.file("");
    EXPECT_EQ(controller.search(0), P::kFieldCount);
    EXPECT_EQ(controller.field(P::DatabaseBox), "typed");
    env.dialogs.clear();

    // The backup's name is typed without its extension, which the dump's filter gives it.
    const std::vector<std::string> chosen = {"/data/New.MDB", "/opt/korg/pautil", "/backups/new",
                                             "/media/stick", "/media/pa2"};
    for (const std::string& path : chosen) {
        env.dialogs.file(path);
    }
    const std::vector<P::Field> boxes = {P::DatabaseBox, P::KorgUtilityBox, P::BackupBox,
                                         P::FloppyBox, P::PaHardDiskBox};
    for (std::size_t i = 0; i < P::kSearchCount; ++i) {
        EXPECT_EQ(controller.search(i), boxes[i]);
        EXPECT_EQ(controller.field(boxes[i]), chosen[i] + (i == 2 ? ".ODD" : ""));
    }
    // A file ORB reads is opened, the dump it writes is saved (it may be new), folders are
    // chosen as folders, starting where the box points when that folder exists, else at home.
    std::vector<std::tuple<Call::Kind, std::string, std::string>> asked;
    for (const Call& call : env.dialogs.calls()) {
        asked.emplace_back(call.kind, call.text, call.proposal);
    }
    EXPECT_EQ(asked,
              (std::vector<std::tuple<Call::Kind, std::string, std::string>>{
                  {Call::Kind::OpenFile, "ORB Database (*.MDB)|*.MDB", (env.dir / "home").string()},
                  {Call::Kind::OpenFile, "Programs|*", (env.dir / "home").string()},
                  {Call::Kind::SaveFile, "ORB Database Dump (*.ODD)|*.ODD",
                   (env.dir / "home" / "orb.odd").string()},
                  {Call::Kind::Folder, "", floppy},
                  {Call::Kind::Folder, "", (env.dir / "home").string()}}));
    // Nothing is applied before Save.
    EXPECT_EQ(env.state.BackupPath, "/backups/orb.odd");
}

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
    EXPECT_EQ((Texts{env.state.KorgUtilityPath, env.state.FloppyPath, env.state.PaHardDiskPath,
                     env.state.BackupPath}),
              (Texts{"/opt/korg/util", "/media/floppy", "/media/pa", "/backups/orb.odd"}));
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
    EXPECT_EQ(std::tie(calls[0].text, calls[0].icon, calls[0].title),
              std::tuple("The database file " + gone + " was not found.", Icon::Critical, "ORB"));
    EXPECT_EQ(std::tie(calls[1].kind, calls[1].text, calls[1].title, calls[1].proposal),
              std::tuple(Call::Kind::InputBox, kPrompt, "ORB", gone));
    EXPECT_EQ(std::tie(calls[2].text, calls[2].defaultAnswer),
              std::tuple("There is no database at " + missing +
                             ". Create a new, empty ORB database there?",
                         Answer::No));
    EXPECT_EQ(calls[3].proposal, missing);
    EXPECT_EQ(std::tie(calls[4].text, calls[4].icon, calls[4].buttons),
              std::tuple(kTryAgain, Icon::Critical, UserDialogs::Buttons::YesNo));
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
