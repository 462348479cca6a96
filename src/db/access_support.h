#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/database.h"

namespace orb {

// The connection an access object works on; throws DbError when none has been set.
Database& requireConnection(Database* activeConnection);

// Runs one Boolean operation of an access class: the error text is cleared first, and a
// database failure becomes the result false with "<code> <message>" in the error text.
template <typename Operation>
bool runReportingFailure(std::string& errorText, Operation&& operation) {
    errorText.clear();
    try {
        return operation();
    } catch (const DbError& e) {
        errorText = e.what();
        return false;
    }
}

// The next free number of a table: the MAX(...) AS MAXPROG of `sql` plus 1, or 1 when the
// table is empty. Failures reach the caller.
std::int32_t nextNumber(Database& connection, std::string_view sql);

// How many bytes of the search key the content look-up's index holds.
inline constexpr std::size_t kStyleSeekKeyBytes = 16;

// The search key of a style: the first 250 bytes of its first block.
inline std::string_view styleSeekOf(std::string_view content1) {
    return content1.substr(0, 250);
}

}  // namespace orb
