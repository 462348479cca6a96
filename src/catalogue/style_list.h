#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/style_store.h"

namespace orb {

class AppState;

using StyleList = std::vector<StyleListRow>;

// The catalogue as the run's style query selects and orders it. Throws StoreError.
StyleList GetAllStyles(AppState& state);

// A name as the person sees it: bank files pad names with code-0 characters, which are dropped.
std::string withoutNulls(std::string_view text);

}  // namespace orb
