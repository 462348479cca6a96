#include "app/undo.h"

#include "db/schema.h"
#include "state/app_state.h"

namespace orb {

std::string describeRestorePoint(const RestorePoint& point) {
    return point.time + "  before " + point.action + "  (" + std::to_string(point.styles) +
           " styles, " + std::to_string(point.banks) + " banks, " + std::to_string(point.songs) +
           " songs)";
}

std::string undoQuestion(const RestorePoint& point) {
    return "Bring the catalogue back to how it was on " + point.time + ", before " + point.action +
           "? Every change made since then is undone; ORB first keeps a restore point of the "
           "catalogue as it is now.";
}

std::string undoneMessage(const RestorePoint& point) {
    return "The catalogue is back as it was on " + point.time + ", before " + point.action + ".";
}

std::vector<RestorePoint> restorePointsOfCatalogue(const AppState& state) {
    return state.restorePoints().list(state.connection.path());
}

void undoToRestorePoint(AppState& state, const RestorePoint& point) {
    RestorePoints points = state.restorePoints();
    points.keep(state.connection, "undoing the change of " + point.time, point.sequence);
    points.bringBack(state.connection, point);
    // A point of an older layout gets today's tables, indexes and guards.
    CreateTables(state.connection, state.settings);
    state.currentBank = CurrentBank{};
}

}  // namespace orb
