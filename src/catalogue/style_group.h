#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/style_changes.h"
#include "core/observable.h"

namespace orb {

class AppState;
class Database;
class UserDialogs;

// The family, group and author proposed for a group of styles.
struct GroupValues {
    std::string StyleFamily;
    std::string StyleCat;
    std::string StyleAuthor;

    bool operator==(const GroupValues&) const = default;
};

// The values of the last of the listed styles that exists (empty when none does), which the
// group edit window proposes.
GroupValues CollectGroupValues(Database& database, const std::vector<std::int32_t>& styles);

// The group edit window: three boxes, each with its "Don't update!" box. "Update!" hands back
// the new family, group and author, without those whose box is ticked; with all three ticked, or
// with "Exit", nothing is handed back.
class GroupEditController : public Observable {
public:
    static constexpr std::size_t kFieldCount = 3;
    static constexpr std::array<const char*, kFieldCount> kLabels = {"Family", "Group", "Author"};
    static constexpr std::array<const ColumnSize*, kFieldCount> kFieldColumns = {
        kStyleFieldColumns[2], kStyleFieldColumns[3], kStyleFieldColumns[5]};

    GroupEditController(const GroupValues& proposal, UserDialogs& dialogs);

    // The three boxes and their "Don't update!" boxes, in the order of kLabels.
    const std::string& field(std::size_t index) const { return fields_.at(index); }
    bool dontUpdate(std::size_t index) const { return dontUpdate_.at(index); }
    void setField(std::size_t index, const std::string& text);
    void setDontUpdate(std::size_t index, bool ticked);

    // False, with the text gate's message, when it refuses a value to be written.
    bool update();
    void exit() { result_.reset(); }
    // The columns to change (family, group, author only); nullopt when cancelled.
    const std::optional<StyleColumnChanges>& result() const { return result_; }

private:
    std::array<std::string, kFieldCount> fields_;
    std::array<bool, kFieldCount> dontUpdate_{};
    UserDialogs& dialogs_;
    std::optional<StyleColumnChanges> result_;
};

// "Update (group)" after the group edit window (shown over CollectGroupValues) handed back
// `changes`: asks, and writes them into every listed style in one go. True when the styles were
// updated (the list should be read again); a refusal changes nothing and is reported.
bool RunGroupUpdate(AppState& state, UserDialogs& dialogs, const std::vector<std::int32_t>& styles,
                    const StyleColumnChanges& changes);

// A selected grid row: the style number and the name as the grid shows it.
struct SelectedStyle {
    std::int32_t StyleProg = 0;
    std::string name;
};

// The question asked before the selected styles are deleted.
std::string GroupDeleteQuestion(const std::vector<SelectedStyle>& selection);

// "Delete (group)": asks, deletes the styles from the catalogue, the banks and the song links
// in one go after keeping a restore point, and gives the notice. True when they were deleted
// (the list should be read again); false on No, when no restore point could be kept or when the
// database refused (then nothing changed, and a message says why).
bool RunGroupDelete(AppState& state, UserDialogs& dialogs,
                    const std::vector<SelectedStyle>& selection);

}  // namespace orb
