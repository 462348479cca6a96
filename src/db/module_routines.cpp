#include "db/module_routines.h"

namespace orb {

void ExecuteSql(Database& database, std::string_view sql) {
    database.execute(sql);
}

}  // namespace orb
