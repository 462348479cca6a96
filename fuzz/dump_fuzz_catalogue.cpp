#include "dump_fuzz_catalogue.h"

#include <algorithm>

#include "core/settings_store.h"
#include "db/schema.h"

namespace orb::fuzz {
namespace {

// The schema step reads and writes a version setting; a fuzz run keeps it in memory.
class MemorySettings : public SettingsStore {
public:
    std::string get(const std::string&, const std::string&,
                    const std::string& defaultValue) const override {
        return defaultValue;
    }
    void set(const std::string&, const std::string&, const std::string&) override {}
};

void insertStyle(Database& db, int prog, const std::string& name, const std::string& content1,
                 const std::string& content2) {
    const std::string stored1 = content1.empty() ? " " : content1;
    const std::string stored2 = content2.empty() ? " " : content2;
    db.execute(
        "INSERT INTO KORFStyles VALUES (pProg, pName1, pName2, pLength1, pLength2, pContent1, "
        "pContent2, pSeek, '2024/05/01', pDesc, 'Pop', '8Beat', 'USER02.STY', 'Fuzz')",
        {prog, name, name + "2", static_cast<std::int32_t>(content1.size()),
         static_cast<std::int32_t>(content2.size()), SqlParam::blob(stored1),
         SqlParam::blob(stored2), SqlParam::blob(std::string_view(stored1).substr(0, 250)),
         "about " + name});
}

}  // namespace

void openEmptyCatalogue(Database& database) {
    database.open(":memory:", Database::OpenMode::CreateIfMissing);
    MemorySettings settings;
    CreateTables(database, settings);
}

void fillSmallCatalogue(Database& db) {
    std::string bank = "INSERT INTO KORFBanks VALUES (3, 'LIVE', 'Caf\xC3\xA9 night'";
    for (int slot = 1; slot <= 16; ++slot) {
        bank += slot <= 3 ? ", " + std::to_string(slot * 7) : ", 0";
    }
    db.execute(bank + ")");
    db.execute("INSERT INTO KORFBanks (BankProg, BankName, BankDesc) VALUES (9, 'TABLE', '')");
    db.execute("INSERT INTO KORFSongs VALUES (11, 'Ave Maria', 'Schubert')");
    db.execute("INSERT INTO KORFSongs (SongCode, SongPerformer) VALUES (12, ' ')");
    db.execute("INSERT INTO KORFSongs VALUES (13, 'TABLE KORFSONGS', '')");
    db.execute(
        "INSERT INTO KORFSonSty VALUES (11, 7, '72', '-2', 'soft \xE2\x80\x9Cintro\xE2\x80\x9D')");
    db.execute("INSERT INTO KORFSonSty (SongCode, StyleProg, StyleTempo) VALUES (12, 14, '')");
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes += static_cast<char>((i * 37) & 0xFF);
    }
    insertStyle(db, 7, "Ballad", "STY1\r\n\r\n" + bytes, "\n\r");
    insertStyle(db, 14, "Swing", "\r", "");
    insertStyle(db, 21, "Empty", "", "x\r\ny");
    insertStyle(db, 2, "Shuffle", bytes.substr(0, 40), bytes.substr(100, 9));
}

CatalogueSnapshot snapshotOf(Database& database) {
    CatalogueSnapshot rows;
    for (const char* table : {"KORFBanks", "KORFSongs", "KORFSonSty", "KORFStyles"}) {
        Rows result = database.query(std::string("SELECT * FROM ") + table);
        while (result.next()) {
            std::vector<std::pair<std::size_t, std::string>> row{{0, table}};
            for (int c = 0; c < result.columnCount(); ++c) {
                const SqlValue value = result.value(c);
                row.emplace_back(value.storage().index(), value.toText());
            }
            rows.push_back(std::move(row));
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace orb::fuzz
