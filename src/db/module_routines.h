#pragma once

#include <string_view>

#include "db/database.h"

namespace orb {

// Runs one text command on the connection; a failure reaches the caller as DbError.
void ExecuteSql(Database& database, std::string_view sql);

}  // namespace orb
