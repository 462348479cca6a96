#include "catalogue/style_list.h"

#include <algorithm>

#include "state/app_state.h"

namespace orb {

StyleList GetAllStyles(AppState& state) {
    return StyleStore(state.connection).list(state.styleQuery);
}

std::string withoutNulls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char c) { return c != 0; });
    return out;
}

}  // namespace orb
