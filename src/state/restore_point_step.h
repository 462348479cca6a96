#pragma once

#include <string>

namespace orb {

class AppState;
class UserDialogs;

// Keeps a restore point of the catalogue before `action` ("emptying the database"). When none
// can be kept it says why and answers false: the step it was to protect must not run.
bool keepRestorePointOrSay(AppState& state, UserDialogs& dialogs, const std::string& action);

}  // namespace orb
