#pragma once

#include <string>
#include <vector>

#include "db/restore_points.h"

namespace orb {

class AppState;

// One line for a restore point, as the list shows it:
// "2026-12-06 19:45:12  before deleting 3 styles  (5000 styles, 12 banks, 40 songs)".
std::string describeRestorePoint(const RestorePoint& point);

// The question asked before a restore point is brought back.
std::string undoQuestion(const RestorePoint& point);

// The restore points of the open catalogue, newest first.
std::vector<RestorePoint> restorePointsOfCatalogue(const AppState& state);

// Brings the catalogue back to `point`: keeps a restore point of the catalogue as it is now
// first, then replaces everything in one step and brings the tables up to date. The current
// bank is emptied, since the styles it names may be gone. Throws RestorePointError (nothing
// changed) when either step cannot be done.
void undoToRestorePoint(AppState& state, const RestorePoint& point);

// The notice after an undo.
std::string undoneMessage(const RestorePoint& point);

}  // namespace orb
