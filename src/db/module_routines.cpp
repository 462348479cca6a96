#include "db/module_routines.h"

#include "core/user_dialogs.h"

namespace orb {

void ExecuteSql(Database& database, std::string_view sql) {
    database.execute(sql);
}

std::string ShowOpenFileDialog(UserDialogs& dialogs, const std::string& filter) {
    return dialogs.openFileDialog(filter);
}

std::string ShowSaveFileDialog(UserDialogs& dialogs, const std::string& filter,
                               const std::string& initialName) {
    return dialogs.saveFileDialog(filter, initialName);
}

SqlValue NullTo(const SqlValue& value, int kind) {
    if (!value.isNull()) {
        return value;
    }
    if (kind == 0) {
        return SqlValue::integer(0);
    }
    if (kind == 1) {
        return SqlValue::text("");
    }
    return SqlValue();
}

}  // namespace orb
