#include "catalogue/style_filter.h"

#include <cstddef>

#include "core/text.h"
#include "state/app_state.h"

namespace orb {

std::string upperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

const char* sortChoiceOf(StyleColumn column) {
    return kSortChoices[static_cast<std::size_t>(column) + 1];
}

std::optional<StyleColumn> columnOfSortChoice(const std::string& choice) {
    for (std::size_t k = 1; k < kSortChoices.size(); ++k) {
        if (choice == kSortChoices[k]) {
            return static_cast<StyleColumn>(k - 1);
        }
    }
    return std::nullopt;
}

void StyleFilterController::load() {
    const StyleQuery& query = state_.styleQuery;
    fields = query.filters;
    resetOrder();
    for (std::size_t i = 0; i < query.order.size() && i < orderChoices.size(); ++i) {
        orderChoices[i] = sortChoiceOf(query.order[i].column);
        descending[i] = query.order[i].descending;
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
    StyleQuery query;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        query.filters[i] = upperAscii(trimmed(fields[i]));
    }
    for (std::size_t i = 0; i < orderChoices.size(); ++i) {
        if (const auto column = columnOfSortChoice(upperAscii(orderChoices[i]))) {
            query.order.push_back({*column, descending[i]});
        }
    }
    state_.styleQuery = std::move(query);
}

}  // namespace orb
