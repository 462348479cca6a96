// Times opening the styles window's grid on a catalogue of 100,000 styles (the query and the
// model fill) and one re-sort by a header button, against the sqlite3 shell running the same
// SELECT, and reports the resident memory the grid adds.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_styles_grid [STYLES]
#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "catalogue/style_list.h"
#include "catalogue/windows/styles_window.h"
#include "cli/console_dialogs.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "db/schema.h"
#include "db/write_transaction.h"
#include "realistic_styles.h"
#include "shell_timing.h"
#include "state/app_state.h"

namespace {

using orb::bench::Clock;
using orb::bench::runShell;
using orb::bench::secondsSince;

void fill(orb::Database& db, int styles) {
    orb::WriteTransaction transaction(db);
    const char* families[] = {"Pop", "Rock", "Ballroom", "Latin", "Jazz", "Country", "Dance"};
    for (int prog = 1; prog <= styles; ++prog) {
        const std::string name = "Style" + std::to_string((prog * 7919) % 1000003);
        const orb::BankFileStyle style =
            orb::bench::realisticStyle(static_cast<std::uint64_t>(prog), name.substr(0, 11));
        const std::string desc = "Description of style number " + std::to_string(prog);
        db.execute(
            "INSERT INTO KORFStyles VALUES (pProg, pName, pName, pLength1, pLength2, pContent1, "
            "pContent2, pSeek, '2026/12/06', pDesc, 'Group', pFamily, 'USER01.STY', 'Author')",
            {prog, style.StyleName1, style.StyleLength1, style.StyleLength2,
             orb::SqlParam::blob(style.StyleContent1), orb::SqlParam::blob(style.StyleContent2),
             orb::SqlParam::blob(std::string_view(style.StyleContent1).substr(0, 250)), desc,
             families[prog % 7]});
    }
    transaction.commit();
}

long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int styles = argc > 1 ? std::atoi(argv[1]) : 100000;
    const auto dir = std::filesystem::temp_directory_path() / "orb-styles-grid-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    orb::QtSettingsStore settings(dir / "settings.ini");
    orb::SystemClock clock;
    orb::AppState state(settings, clock);
    const auto path = dir / "ORB.MDB";
    state.connection.open(path, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(state.connection, settings);
    std::cout << "Building a catalogue of " << styles << " styles..." << std::endl;
    fill(state.connection, styles);

    // Warm the file cache for both sides alike.
    runShell(path, orb::styleListStatement({}));
    orb::ConsoleDialogs dialogs(std::cerr, std::cerr, false);  // nothing is asked
    const long before = residentKb();
    const auto openStart = Clock::now();
    orb::StylesWindow window(state, dialogs);
    window.show();
    QApplication::processEvents();
    const double open = secondsSince(openStart);
    const long added = residentKb() - before;
    const int rows = window.findChild<QTableView*>("grdStyles")->model()->rowCount();
    if (rows != styles) {
        std::cerr << "the grid shows " << rows << " rows\n";
        return 1;
    }

    const auto sortStart = Clock::now();
    window.findChild<QPushButton*>("cbTitle1")->click();
    QApplication::processEvents();
    const double sort = secondsSince(sortStart);

    // The query on its own, after the memory was measured: the list it frees stays with the heap.
    state.styleQuery.order.clear();
    const auto queryStart = Clock::now();
    const std::size_t listed = orb::GetAllStyles(state).size();
    const double query = secondsSince(queryStart);
    const double shellOpen = runShell(path, orb::styleListStatement({}));
    const double shellSort =
        runShell(path, orb::styleListStatement({{}, {{orb::StyleColumn::Name, false}}}));
    std::printf("open grid:   %.3f s, sqlite3 shell %.3f s, ratio %.2f\n", open, shellOpen,
                open / shellOpen);
    std::printf("sort (Name): %.3f s, sqlite3 shell %.3f s, ratio %.2f\n", sort, shellSort,
                sort / shellSort);
    std::printf("of which the query alone takes %.3f s for %zu rows\n", query, listed);
    std::printf("resident memory added by the grid: %.1f MB\n", added / 1024.0);
    window.hide();
    state.connection.close();
    std::filesystem::remove_all(dir);
    return 0;
}
