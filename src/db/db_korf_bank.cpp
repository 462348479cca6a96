#include "db/db_korf_bank.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/errors.h"
#include "db/access_support.h"

namespace orb {
namespace {

constexpr std::array<std::int32_t DbKORFBank::*, DbKORFBank::kSlotCount> kSlotMembers = {
    &DbKORFBank::BankStyle01, &DbKORFBank::BankStyle02, &DbKORFBank::BankStyle03,
    &DbKORFBank::BankStyle04, &DbKORFBank::BankStyle05, &DbKORFBank::BankStyle06,
    &DbKORFBank::BankStyle07, &DbKORFBank::BankStyle08, &DbKORFBank::BankStyle09,
    &DbKORFBank::BankStyle10, &DbKORFBank::BankStyle11, &DbKORFBank::BankStyle12,
    &DbKORFBank::BankStyle13, &DbKORFBank::BankStyle14, &DbKORFBank::BankStyle15,
    &DbKORFBank::BankStyle16};

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

std::string twoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

// One statement, so that a refused value leaves the whole row as it was.
const std::string& updateSql() {
    static const std::string sql = [] {
        std::string text = "UPDATE KORFBanks SET BankName = pBankName, BankDesc = pBankDesc";
        for (int slot = 1; slot <= DbKORFBank::kSlotCount; ++slot) {
            text += ", BankStyle" + twoDigits(slot) + " = pBankStyle" + twoDigits(slot);
        }
        return text + " WHERE BankProg = pBankProg";
    }();
    return sql;
}

// The style is named once and bound once; every slot compares with the same parameter.
const std::string& banksHoldingStyleSql() {
    static const std::string sql = [] {
        std::string sql = "SELECT BANKPROG FROM KORFBANKS WHERE ";
        for (int slot = 1; slot <= DbKORFBank::kSlotCount; ++slot) {
            if (slot > 1) {
                sql += " OR ";
            }
            sql += "BANKSTYLE" + twoDigits(slot) + " = pBankStyle";
        }
        return sql;
    }();
    return sql;
}

}  // namespace

std::int32_t& DbKORFBank::BankStyle(int slot) {
    if (slot < 1 || slot > kSlotCount) {
        throw InvalidArgumentError("There is no bank slot " + std::to_string(slot));
    }
    return this->*kSlotMembers[static_cast<std::size_t>(slot - 1)];
}

std::int32_t DbKORFBank::BankStyle(int slot) const {
    return const_cast<DbKORFBank*>(this)->BankStyle(slot);
}

std::array<std::int32_t, DbKORFBank::kSlotCount> DbKORFBank::slotValues() const {
    std::array<std::int32_t, kSlotCount> values{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        values[static_cast<std::size_t>(slot - 1)] = BankStyle(slot);
    }
    return values;
}

void DbKORFBank::setSlotValues(const std::array<std::int32_t, kSlotCount>& values) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        BankStyle(slot) = values[static_cast<std::size_t>(slot - 1)];
    }
}

void DbKORFBank::load(const Rows& rows) {
    BankProg = static_cast<std::int32_t>(rows.integer("BankProg"));
    BankName = rows.text("BankName");
    BankDesc = rows.text("BankDesc");
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        BankStyle(slot) = static_cast<std::int32_t>(rows.integer("BankStyle" + twoDigits(slot)));
    }
}

bool DbKORFBank::InsKORFBanks() {
    return runReportingFailure(clsKORFBanksError, [&] {
        std::vector<SqlParam> params = {BankProg, BankName, BankDesc};
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            params.emplace_back(BankStyle(slot));
        }
        requireConnection(ActiveConnection).execute(kInsertSql, params);
        return true;
    });
}

bool DbKORFBank::UpdKORFBanks() {
    return runReportingFailure(clsKORFBanksError, [&] {
        Database& connection = requireConnection(ActiveConnection);
        std::vector<SqlParam> params = {BankName, BankDesc};
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            params.emplace_back(BankStyle(slot));
        }
        params.emplace_back(BankProg);
        connection.execute(updateSql(), params);
        return connection.changes() > 0;
    });
}

bool DbKORFBank::DelKORFBanks() {
    return runReportingFailure(clsKORFBanksError, [&] {
        requireConnection(ActiveConnection)
            .execute("DELETE FROM KORFBanks WHERE BankProg = pBankProg", {BankProg});
        return true;
    });
}

bool DbKORFBank::DelKORFBanksStyle() {
    return runReportingFailure(clsKORFBanksError, [&] {
        Database& connection = requireConnection(ActiveConnection);
        const std::int32_t style = BankStyle01;
        // The numbers are read in full first, so no row is rewritten under an open read.
        std::vector<std::int32_t> banks;
        {
            Rows rows = connection.query(banksHoldingStyleSql(), {style});
            while (rows.next()) {
                banks.push_back(static_cast<std::int32_t>(rows.integer("Bankprog")));
            }
        }
        for (const std::int32_t bank : banks) {
            DbKORFBank working(connection);
            working.BankProg = bank;
            if (!working.GetKORFBanks()) {
                if (!working.clsKORFBanksError.empty()) {
                    clsKORFBanksError = working.clsKORFBanksError;
                    return false;
                }
                continue;
            }
            std::array<std::int32_t, kSlotCount> values = working.slotValues();
            const auto kept = std::remove(values.begin(), values.end(), style);
            std::fill(kept, values.end(), 0);
            working.setSlotValues(values);
            if (!working.UpdKORFBanks() && !working.clsKORFBanksError.empty()) {
                // Reported rather than dropped, so the caller can tell that a bank still
                // holds the style.
                clsKORFBanksError = working.clsKORFBanksError;
                return false;
            }
        }
        return true;
    });
}

bool DbKORFBank::GetKORFBanks() {
    return runReportingFailure(clsKORFBanksError, [&] {
        Rows rows = requireConnection(ActiveConnection).query(kSelectSql, {BankProg});
        if (!rows.next()) {
            return false;
        }
        load(rows);
        return true;
    });
}

bool DbKORFBank::GetKORFBanksByName() {
    return runReportingFailure(clsKORFBanksError, [&] {
        Rows rows = requireConnection(ActiveConnection).query(kSelectByNameSql, {BankName});
        if (!rows.next()) {
            return false;
        }
        load(rows);
        return true;
    });
}

std::int32_t DbKORFBank::NextKORFBank() {
    return nextNumber(requireConnection(ActiveConnection),
                      "SELECT MAX(BankProg) AS MAXPROG FROM KORFBanks");
}

}  // namespace orb
