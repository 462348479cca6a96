#include "db/bank_store.h"

#include <algorithm>
#include <cstdio>

#include "db/column_sizes.h"
#include "db/database.h"
#include "db/store_support.h"
#include "db/write_transaction.h"

namespace orb {
namespace {

constexpr const char* kMaxSql = "SELECT MAX(BankProg) AS MAXPROG FROM KORFBanks";

constexpr const char* kInsertSql =
    "INSERT INTO KORFBanks (BankProg,BankName,BankDesc,BankStyle01,BankStyle02,BankStyle03,"
    "BankStyle04,BankStyle05,BankStyle06,BankStyle07,BankStyle08,BankStyle09,BankStyle10,"
    "BankStyle11,BankStyle12,BankStyle13,BankStyle14,BankStyle15,BankStyle16) VALUES "
    "(pBankProg,pBankName, pBankDesc,pBankStyle01,pBankStyle02,pBankStyle03,pBankStyle04,"
    "pBankStyle05,pBankStyle06,pBankStyle07,pBankStyle08,pBankStyle09,pBankStyle10,"
    "pBankStyle11,pBankStyle12,pBankStyle13,pBankStyle14,pBankStyle15,pBankStyle16)";

constexpr const char* kSelectSql = "SELECT * FROM KORFBanks WHERE BankProg = pBankProg";

// The name is bound, so a name holding an apostrophe is looked up like any other.
constexpr const char* kSelectByNameSql = "SELECT * FROM KORFBanks WHERE BankName = pBankName";

constexpr const char* kSelectAllSql = "SELECT * FROM KORFBanks ORDER BY BankName, BankProg";

std::string twoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

// One statement, so that a refused value leaves the whole row as it was.
const std::string& updateSql() {
    static const std::string sql = [] {
        std::string text = "UPDATE KORFBanks SET BankName = pBankName, BankDesc = pBankDesc";
        for (int slot = 1; slot <= kBankSlotCount; ++slot) {
            text += ", BankStyle" + twoDigits(slot) + " = pBankStyle" + twoDigits(slot);
        }
        return text + " WHERE BankProg = pBankProg";
    }();
    return sql;
}

// The slots alone, so that taking a style out never depends on the bank's texts.
const std::string& updateSlotsSql() {
    static const std::string sql = [] {
        std::string text = "UPDATE KORFBanks SET ";
        for (int slot = 1; slot <= kBankSlotCount; ++slot) {
            text += (slot > 1 ? ", BankStyle" : "BankStyle") + twoDigits(slot) + " = pBankStyle" +
                    twoDigits(slot);
        }
        return text + " WHERE BankProg = pBankProg";
    }();
    return sql;
}

// "BANKSTYLE01 = pStyleProg OR ... BANKSTYLE16 = pStyleProg": the style is named once and
// bound once; every slot compares with the same parameter.
const std::string& anySlotHolds() {
    static const std::string condition = [] {
        std::string text;
        for (int slot = 1; slot <= kBankSlotCount; ++slot) {
            text += (slot > 1 ? " OR BANKSTYLE" : "BANKSTYLE") + twoDigits(slot) + " = pStyleProg";
        }
        return text;
    }();
    return condition;
}

const char* withStylesSql(BankTreeOrder order) {
    switch (order) {
        case BankTreeOrder::NameDescending:
            return "SELECT * FROM QUERY1 ORDER BY BANKNAME DESC";
        case BankTreeOrder::CodeAscending:
            return "SELECT * FROM QUERY1 ORDER BY BANKPROG";
        case BankTreeOrder::CodeDescending:
            return "SELECT * FROM QUERY1 ORDER BY BANKPROG DESC";
        case BankTreeOrder::NameAscending:
            break;
    }
    return "SELECT * FROM QUERY1 ORDER BY BANKNAME";
}

const std::string& holdingSql() {
    static const std::string sql =
        "SELECT * FROM QUERY1 WHERE BANKPROG IN (SELECT BANKPROG FROM KORFBANKS WHERE " +
        anySlotHolds() + ") ORDER BY BANKNAME";
    return sql;
}

const std::string& banksHoldingStyleSql() {
    static const std::string sql = "SELECT BANKPROG FROM KORFBANKS WHERE " + anySlotHolds();
    return sql;
}

BankRow readRow(const Rows& rows) {
    BankRow bank;
    bank.BankProg = static_cast<std::int32_t>(rows.integer("BankProg"));
    bank.BankName = rows.text("BankName");
    bank.BankDesc = rows.text("BankDesc");
    for (int slot = 1; slot <= kBankSlotCount; ++slot) {
        bank.BankStyle[static_cast<std::size_t>(slot - 1)] =
            static_cast<std::int32_t>(rows.integer("BankStyle" + twoDigits(slot)));
    }
    return bank;
}

std::vector<BankRow> readRows(Rows rows) {
    std::vector<BankRow> banks;
    while (rows.next()) {
        banks.push_back(readRow(rows));
    }
    return banks;
}

// Column indexes of one slot of QUERY1, looked up once per statement.
struct SlotColumns {
    int prog, name, desc;
};

void readWithStyles(Rows rows, const BankVisitor& visit) {
    if (!rows.next()) {
        return;
    }
    const int bankProgColumn = rows.columnIndex("BankProg");
    const int bankNameColumn = rows.columnIndex("BankName");
    const int bankDescColumn = rows.columnIndex("BankDesc");
    std::array<SlotColumns, kBankSlotCount> slots{};
    for (int slot = 1; slot <= kBankSlotCount; ++slot) {
        const std::string nn = twoDigits(slot);
        slots[static_cast<std::size_t>(slot - 1)] = {rows.columnIndex("Prog" + nn),
                                                     rows.columnIndex("Name" + nn),
                                                     rows.columnIndex("Desc" + nn)};
    }
    BankWithStyles bank;
    do {
        bank.BankProg = static_cast<std::int32_t>(rows.integer(bankProgColumn));
        bank.BankName.assign(rows.bytes(bankNameColumn));
        bank.BankDesc.assign(rows.bytes(bankDescColumn));
        for (std::size_t slot = 0; slot < slots.size(); ++slot) {
            BankWithStyles::Slot& style = bank.BankStyle[slot];
            style.StyleProg = static_cast<std::int32_t>(rows.integer(slots[slot].prog));
            style.StyleName1.assign(style.StyleProg != 0 ? rows.bytes(slots[slot].name) : "");
            style.StyleDesc.assign(style.StyleProg != 0 ? rows.bytes(slots[slot].desc) : "");
        }
        visit(bank);
    } while (rows.next());
}

}  // namespace

void BankStore::checkTexts(const BankRow& bank, const TextPlace& place) {
    requireStorableText(textColumn("KORFBanks", "BankName"), bank.BankName, place);
    requireStorableText(textColumn("KORFBanks", "BankDesc"), bank.BankDesc, place);
}

std::optional<BankRow> BankStore::find(std::int32_t bankProg) {
    Rows rows = connection_.query(kSelectSql, {bankProg});
    if (!rows.next()) {
        return std::nullopt;
    }
    return readRow(rows);
}

std::optional<BankRow> BankStore::findByName(std::string_view name) {
    Rows rows = connection_.query(kSelectByNameSql, {name});
    if (!rows.next()) {
        return std::nullopt;
    }
    return readRow(rows);
}

std::vector<BankRow> BankStore::all() {
    return readRows(connection_.query(kSelectAllSql));
}

std::int32_t BankStore::next() {
    return nextNumber(connection_, kMaxSql);
}

long long BankStore::count() {
    return countOf(connection_, "SELECT COUNT(*) FROM KORFBanks");
}

void BankStore::withStyles(BankTreeOrder order, const BankVisitor& visit) {
    readWithStyles(connection_.query(withStylesSql(order)), visit);
}

void BankStore::holding(std::int32_t styleProg, const BankVisitor& visit) {
    readWithStyles(connection_.query(holdingSql(), {styleProg}), visit);
}

std::int32_t BankStore::insert(const BankRow& bank, const TextPlace& place) {
    checkTexts(bank, place);
    return insertUnderNextNumber(connection_, kMaxSql,
                                 [&](std::int32_t bankProg) { write(bankProg, bank); });
}

void BankStore::insertNumbered(const BankRow& bank, const TextPlace& place) {
    checkTexts(bank, place);
    write(bank.BankProg, bank);
}

void BankStore::write(std::int32_t bankProg, const BankRow& bank) {
    std::vector<SqlParam> params = {bankProg, bank.BankName, bank.BankDesc};
    params.insert(params.end(), bank.BankStyle.begin(), bank.BankStyle.end());
    connection_.execute(kInsertSql, params);
}

bool BankStore::update(const BankRow& bank) {
    checkTexts(bank, TextPlace::bank(bank.BankProg));
    std::vector<SqlParam> params = {bank.BankName, bank.BankDesc};
    params.insert(params.end(), bank.BankStyle.begin(), bank.BankStyle.end());
    params.emplace_back(bank.BankProg);
    connection_.execute(updateSql(), params);
    return connection_.changes() > 0;
}

void BankStore::remove(std::int32_t bankProg) {
    connection_.execute("DELETE FROM KORFBanks WHERE BankProg = pBankProg", {bankProg});
}

void BankStore::removeStyle(std::int32_t styleProg) {
    WriteTransaction transaction(connection_);
    // The banks are read in full first, so that no row is rewritten under an open read.
    std::vector<std::int32_t> holders;
    {
        Rows rows = connection_.query(banksHoldingStyleSql(), {styleProg});
        while (rows.next()) {
            holders.push_back(static_cast<std::int32_t>(rows.integer("Bankprog")));
        }
    }
    for (const std::int32_t bankProg : holders) {
        std::optional<BankRow> bank = find(bankProg);
        if (!bank) {
            continue;
        }
        const auto kept = std::remove(bank->BankStyle.begin(), bank->BankStyle.end(), styleProg);
        std::fill(kept, bank->BankStyle.end(), 0);
        std::vector<SqlParam> params(bank->BankStyle.begin(), bank->BankStyle.end());
        params.emplace_back(bankProg);
        connection_.execute(updateSlotsSql(), params);
    }
    transaction.commit();
}

int BankStore::replaceStyle(std::int32_t from, std::int32_t to) {
    WriteTransaction transaction(connection_);
    int changed = 0;
    for (int slot = 1; slot <= kBankSlotCount; ++slot) {
        const std::string column = "BankStyle" + twoDigits(slot);
        connection_.execute(
            "UPDATE KORFBanks SET " + column + " = pTo WHERE " + column + " = pFrom", {to, from});
        changed += connection_.changes();
    }
    transaction.commit();
    return changed;
}

std::unordered_map<std::int32_t, int> BankStore::slotCounts() {
    std::unordered_map<std::int32_t, int> counts;
    for (const BankRow& bank : all()) {
        for (const std::int32_t style : bank.BankStyle) {
            if (style != 0) {
                ++counts[style];
            }
        }
    }
    return counts;
}

}  // namespace orb
