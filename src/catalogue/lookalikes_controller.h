#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/lookalikes.h"
#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// The look-alikes window: every look-alike group, a row per style, and keeping one style of a
// group in place of the others.
class LookalikesController : public Observable {
public:
    static constexpr const char* kCaption = "Look-alike styles";
    static constexpr const char* kNone =
        "No look-alikes: every name holds one content, every content one name, and no style is "
        "stored twice.";

    // One row of the grid: a style and the group it stands in.
    struct Row {
        int group = 0;  // 1, 2 ... in the order of the groups
        std::string groupTitle;
        LookalikeStyle style;
        bool operator==(const Row&) const = default;
    };

    LookalikesController(AppState& state, UserDialogs& dialogs);

    // Each opening: the groups afresh.
    void load();
    const std::vector<Row>& rows() const { return rows_; }
    int selected() const { return selected_; }
    void select(int row);
    bool keepEnabled() const { return selected_ >= 0; }
    // Whether the others are deleted once their slots and links are moved (unticked on opening:
    // deleting is the person's own choice).
    bool deleteOthers() const { return deleteOthers_; }
    void setDeleteOthers(bool deleteOthers);

    // After its question, keeps the selected row's style in place of the rest of its group;
    // the outcome or the failure is shown and the groups are read again.
    void keepSelected();

private:
    AppState& state_;
    UserDialogs& dialogs_;
    std::vector<Row> rows_;
    int selected_ = -1;
    bool deleteOthers_ = false;
};

}  // namespace orb
