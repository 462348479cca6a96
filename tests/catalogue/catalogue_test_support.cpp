#include "catalogue/catalogue_test_support.h"

#include "db/database.h"
#include "support/sty_file_builder.h"

namespace orb::test {

void addStyle(Database& db, std::int32_t prog, const std::string& name, const std::string& desc,
              const std::string& family, const std::string& cat, const std::string& author) {
    DbKORFStyle style(db);
    style.StyleProg = prog;
    style.StyleName1 = name;
    style.StyleName2 = name.substr(0, 10) + "2";
    style.StyleContent1 = makeChunk(static_cast<std::size_t>(prog) * 3, prog);
    style.StyleContent2 = makeChunk(static_cast<std::size_t>(prog) + 5, prog + 1000);
    style.StyleLength1 = static_cast<std::int32_t>(style.StyleContent1.size());
    style.StyleLength2 = static_cast<std::int32_t>(style.StyleContent2.size());
    style.StyleDate = "2026/12/06";
    style.StyleDesc = desc;
    style.StyleFamily = family;
    style.StyleCat = cat;
    style.StyleFile = "USER0" + std::to_string(prog % 10) + ".STY";
    style.StyleAuthor = author;
    ASSERT_TRUE(style.InsKORFStyles()) << style.clsKORFStylesError;
}

}  // namespace orb::test
