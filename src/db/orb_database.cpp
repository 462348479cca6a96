#include "db/orb_database.h"

#include <sqlite3.h>

#include <array>

#include "db/write_transaction.h"

namespace orb {
namespace {

// A file with tables of its own but no ORB table belongs to another program; adding the ORB
// tables to it would change a file that is not ours.
bool holdsOnlyOtherTables(Database& connection) {
    Rows rows = connection.query(
        "SELECT count(*), "
        "sum(name IN (pStyles, pBanks, pSongs, pSonSty) COLLATE NOCASE) "
        "FROM sqlite_master WHERE type = pTable AND name NOT LIKE pInternal",
        {"KORFStyles", "KORFBanks", "KORFSongs", "KORFSonSty", "table", "sqlite\\_%"});
    if (!rows.next()) {
        return false;
    }
    return rows.integer(0) > 0 && rows.integer(1) == 0;
}

}  // namespace

std::string cannotOpenMessage(const std::string& path, const DbError& error) {
    if (error.inUse()) {
        return inUseMessage(path);
    }
    return withEngineText("The file " + path + " cannot be opened as an ORB database", error);
}

void openOrbDatabase(Database& connection, const std::filesystem::path& path,
                     MissingDatabase missing) {
    const std::string shown = path.string();
    std::error_code error;
    const bool exists = std::filesystem::is_regular_file(path, error);
    try {
        if (!exists && missing == MissingDatabase::Create && path.has_parent_path()) {
            std::filesystem::create_directories(path.parent_path(), error);
        }
        connection.open(path, exists || missing == MissingDatabase::Refuse
                                  ? Database::OpenMode::ExistingOnly
                                  : Database::OpenMode::CreateIfMissing);
        if (holdsOnlyOtherTables(connection)) {
            connection.close();
            throw DataPathError(SQLITE_NOTADB,
                                "The file " + shown +
                                    " holds another program's tables and none of ORB's; it is "
                                    "not an ORB database and was left as it was.");
        }
    } catch (const DataPathError&) {
        throw;
    } catch (const DbError& e) {
        connection.close();
        throw DataPathError(cannotOpenMessage(shown, e), e);
    }
}

void deleteCatalogue(Database& connection) {
    // All tables or none: a half-emptied catalogue would leave banks naming lost styles.
    WriteTransaction transaction(connection);
    static constexpr std::array<const char*, 5> kDeletions = {
        "DELETE FROM KORFSTYLES", "DELETE FROM KORFBANKS",  "DELETE FROM KORFSONGS",
        "DELETE FROM KORFSONSTY", "DELETE FROM KORFSETUPS",
    };
    for (const char* sql : kDeletions) {
        connection.execute(sql);
    }
    transaction.commit();
}

}  // namespace orb
