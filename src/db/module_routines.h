#pragma once

#include <string>
#include <string_view>

#include "core/byte_conversions.h"
#include "db/database.h"

namespace orb {

class UserDialogs;

// Runs one text command on the connection; a failure reaches the caller as DbError.
void ExecuteSql(Database& database, std::string_view sql);

// The open-file dialog with the given filter ("description|pattern"); the chosen path, or the
// empty string when the person cancels.
std::string ShowOpenFileDialog(UserDialogs& dialogs, const std::string& filter);

// The save-file dialog with the given filter and initial file name; "" on cancel.
std::string ShowSaveFileDialog(UserDialogs& dialogs, const std::string& filter,
                               const std::string& initialName);

// A null field value becomes: kind 0 the integer 0, kind 1 the empty text, any other kind an
// empty value. A value that is not null is returned as it is.
SqlValue NullTo(const SqlValue& value, int kind);

}  // namespace orb
