#include "db/point_check.h"

#include <vector>

#include "core/settings_store.h"
#include "db/database.h"
#include "db/schema.h"

namespace orb {
namespace {

// The schema step notes the program's version in the settings; a check must not.
class NoSettings : public SettingsStore {
public:
    std::string get(const std::string&, const std::string&,
                    const std::string& fallback) const override {
        return fallback;
    }
    void set(const std::string&, const std::string&, const std::string&) override {}
};

std::vector<std::string> schemaOf(Database& database) {
    std::vector<std::string> entries;
    Rows rows = database.query(
        "SELECT type || ' ' || name || ' ' || tbl_name || ' ' || coalesce(sql, '') FROM "
        "sqlite_master ORDER BY type, name");
    while (rows.next()) {
        entries.push_back(rows.text(0));
    }
    Rows version = database.query("PRAGMA user_version");
    entries.push_back("version " + std::string(version.next() ? version.text(0) : ""));
    return entries;
}

}  // namespace

std::string wholeCopyProblem(Database& copy) {
    std::string verdict;
    try {
        Rows rows = copy.query("PRAGMA integrity_check(1)");
        verdict = rows.next() ? rows.text(0) : "";
    } catch (const DbError& e) {
        verdict = e.what();
    }
    if (verdict != "ok") {
        return "it is damaged (" + verdict + ")";
    }
    // An empty file, or another program's, would pass the steps below as a new catalogue.
    const int version = schemaVersionOf(copy);
    if (version < 1 || version > kSchemaVersion) {
        return "it does not hold ORB's tables";
    }
    NoSettings settings;
    try {
        CreateTables(copy, settings);
    } catch (const OrbError&) {
        return "it does not hold ORB's tables";
    }
    Database reference;
    reference.open(":memory:", Database::OpenMode::CreateIfMissing);
    CreateTables(reference, settings);
    if (schemaOf(copy) != schemaOf(reference)) {
        return "it holds other tables, columns, indexes or triggers than ORB's";
    }
    return {};
}

}  // namespace orb
