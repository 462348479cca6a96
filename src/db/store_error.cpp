#include "db/store_error.h"

namespace orb {

std::string inUseMessage(const std::string& path) {
    return "The database " + path + " is in use by another program; try again when it is closed.";
}

std::string failureMessage(const std::exception& error, const std::string& before,
                           const std::string& after, const std::string& consequence) {
    const auto* store = dynamic_cast<const StoreError*>(&error);
    if (store != nullptr && store->inUse()) {
        return error.what();
    }
    if (store != nullptr && store->kind() == StoreError::Kind::Text) {
        return consequence.empty() ? error.what() : error.what() + (" " + consequence);
    }
    return before + error.what() + after;
}

}  // namespace orb
