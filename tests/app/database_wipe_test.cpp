#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/database_wipe.h"
#include "support/query_column.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using Call = test::ScriptedDialogs::Call;
using Answer = UserDialogs::Answer;
using Icon = UserDialogs::Icon;

constexpr const char* kPrompt = "WARNING: insert password for complete database deletion";
constexpr const char* kAreYouSure =
    "WARNING: All data inside ORB database will be deleted. Are you sure?";
constexpr int kAllThree = kShiftKey | kCtrlKey | kAltKey;

void fillEveryTable(Database& db) {
    db.execute(
        "INSERT INTO KORFStyles (StyleProg, StyleName1, StyleContent1) VALUES (1, 'Rock', "
        "pContent)",
        {SqlParam::blob(std::string("\x00\x81\xff", 3))});
    db.execute("INSERT INTO KORFStyles (StyleProg, StyleName1) VALUES (2, 'Swing')");
    db.execute("INSERT INTO KORFBanks (BankProg, BankName, BankStyle01) VALUES (1, 'Live', 1)");
    db.execute("INSERT INTO KORFSongs (SongCode, SongTitle) VALUES (1, 'Volare')");
    db.execute("INSERT INTO KORFSonSty (SongCode, StyleProg, SongNote) VALUES (1, 2, 'intro')");
}

// Rows of KORFStyles, KORFBanks, KORFSongs and KORFSonSty as "s,b,n,l".
std::string counts(Database& db) {
    std::string text;
    for (const char* table : {"KORFStyles", "KORFBanks", "KORFSongs", "KORFSonSty"}) {
        text += (text.empty() ? "" : ",") + std::to_string(test::rowCount(db, table));
    }
    return text;
}

class DatabaseWipe : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        fillEveryTable(env.state.connection);
    }
    test::TestEnvironment env;
};

TEST_F(DatabaseWipe, OnlyALeftPressWithShiftCtrlAndAltAsksAndOnlyThePasswordGoesOn) {
    EXPECT_TRUE(IsWipeGesture(MouseButton::Left, kAllThree));
    for (int state : {0, kCtrlKey | kAltKey, kShiftKey | kCtrlKey, kShiftKey | kAltKey, kShiftKey,
                      kCtrlKey, kAltKey}) {
        EXPECT_EQ(PictureMouseDown(env.state, env.dialogs, MouseButton::Left, state),
                  WipeOutcome::NotAsked)
            << "shift state " << state;
    }
    for (MouseButton button : {MouseButton::Right, MouseButton::Middle, MouseButton::Other}) {
        EXPECT_EQ(PictureMouseDown(env.state, env.dialogs, button, kAllThree),
                  WipeOutcome::NotAsked);
    }
    EXPECT_TRUE(env.dialogs.calls().empty());

    // Anything but the exact password says nothing and changes nothing.
    const std::optional<std::string> wrong[] = {"tape on/off",  "Tape On/Off", "TAPE ON/OFF ",
                                                " TAPE ON/OFF", "TAPE ONOFF",  "",
                                                std::nullopt};
    for (const auto& answer : wrong) {
        env.dialogs.clear();
        env.dialogs.input(answer);
        EXPECT_EQ(PictureMouseDown(env.state, env.dialogs, MouseButton::Left, kAllThree),
                  WipeOutcome::Declined);
        ASSERT_EQ(env.dialogs.calls().size(), 1u);
        const Call& asked = env.dialogs.calls()[0];  // typed masked
        EXPECT_EQ(std::tie(asked.kind, asked.text, asked.title, asked.proposal),
                  std::tuple(Call::Kind::SecretInputBox, kPrompt, "ORB", ""));
    }
    EXPECT_EQ(counts(env.state.connection), "2,1,1,1");
}

TEST_F(DatabaseWipe, WhatStopsTheWipeKeepsEveryRow) {
    const std::string refused = "ORB database was not initialized: the database " +
                                env.state.DatabasePath +
                                " refused the deletion; the catalogue is as it was (";
    const struct {
        std::vector<const char*> setup;
        Answer answer;
        WipeOutcome outcome;
        std::string last;
        Icon icon;
    } cases[] = {
        {{}, Answer::No, WipeOutcome::Declined, kAreYouSure, Icon::Question},
        {{"CREATE TRIGGER keep_links BEFORE DELETE ON KORFSonSty "
          "BEGIN SELECT RAISE(ABORT, 'links are locked'); END"},
         Answer::Yes,
         WipeOutcome::Failed,
         refused + "links are locked).",
         Icon::Critical},
        {{"DROP TRIGGER keep_links", "PRAGMA query_only = ON"},
         Answer::Yes,
         WipeOutcome::Failed,
         refused + "attempt to write a readonly database).",
         Icon::Critical},
    };
    for (const auto& c : cases) {
        for (const char* sql : c.setup) {
            env.state.connection.execute(sql);
        }
        env.dialogs.clear();
        env.dialogs.input("TAPE ON/OFF");
        env.dialogs.answer(c.answer);
        EXPECT_EQ(WipeDatabase(env.state, env.dialogs), c.outcome);
        EXPECT_EQ(counts(env.state.connection), "2,1,1,1");
        const auto& calls = env.dialogs.calls();
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(std::tie(calls[1].text, calls[1].title, calls[1].icon, calls[1].buttons,
                           calls[1].defaultAnswer),
                  std::tuple(kAreYouSure, "ORB", Icon::Question, UserDialogs::Buttons::YesNo,
                             Answer::No));
        EXPECT_EQ(std::tie(calls.back().text, calls.back().icon), std::tie(c.last, c.icon));
        EXPECT_FALSE(env.state.connection.inTransaction());
    }
    EXPECT_EQ(test::column(env.state.connection,
                           "SELECT StyleContent1 FROM KORFStyles WHERE StyleProg = 1"),
              std::vector<std::string>{std::string("\x00\x81\xff", 3)});
}

TEST_F(DatabaseWipe, YesKeepsARestorePointAndEmptiesTheFourTables) {
    env.state.styleQuery.filter(StyleColumn::Group) = "ROCK";
    env.settings.set("PARAMETERS", "FLOPPYDRIVE", "/media/floppy");
    const auto* connection = env.state.connection.handle();
    env.clock.setTime("18:25:00");
    env.dialogs.input("TAPE ON/OFF");
    env.dialogs.answer(Answer::Yes);
    EXPECT_EQ(PictureMouseDown(env.state, env.dialogs, MouseButton::Left, kAllThree),
              WipeOutcome::Wiped);

    EXPECT_EQ(counts(env.state.connection), "0,0,0,0");
    const auto& calls = env.dialogs.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2].text,
              "ORB database successfully initialized: every style, bank, song and link was "
              "deleted. \"Undo last change ...\" in the File menu brings them back.");
    EXPECT_EQ(calls[2].icon, Icon::Information);
    EXPECT_EQ(env.state.styleQuery.filter(StyleColumn::Group), "ROCK");
    EXPECT_EQ(env.settings.get("PARAMETERS", "FLOPPYDRIVE", ""), "/media/floppy");
    EXPECT_EQ(env.state.connection.handle(), connection);
    EXPECT_FALSE(env.state.connection.inTransaction());
    env.state.connection.execute("INSERT INTO KORFSongs (SongCode, SongTitle) VALUES (2, 'New')");
    EXPECT_EQ(counts(env.state.connection), "0,0,1,0");  // the tables stay and take new rows

    std::vector<RestorePoint> points = env.state.restorePoints().list(env.state.DatabasePath);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].action, "emptying the database");
    EXPECT_EQ(points[0].time, "2026-12-06 18:25:00");
    env.state.restorePoints().bringBack(env.state.connection, points[0]);
    EXPECT_EQ(counts(env.state.connection), "2,1,1,1");

    // The folder of restore points turns into a file: the wipe stops before deleting anything.
    std::filesystem::remove_all(env.state.RestorePointFolder);
    test::writeFile(env.state.RestorePointFolder, "");
    env.dialogs.clear();
    env.dialogs.input("TAPE ON/OFF");
    env.dialogs.answer(Answer::Yes);
    EXPECT_EQ(WipeDatabase(env.state, env.dialogs), WipeOutcome::Failed);
    EXPECT_EQ(counts(env.state.connection), "2,1,1,1");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_TRUE(calls[2].text.starts_with(
        "ORB could not keep a restore point before emptying the database: the folder " +
        env.state.RestorePointFolder.string() + " cannot be made ("))
        << calls[2].text;
    EXPECT_EQ(calls[2].icon, Icon::Critical);
}

}  // namespace
}  // namespace orb
