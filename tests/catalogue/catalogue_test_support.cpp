#include "catalogue/catalogue_test_support.h"

#include "db/database.h"
#include "stylefiles/bank_file.h"
#include "support/sty_file_builder.h"
#include "support/temp_dir.h"

namespace orb::test {

void addStyle(Database& db, std::int32_t prog, const std::string& name, const std::string& desc,
              const std::string& family, const std::string& cat, const std::string& author) {
    StyleRow style;
    style.StyleProg = prog;
    style.StyleName1 = name;
    // The second name ends in "2", without the padding the first one may carry.
    std::string second = name.substr(0, 10);
    std::erase(second, '\0');
    style.StyleName2 = second + "2";
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
    StyleStore(db).insertNumbered(style);
}

StyleRow balladRow() {
    StyleRow style;
    style.StyleProg = 57;
    style.StyleName1 = "BALLAD";
    style.StyleLength1 = 1200;
    style.StyleLength2 = 34;
    style.StyleDesc = "Slow one";
    style.StyleFamily = "Slow";
    style.StyleCat = "Pop";
    style.StyleFile = "USER01.STY";
    style.StyleAuthor = "Ben";
    style.StyleDate = "2026/12/06";
    return style;
}

std::string expectedBankFile(Database& db, const std::vector<std::int32_t>& styles,
                             int bankNumber) {
    StyFileBuilder builder;
    StyleStore store(db);
    for (std::size_t slot = 0; slot < styles.size(); ++slot) {
        const StyleRow style = store.find(styles[slot]).value_or(StyleRow{});
        EXPECT_EQ(style.StyleProg, styles[slot]);
        builder.style(static_cast<int>(slot), style.StyleName1, style.StyleContent1,
                      style.StyleName2, style.StyleContent2, bankNumber);
    }
    return builder.bytes();
}

void expectBankFile(Database& db, const std::filesystem::path& file,
                    const std::vector<std::int32_t>& styles, int bankNumber) {
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    EXPECT_EQ(readFile(file), expectedBankFile(db, styles, bankNumber)) << file;
    const std::vector<StyleFileBank> banks = readBankFile(file).banks;
    ASSERT_EQ(banks.size(), 1u) << file;
    EXPECT_EQ(banks[0].bankNumber, bankNumber) << file;
    EXPECT_EQ(banks[0].styles.size(), styles.size()) << file;
}

}  // namespace orb::test
