#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/ascii_text.h"
#include "core/observable.h"
#include "db/style_query.h"

namespace orb {

class AppState;

// The sort choices of the filter window: "<NOTHING>" (no sort key), then one per column of
// StyleColumn, in its order.
inline constexpr std::array<const char*, 7> kSortChoices = {
    "<NOTHING>", "NAME", "DESCRIPTION", "FAMILY", "GROUP", "FILE NAME", "AUTHOR"};
inline constexpr const char* kNothing = "<NOTHING>";

// The sort choice that stands for `column`, and the column a choice stands for (nothing for
// "<NOTHING>" or a text that is no choice).
const char* sortChoiceOf(StyleColumn column);
std::optional<StyleColumn> columnOfSortChoice(const std::string& choice);

// The query that filter texts and sort keys typed by a person make: each text trimmed and
// upper-cased as the catalogue compares it, the keys in their order. The filter window and
// `orb styles` both list through it.
StyleQuery filterQuery(const std::array<std::string, kStyleColumnCount>& texts,
                       std::vector<StyleSortKey> order);

// The filter window: six filter texts and six sort keys, kept in the run's style query.
class StyleFilterController : public Observable {
public:
    static constexpr const char* kCaption = "Database filter setting";

    explicit StyleFilterController(AppState& state) : state_(state) {}

    // What the window shows: the six filter texts, sort keys and their "Descending" boxes.
    const std::string& field(std::size_t index) const { return fields_.at(index); }
    const std::string& orderChoice(std::size_t key) const { return orderChoices_.at(key); }
    bool descending(std::size_t key) const { return descending_.at(key); }
    void setField(std::size_t index, const std::string& text);
    void setOrderChoice(std::size_t key, const std::string& choice);
    void setDescending(std::size_t key, bool descending);

    // Fills the fields from the run's query: its filter texts and its sort keys in order.
    void load();
    // The two "Reset all" buttons (filter texts, sort order): clear what the window shows, store
    // nothing.
    void resetFields();
    void resetOrder();
    // "Set filter on": the texts, trimmed and upper-cased, and the chosen sort keys become
    // the run's query.
    void setFilterOn();

private:
    AppState& state_;
    std::array<std::string, kStyleColumnCount> fields_;
    std::array<std::string, StyleQuery::kMaxSortKeys> orderChoices_;
    std::array<bool, StyleQuery::kMaxSortKeys> descending_{};
};

}  // namespace orb
