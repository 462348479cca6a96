#include "catalogue/catalogue_test_support.h"

#include "db/database.h"

namespace orb::test {

void addStyle(Database& db, std::int32_t prog, const std::string& name, const std::string& desc,
              const std::string& family, const std::string& cat, const std::string& author) {
    const std::string content = "content of " + std::to_string(prog);
    db.execute(
        "INSERT INTO KORFStyles (StyleProg, StyleName1, StyleName2, StyleLength1, StyleLength2, "
        "StyleContent1, StyleContent2, StyleSeek, StyleDate, StyleDesc, StyleCat, StyleFamily, "
        "StyleFile, StyleAuthor) VALUES (pProg, pName, pName, pLength, 0, pContent, pEmpty, "
        "pContent, pDate, pDesc, pCat, pFamily, pFile, pAuthor)",
        {prog, name, static_cast<std::int32_t>(content.size()), SqlParam::blob(content),
         SqlParam::blob(""), "2026/12/06", desc, cat, family, "USER01.STY", author});
}

}  // namespace orb::test
