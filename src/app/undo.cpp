#include "app/undo.h"

#include <cstdio>

#include "db/schema.h"
#include "state/app_state.h"

namespace orb {
namespace {

bool replacesEverything(const std::vector<RestorePoint>& points, std::size_t last) {
    for (std::size_t i = 0; i <= last && i < points.size(); ++i) {
        if (points[i].kind == RestorePoint::Kind::WholeCopy) {
            return true;
        }
    }
    return false;
}

std::string laterSteps(std::size_t last) {
    return last == 0   ? ""
           : last == 1 ? " and the step after it"
                       : " and the " + std::to_string(last) + " steps after it";
}

}  // namespace

std::string sizeText(std::uintmax_t bytes) {
    if (bytes < 1000) {
        return std::to_string(bytes) + " bytes";
    }
    const char* units[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    while (value >= 1000.0 && unit + 1 < std::size(units)) {
        value /= 1000.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, value < 100.0 ? "%.1f %s" : "%.0f %s", value, units[unit]);
    return text;
}

std::string describeRestorePoint(const RestorePoint& point) {
    return point.time + "  before " + point.action + "  (" + std::to_string(point.styles) +
           " styles, " + std::to_string(point.banks) + " banks, " + std::to_string(point.songs) +
           " songs; " + sizeText(point.size) + ")";
}

std::string undoQuestion(const std::vector<RestorePoint>& points, std::size_t last) {
    const RestorePoint& point = points[last];
    if (replacesEverything(points, last)) {
        return "Bring the catalogue back to how it was on " + point.time + ", before " +
               point.action +
               "? Every change made since then is undone; ORB first keeps a restore point of the "
               "catalogue as it is now.";
    }
    return "Undo " + point.action + " of " + point.time + laterSteps(last) +
           "? What ORB changed in those steps comes back; other changes made since then stay. "
           "ORB first keeps a restore point of the undo.";
}

std::string undoneMessage(const std::vector<RestorePoint>& points, std::size_t last) {
    const RestorePoint& point = points[last];
    if (replacesEverything(points, last)) {
        return "The catalogue is back as it was on " + point.time + ", before " + point.action +
               ".";
    }
    return "Undone: " + point.action + " of " + point.time + laterSteps(last) + ".";
}

std::vector<RestorePoint> restorePointsOfCatalogue(const AppState& state) {
    return state.restorePoints().list(state.connection.path());
}

void undoToRestorePoint(AppState& state, const std::vector<RestorePoint>& points,
                        std::size_t last) {
    RestorePoints kept = state.restorePoints();
    const std::vector<RestorePoint> range(points.begin(),
                                          points.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    kept.undo(state.connection, range, "undoing the change of " + points[last].time);
    // A point of an older layout gets today's tables, indexes and guards.
    CreateTables(state.connection, state.settings);
}

}  // namespace orb
