#include "catalogue/bank_store.h"

#include <charconv>

#include "db/bank_styles.h"
#include "state/app_state.h"

namespace orb {
namespace {

[[noreturn]] void fail(const std::string& errorText) {
    // The access object's text is "<code> <message>".
    const auto blank = errorText.find(' ');
    throw DbError(std::stoi(errorText.substr(0, blank)),
                  blank == std::string::npos ? "" : errorText.substr(blank + 1));
}

}  // namespace

bool LoadCurrentBank(AppState& state, std::int32_t bankProg) {
    DbKORFBank found(state.connection);
    found.BankProg = bankProg;
    if (!found.GetKORFBanks()) {
        if (!found.clsKORFBanksError.empty()) {
            fail(found.clsKORFBanksError);
        }
        return false;
    }
    KORFStyles styles;
    LoadBankStyles(found, state.connection, styles);
    found.ActiveConnection = state.BankAccess->ActiveConnection;
    *state.BankAccess = found;
    state.BankStyles = std::move(styles);
    return true;
}

void DeleteBank(Database& connection, std::int32_t bankProg) {
    DbKORFBank bank(connection);
    bank.BankProg = bankProg;
    if (!bank.DelKORFBanks()) {
        fail(bank.clsKORFBanksError);
    }
}

std::vector<DbKORFBank> StoredBanks(Database& connection) {
    std::vector<DbKORFBank> banks;
    Rows rows = connection.query("SELECT BankProg FROM KORFBanks ORDER BY BankName, BankProg");
    std::vector<std::int32_t> numbers;
    while (rows.next()) {
        numbers.push_back(static_cast<std::int32_t>(rows.integer(0)));
    }
    for (const std::int32_t number : numbers) {
        DbKORFBank bank(connection);
        bank.BankProg = number;
        if (!bank.GetKORFBanks()) {
            if (!bank.clsKORFBanksError.empty()) {
                fail(bank.clsKORFBanksError);
            }
            continue;
        }
        banks.push_back(bank);
    }
    return banks;
}

std::optional<DbKORFBank> StoredBankNamed(Database& connection, const std::string& name) {
    DbKORFBank bank(connection);
    bank.BankName = name;
    if (!bank.GetKORFBanksByName()) {
        if (!bank.clsKORFBanksError.empty()) {
            fail(bank.clsKORFBanksError);
        }
        return std::nullopt;
    }
    return bank;
}

std::optional<DbKORFBank> StoredBankGiven(Database& connection, const std::string& numberOrName) {
    std::int32_t number = 0;
    const char* end = numberOrName.data() + numberOrName.size();
    const auto [stop, error] = std::from_chars(numberOrName.data(), end, number);
    if (!numberOrName.empty() && error == std::errc() && stop == end) {
        DbKORFBank bank(connection);
        bank.BankProg = number;
        if (bank.GetKORFBanks()) {
            return bank;
        }
        if (!bank.clsKORFBanksError.empty()) {
            fail(bank.clsKORFBanksError);
        }
    }
    return StoredBankNamed(connection, numberOrName);
}

}  // namespace orb
