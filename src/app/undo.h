#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/restore_points.h"

namespace orb {

class AppState;

// One line for a restore point, as the list shows it:
// "2026-12-06 19:45:12  before deleting 3 styles  (5000 styles, 12 banks, 40 songs; 3.4 KB)".
std::string describeRestorePoint(const RestorePoint& point);

// A size as a person reads it: "812 bytes", "3.4 KB", "1.8 GB".
std::string sizeText(std::uintmax_t bytes);

// The question asked before the catalogue goes back to before points[last] (points newest
// first): a whole copy replaces everything, changes are undone step by step.
std::string undoQuestion(const std::vector<RestorePoint>& points, std::size_t last);

// The restore points of the open catalogue, newest first.
std::vector<RestorePoint> restorePointsOfCatalogue(const AppState& state);

// Takes the catalogue back to before points[last], undoing points[0] to points[last] newest
// first in one step, after keeping a restore point of the undo itself; then brings the tables
// up to date. The current bank is emptied, since the styles it names may be gone. Throws
// RestorePointError (nothing changed) when a point fails its check, later changes to the same
// rows stand in the way, or the undo's own point cannot be kept.
void undoToRestorePoint(AppState& state, const std::vector<RestorePoint>& points, std::size_t last);

// The notice after an undo.
std::string undoneMessage(const std::vector<RestorePoint>& points, std::size_t last);

}  // namespace orb
