#include "support/test_environment.h"

#include <sstream>

#include "app/startup.h"
#include "cli/cli.h"

namespace orb::test {

TestEnvironment::TestEnvironment()
    : settings(dir / "settings.ini"),
      clock(std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{12},
                                        std::chrono::day{6}}),
      state(settings, clock) {
    state.RestorePointFolder = dir / "restore-points";
}

void TestEnvironment::openFreshDatabase() {
    const auto path = dir / "ORB.MDB";
    {
        Database creator;
        creator.open(path, Database::OpenMode::CreateIfMissing);
    }
    state.DatabasePath = path.string();
    OpenDatabase(state);
}

CliRun TestEnvironment::runCli(const std::vector<std::string>& args, std::istream* terminal) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCommandLine(args, state, out, err, terminal);
    return {status, out.str(), err.str()};
}

std::vector<std::vector<SqlValue>> tableRows(Database& db) {
    std::vector<std::vector<SqlValue>> rows;
    for (const char* sql :
         {"SELECT type, name, sql FROM sqlite_master ORDER BY name",
          "SELECT * FROM KORFStyles ORDER BY StyleProg",
          "SELECT * FROM KORFBanks ORDER BY BankProg", "SELECT * FROM KORFSongs ORDER BY SongCode",
          "SELECT * FROM KORFSonSty ORDER BY SongCode, StyleProg",
          "SELECT * FROM KORFSetups ORDER BY SetupName"}) {
        Rows result = db.query(sql);
        while (result.next()) {
            std::vector<SqlValue> row;
            for (int column = 0; column < result.columnCount(); ++column) {
                row.push_back(result.value(column));
            }
            rows.push_back(std::move(row));
        }
        rows.push_back({SqlValue::text(std::string("end of ") + sql)});
    }
    return rows;
}

}  // namespace orb::test
