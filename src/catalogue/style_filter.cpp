#include "catalogue/style_filter.h"

#include <cstddef>

#include "core/text.h"
#include "state/app_state.h"

namespace orb {

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

void StyleFilterController::setField(std::size_t index, const std::string& text) {
    if (fields_.at(index) != text) {
        fields_[index] = text;
        changed();
    }
}

void StyleFilterController::setOrderChoice(std::size_t key, const std::string& choice) {
    if (orderChoices_.at(key) != choice) {
        orderChoices_[key] = choice;
        changed();
    }
}

void StyleFilterController::setDescending(std::size_t key, bool descending) {
    if (descending_.at(key) != descending) {
        descending_[key] = descending;
        changed();
    }
}

void StyleFilterController::load() {
    const StyleQuery& query = state_.styleQuery;
    fields_ = query.filters;
    orderChoices_.fill(kNothing);
    descending_.fill(false);
    for (std::size_t i = 0; i < query.order.size() && i < orderChoices_.size(); ++i) {
        orderChoices_[i] = sortChoiceOf(query.order[i].column);
        descending_[i] = query.order[i].descending;
    }
    changed();
}

void StyleFilterController::resetFields() {
    fields_.fill({});
    changed();
}

void StyleFilterController::resetOrder() {
    orderChoices_.fill(kNothing);
    descending_.fill(false);
    changed();
}

StyleQuery filterQuery(const std::array<std::string, kStyleColumnCount>& texts,
                       std::vector<StyleSortKey> order) {
    StyleQuery query;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        query.filters[i] = upperAscii(trimmed(texts[i]));
    }
    query.order = std::move(order);
    return query;
}

void StyleFilterController::setFilterOn() {
    std::vector<StyleSortKey> order;
    for (std::size_t i = 0; i < orderChoices_.size(); ++i) {
        if (const auto column = columnOfSortChoice(upperAscii(orderChoices_[i]))) {
            order.push_back({*column, descending_[i]});
        }
    }
    state_.styleQuery = filterQuery(fields_, std::move(order));
}

}  // namespace orb
