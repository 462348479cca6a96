#pragma once

#include <string>
#include <string_view>

namespace orb {

// The statements name their parameters in the text with a leading "p" (pStyleProg) and bind
// them by position in the order appended. SQLite needs markers: every distinct such name
// becomes ?1, ?2, ... in the order in which it first appears. String literals and quoted
// identifiers are left alone.
struct PositionalSql {
    std::string text;
    int parameterCount = 0;
};

PositionalSql toPositionalParameters(std::string_view sql);

}  // namespace orb
