#include "state/restore_point_step.h"

#include "core/text.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {

bool keepRestorePointOrSay(AppState& state, UserDialogs& dialogs, const std::string& action) {
    try {
        state.restorePoints().keep(state.connection, action);
    } catch (const RestorePointError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

std::string numberedAction(const std::string& verb, const std::string& one, const std::string& many,
                           const std::vector<std::int32_t>& numbers) {
    // Past a handful the numbers would only make the list of restore points unreadable.
    constexpr std::size_t kNamed = 5;
    if (numbers.size() > kNamed) {
        return verb + " " + counted(static_cast<long long>(numbers.size()), one, many);
    }
    return verb + " " + (numbers.size() == 1 ? one : many) + " " + listedNumbers(numbers);
}

}  // namespace orb
