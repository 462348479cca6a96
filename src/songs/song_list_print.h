#pragma once

#include <vector>

#include "core/print_service.h"
#include "db/song_store.h"

namespace orb {

// The song list as printed: a title, a heading and one line per grid row in grid order, in
// columns of fixed width (a text longer than its column is cut, as the grid cuts it).
std::vector<PrintLine> SongListLines(const std::vector<SongGridRow>& rows);

}  // namespace orb
