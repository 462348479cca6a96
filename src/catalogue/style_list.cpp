#include "catalogue/style_list.h"

#include <algorithm>

#include "db/database.h"
#include "state/app_state.h"

namespace orb {

std::string styleListStatement(const std::string& where, const std::string& order) {
    std::string sql = kStyleListSelect;
    if (!where.empty()) {
        sql += " WHERE " + where;
    }
    sql += " ORDER BY " + (order.empty() ? std::string("STYLEPROG") : order);
    return sql;
}

std::vector<std::string> styleListParameters(const AppState& state) {
    std::vector<std::string> values;
    if (state.StyleListWhere.empty()) {
        return values;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        if (!state.StyleFilterValues[i].empty()) {
            values.push_back(state.StyleFilterValues[i]);
        }
    }
    return values;
}

StyleList GetAllStyles(AppState& state) {
    const std::vector<std::string> values = styleListParameters(state);
    std::vector<SqlParam> params(values.begin(), values.end());
    Rows rows = state.connection.query(
        styleListStatement(state.StyleListWhere, state.StyleListOrder), params);
    StyleList list;
    while (rows.next()) {
        StyleListRow& row = list.emplace_back();
        row.StyleProg = static_cast<std::int32_t>(rows.integer(0));
        row.StyleName1 = rows.text(1);
        row.StyleDesc = rows.text(2);
        row.StyleFamily = rows.text(3);
        row.StyleCat = rows.text(4);
        row.StyleAuthor = rows.text(5);
        row.StyleDate = rows.text(6);
    }
    return list;
}

std::string withoutNulls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char c) { return c != 0; });
    return out;
}

}  // namespace orb
