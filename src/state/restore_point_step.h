#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orb {

class AppState;
class UserDialogs;

// Keeps a restore point of the catalogue before `action` ("emptying the database"). When none
// can be kept it says why and answers false: the step it was to protect must not run.
bool keepRestorePointOrSay(AppState& state, UserDialogs& dialogs, const std::string& action);

// What a step does to numbered rows, as a restore point notes it: "deleting style 41",
// "updating styles 41, 57", past a handful "deleting 12 songs".
std::string numberedAction(const std::string& verb, const std::string& one, const std::string& many,
                           const std::vector<std::int32_t>& numbers);

}  // namespace orb
