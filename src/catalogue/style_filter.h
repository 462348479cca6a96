#pragma once

#include <array>
#include <string>

namespace orb {

class AppState;

// Filter columns and sort choices of the filter window, index 0 to 6. Index 0 is no column
// for the filter and "<NOTHING>" (no sort key) for the order.
inline constexpr std::array<const char*, 7> kFilterColumns = {
    "STYLEPROG", "STYLENAME1", "STYLEDESC", "STYLEFAMILY", "STYLECAT", "STYLEFILE", "STYLEAUTHOR"};
inline constexpr std::array<const char*, 7> kSortChoices = {
    "<NOTHING>", "NAME", "DESCRIPTION", "FAMILY", "GROUP", "FILE NAME", "AUTHOR"};
// The parameter that carries the text of filter field i (column i + 1).
inline constexpr std::array<const char*, 6> kFilterParameters = {
    "pStyleName1", "pStyleDesc", "pStyleFamily", "pStyleCat", "pStyleFile", "pStyleAuthor"};
// Longest text of each filter field: the size of its column.
inline constexpr std::array<int, 6> kFilterFieldLengths = {11, 250, 20, 20, 20, 50};
inline constexpr const char* kNothing = "<NOTHING>";
inline constexpr const char* kDescSuffix = " DESC";

// Letter case folded as the catalogue compares text: ASCII letters only.
std::string upperAscii(std::string text);

// The condition for filter field `position` (0 to 5) holding `text`, followed by " AND ", or
// empty for an empty text. The text itself is never part of the condition: it is bound as the
// field's parameter. A "%" in it makes a LIKE; otherwise the column must equal it, and for the
// name trailing blanks and code-0 characters (the padding of bank files) do not count.
std::string FilterCondition(const std::string& text, int position);

// The order term for a sort choice ("NAME" ...) with its suffix (" DESC" or empty), followed by
// ", "; empty for "<NOTHING>" or an unknown choice.
std::string OrderTerm(const std::string& choice, const std::string& suffix);

// frmStyFilter: six filter texts and six sort keys, kept in the run's StyleFilterValues.
class StyleFilterController {
public:
    static constexpr const char* kCaption = "Database filter setting";

    explicit StyleFilterController(AppState& state) : state_(state) {}

    // What the window shows: txtField(0..5), cmdOrder(0..5) and chDesc(0..5).
    std::array<std::string, 6> fields;
    std::array<std::string, 6> orderChoices;
    std::array<bool, 6> descending{};

    // Fills the fields from the remembered values. A descending key stays descending whether
    // its direction came with the sort text (a header click) or from the "Descending" box.
    void load();
    // cmdEmpty(0) and cmdEmpty(1) "Reset all": clear what the window shows, store nothing.
    void resetFields();
    void resetOrder();
    // cmdOk "Set filter on": stores the values, the condition and the order of the list.
    void setFilterOn();

private:
    AppState& state_;
};

}  // namespace orb
