#include "catalogue/style_filter.h"

#include <cstddef>

#include "core/text.h"
#include "state/app_state.h"

namespace orb {
namespace {

// The sort choice a stored sort text stands for.
std::string choiceOfColumn(const std::string& entry) {
    for (std::size_t k = 1; k < kFilterColumns.size(); ++k) {
        if (entry == kFilterColumns[k]) {
            return kSortChoices[k];
        }
    }
    return entry;
}

// The name equals the parameter when its first bytes do (letter case aside) and the bytes
// after them are only blanks and code-0 characters. Text functions stop at a code-0 character,
// so the name is cut as bytes and the rest is checked through its hexadecimal digits.
std::string paddedNameEquals(const std::string& parameter) {
    const std::string name = "CAST(STYLENAME1 AS BLOB)";
    const std::string length = "length(CAST(" + parameter + " AS BLOB))";
    return "CAST(substr(" + name + ", 1, " + length + ") AS TEXT) = " + parameter +
           " COLLATE NOCASE AND replace(hex(replace(substr(" + name + ", " + length +
           " + 1), ' ', '')), '0', '') = ''";
}

}  // namespace

std::string upperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string FilterCondition(const std::string& text, int position) {
    if (text.empty() || position < 0 || position > 5) {
        return {};
    }
    const std::string column = kFilterColumns[static_cast<std::size_t>(position) + 1];
    const std::string parameter = kFilterParameters[static_cast<std::size_t>(position)];
    if (text.find('%') != std::string::npos) {
        return column + " LIKE " + parameter + " AND ";
    }
    if (position == 0) {
        return paddedNameEquals(parameter) + " AND ";
    }
    return column + " = " + parameter + " AND ";
}

std::string OrderTerm(const std::string& choice, const std::string& suffix) {
    for (std::size_t k = 1; k < kSortChoices.size(); ++k) {
        if (choice == kSortChoices[k]) {
            return std::string(kFilterColumns[k]) + suffix + ", ";
        }
    }
    return {};
}

void StyleFilterController::load() {
    auto& values = state_.StyleFilterValues;
    for (std::size_t i = 0; i < 6; ++i) {
        fields[i] = values[i];
        std::string entry = values[6 + i].empty() ? kNothing : values[6 + i];
        if (entry.ends_with(kDescSuffix)) {
            entry.resize(entry.size() - 5);
            values[12 + i] = kDescSuffix;
        }
        orderChoices[i] = choiceOfColumn(entry);
        descending[i] = values[12 + i] == kDescSuffix;
    }
}

void StyleFilterController::resetFields() {
    fields.fill({});
}

void StyleFilterController::resetOrder() {
    orderChoices.fill(kNothing);
    descending.fill(false);
}

void StyleFilterController::setFilterOn() {
    auto& values = state_.StyleFilterValues;
    std::string where;
    std::string order;
    for (std::size_t i = 0; i < 6; ++i) {
        values[i] = upperAscii(trimmed(fields[i]));
        values[6 + i] = upperAscii(orderChoices[i]);
        values[12 + i] = descending[i] ? kDescSuffix : "";
    }
    for (std::size_t i = 0; i < 6; ++i) {
        where += FilterCondition(values[i], static_cast<int>(i));
        order += OrderTerm(values[6 + i], values[12 + i]);
    }
    if (where.ends_with(" AND ")) {
        where.resize(where.size() - 5);
    }
    if (order.ends_with(", ")) {
        order.resize(order.size() - 2);
    }
    state_.StyleListWhere = where;
    state_.StyleListOrder = order;
}

}  // namespace orb
