// Times the song import of a list of 10,000 lines into a catalogue of 100,000 styles against bare
// SQLite inserts of the same rows, and opening the songs grid over 10,000 songs and 30,000 links
// against the sqlite3 shell running the same SELECT.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_songs [STYLES] [LINES]
#include <sqlite3.h>

#include <QApplication>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/console_dialogs.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "db/schema.h"
#include "db/song_store.h"
#include "db/write_transaction.h"
#include "shell_timing.h"
#include "songs/song_import.h"
#include "songs/windows/songs_window.h"
#include "state/app_state.h"

namespace {

namespace fs = std::filesystem;
using orb::bench::Clock;
using orb::bench::runShell;
using orb::bench::secondsSince;

// Dialogs that never appear: the bench asks no questions.
// Style names as bank files pad them: eleven characters, blanks at the end.
std::string styleName(int prog) {
    std::string name = "S" + std::to_string(prog);
    name.resize(11, ' ');
    return name;
}

void fillStyles(orb::Database& db, int styles) {
    orb::WriteTransaction transaction(db);
    const std::string block(512, 'x');
    for (int prog = 1; prog <= styles; ++prog) {
        db.execute(
            "INSERT INTO KORFStyles (StyleProg, StyleName1, StyleName2, StyleLength1, "
            "StyleLength2, StyleContent1, StyleContent2, StyleSeek) VALUES (pProg, pName, pName, "
            "512, 512, pBlock, pBlock, pSeek)",
            {prog, styleName(prog), orb::SqlParam::blob(block),
             orb::SqlParam::blob(std::to_string(prog) + block.substr(0, 200))});
    }
    transaction.commit();
}

// Line i: a song linked to the three styles of one name (each name is carried by three styles
// when the catalogue is made with shared names below).
std::vector<std::string> songLines(int lines, int styles) {
    std::vector<std::string> list;
    for (int i = 0; i < lines; ++i) {
        list.push_back("Song number " + std::to_string(i) + ";Artist " + std::to_string(i % 977) +
                       ";s" + std::to_string(1 + (i * 7) % styles) + ";" +
                       std::to_string(60 + i % 120) + ";" + std::to_string(i % 7 - 3) + ";note " +
                       std::to_string(i));
    }
    return list;
}

void check(int result, sqlite3* db) {
    if (result != SQLITE_OK && result != SQLITE_DONE) {
        std::cerr << "sqlite: " << sqlite3_errmsg(db) << "\n";
        std::exit(1);
    }
}

// The rows the import stored, inserted again by bare SQLite into a copy of the empty tables:
// plain ones, or (`ownSchema`) ORB's own, with their indexes and text-size guards.
double bareInserts(const fs::path& path, orb::Database& source, bool ownSchema,
                   orb::SettingsStore& settings) {
    if (ownSchema) {
        orb::Database empty;
        empty.open(path, orb::Database::OpenMode::CreateIfMissing);
        orb::CreateTables(empty, settings);
    }
    sqlite3* db = nullptr;
    check(sqlite3_open(path.c_str(), &db), db);
    if (!ownSchema) {
        check(sqlite3_exec(db,
                           "CREATE TABLE KORFSongs (SongCode INTEGER, SongTitle TEXT, "
                           "SongPerformer TEXT);"
                           "CREATE TABLE KORFSonSty (SongCode INTEGER, StyleProg INTEGER, "
                           "StyleTempo TEXT, StyleTranspose TEXT, SongNote TEXT, "
                           "PRIMARY KEY (SongCode, StyleProg));",
                           nullptr, nullptr, nullptr),
              db);
    }
    std::vector<std::array<std::string, 3>> songs;
    std::vector<std::array<std::string, 5>> links;
    for (orb::Rows rows = source.query("SELECT * FROM KORFSongs"); rows.next();) {
        songs.push_back({rows.text(0), rows.text(1), rows.text(2)});
    }
    for (orb::Rows rows = source.query("SELECT * FROM KORFSonSty"); rows.next();) {
        links.push_back({rows.text(0), rows.text(1), rows.text(2), rows.text(3), rows.text(4)});
    }
    const auto start = Clock::now();
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* song = nullptr;
    sqlite3_stmt* link = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO KORFSongs VALUES (?,?,?)", -1, &song, nullptr), db);
    check(sqlite3_prepare_v2(db, "INSERT INTO KORFSonSty VALUES (?,?,?,?,?)", -1, &link, nullptr),
          db);
    for (const auto& row : songs) {
        for (int i = 0; i < 3; ++i) {
            sqlite3_bind_text(song, i + 1, row[static_cast<std::size_t>(i)].c_str(), -1,
                              SQLITE_STATIC);
        }
        check(sqlite3_step(song), db);
        sqlite3_reset(song);
    }
    for (const auto& row : links) {
        for (int i = 0; i < 5; ++i) {
            sqlite3_bind_text(link, i + 1, row[static_cast<std::size_t>(i)].c_str(), -1,
                              SQLITE_STATIC);
        }
        check(sqlite3_step(link), db);
        sqlite3_reset(link);
    }
    sqlite3_finalize(song);
    sqlite3_finalize(link);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    const double seconds = secondsSince(start);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int styles = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int lines = argc > 2 ? std::atoi(argv[2]) : 10000;
    const fs::path dir = fs::temp_directory_path() / "orb-songs-bench";
    fs::remove_all(dir);
    fs::create_directories(dir);
    orb::QtSettingsStore settings(dir / "settings.ini");
    orb::SystemClock clock;
    orb::AppState state(settings, clock);
    const fs::path path = dir / "ORB.MDB";
    state.connection.open(path, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(state.connection, settings);
    std::cout << "Building a catalogue of " << styles << " styles..." << std::endl;
    fillStyles(state.connection, styles);

    orb::ConsoleDialogs dialogs(std::cerr, std::cerr, false);  // nothing is asked
    orb::SongImportOptions options;
    options.fields = {orb::SongField::Title, orb::SongField::Artist,    orb::SongField::Style,
                      orb::SongField::Tempo, orb::SongField::Transpose, orb::SongField::Notes};
    options.duplicates = orb::DuplicateSongs::Skip;
    const std::vector<std::string> list = songLines(lines, styles);
    const auto importStart = Clock::now();
    const orb::SongImportSummary summary = orb::ImportSongLines(state, dialogs, list, options);
    const double import = secondsSince(importStart);
    const double bare = bareInserts(dir / "bare.db", state.connection, false, settings);
    std::printf(
        "import of %d lines (%d songs, %d links): %.3f s, bare inserts %.3f s, ratio %.2f\n", lines,
        summary.songs, summary.links, import, bare, import / bare);
    const double ownTables = bareInserts(dir / "own.db", state.connection, true, settings);
    std::printf(
        "import against bare inserts into ORB's own tables (indexes and guards): "
        "%.3f s, ratio %.2f\n",
        ownTables, import / ownTables);

    // Two more links per song: 10,000 songs and 30,000 links.
    {
        orb::WriteTransaction transaction(state.connection);
        for (orb::Rows rows = state.connection.query("SELECT SongCode FROM KORFSongs");
             rows.next();) {
            const auto code = static_cast<std::int32_t>(rows.integer(0));
            for (int extra = 1; extra <= 2; ++extra) {
                state.connection.execute(
                    "INSERT OR IGNORE INTO KORFSonSty VALUES (pC, pS, '100', '0', 'more')",
                    {code, 1 + (code * 13 + extra * 101) % styles});
            }
        }
        transaction.commit();
    }
    const std::string select = orb::songGridStatement({});
    runShell(path, select);  // warms the file cache for both sides alike
    const auto openStart = Clock::now();
    orb::SongsWindow window(state, dialogs);
    window.show();
    QApplication::processEvents();
    const double open = secondsSince(openStart);
    const int rows = window.findChild<QTableView*>("grSongs")->model()->rowCount();
    const double shell = runShell(path, select);
    std::printf("open songs grid (%d rows): %.3f s, sqlite3 shell %.3f s, ratio %.2f\n", rows, open,
                shell, open / shell);
    state.connection.close();
    fs::remove_all(dir);
    return 0;
}
