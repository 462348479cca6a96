#include "db/db_korf_style.h"

#include "db/access_support.h"

namespace orb {
namespace {

// An empty block is stored as one blank, so that no content column holds an empty value.
constexpr std::string_view kEmptyBlock = " ";

std::string_view storedBlock(std::string_view block) {
    return block.empty() ? kEmptyBlock : block;
}

void blankIfEmpty(std::string& block) {
    if (block.empty()) {
        block = kEmptyBlock;
    }
}

constexpr const char* kInsertSql =
    "INSERT INTO KORFStyles (StyleProg,StyleName1,StyleName2,StyleLength1,StyleLength2,"
    "StyleContent1,StyleContent2,StyleSeek,StyleDate,StyleDesc,StyleCat,StyleFamily,StyleFile,"
    "StyleAuthor) VALUES (pStyleProg,pStyleName1,pStyleName2,pStyleLength1,pStyleLength2,"
    "pStyleContent1,pStyleContent2,pStyleSeek,pStyleDate,pStyleDesc,pStyleCat,pStyleFamily,"
    "pStyleFile,pStyleAuthor)";

// One statement, so that a refused value leaves the whole row as it was.
constexpr const char* kUpdateSql =
    "UPDATE KORFStyles SET StyleName1 = pStyleName1, StyleName2 = pStyleName2, "
    "StyleLength1 = pStyleLength1, StyleLength2 = pStyleLength2, StyleDate = pStyleDate, "
    "StyleDesc = pStyleDesc, StyleCat = pStyleCat, StyleFamily = pStyleFamily, "
    "StyleFile = pStyleFile, StyleAuthor = pStyleAuthor WHERE StyleProg = pStyleProg";

constexpr const char* kUpdateContentSql =
    "UPDATE KORFStyles SET StyleContent1 = pStyleContent1, StyleContent2 = pStyleContent2, "
    "StyleSeek = pStyleSeek WHERE StyleProg = pStyleProg";

constexpr const char* kSelectSql = "SELECT * FROM KORFStyles WHERE StyleProg = pStyleProg";

constexpr const char* kSelectNoContentSql =
    "SELECT STYLEPROG, STYLENAME1, STYLENAME2, STYLELENGTH1, STYLELENGTH2,STYLEDATE, STYLEDESC, "
    "STYLECAT, STYLEFAMILY, STYLEFILE, STYLEAUTHOR FROM KORFStyles WHERE StyleProg = pStyleProg";

// The name is bound, so a name holding an apostrophe is looked up like any other.
constexpr const char* kSelectByNameSql = "SELECT * FROM KORFStyles WHERE StyleName1 = pStyleName1";

// The condition is the index's expression word for word, so that the look-up goes through it.
constexpr const char* kSelectByContentSql =
    "SELECT STYLEPROG,STYLECONTENT1,STYLECONTENT2 FROM KORFStyles "
    "WHERE substr(StyleSeek, 1, 16) = pSeekKey";
static_assert(kStyleSeekKeyBytes == 16, "the look-up's condition names the key's length");

std::int32_t integerColumn(const Rows& rows, std::string_view name) {
    return static_cast<std::int32_t>(rows.integer(name));
}

// The descriptive columns, which every read loads.
void readDescriptive(const Rows& rows, KORFStylesRow& row) {
    row.StyleProg = integerColumn(rows, "StyleProg");
    row.StyleName1 = rows.text("StyleName1");
    row.StyleName2 = rows.text("StyleName2");
    row.StyleLength1 = integerColumn(rows, "StyleLength1");
    row.StyleLength2 = integerColumn(rows, "StyleLength2");
    row.StyleDate = rows.text("StyleDate");
    row.StyleDesc = rows.text("StyleDesc");
    row.StyleCat = rows.text("StyleCat");
    row.StyleFamily = rows.text("StyleFamily");
    row.StyleFile = rows.text("StyleFile");
    row.StyleAuthor = rows.text("StyleAuthor");
}

KORFStylesRow readWholeRow(const Rows& rows) {
    KORFStylesRow row;
    readDescriptive(rows, row);
    row.StyleContent1 = rows.bytes("StyleContent1");
    row.StyleContent2 = rows.bytes("StyleContent2");
    row.StyleSeek = rows.bytes("StyleSeek");
    return row;
}

}  // namespace

bool DbKORFStyle::InsKORFStyles() {
    return runReportingFailure(clsKORFStylesError, [&] {
        blankIfEmpty(StyleContent1);
        blankIfEmpty(StyleContent2);
        StyleSeek = styleSeekOf(StyleContent1);
        requireConnection(ActiveConnection)
            .execute(kInsertSql, {StyleProg, StyleName1, StyleName2, StyleLength1, StyleLength2,
                                  SqlParam::blob(StyleContent1), SqlParam::blob(StyleContent2),
                                  SqlParam::blob(StyleSeek), StyleDate, StyleDesc, StyleCat,
                                  StyleFamily, StyleFile, StyleAuthor});
        return true;
    });
}

bool DbKORFStyle::UpdKORFStyles() {
    return runReportingFailure(clsKORFStylesError, [&] {
        Database& connection = requireConnection(ActiveConnection);
        connection.execute(
            kUpdateSql, {StyleName1, StyleName2, StyleLength1, StyleLength2, StyleDate, StyleDesc,
                         StyleCat, StyleFamily, StyleFile, StyleAuthor, StyleProg});
        return connection.changes() > 0;
    });
}

bool DbKORFStyle::UpdKORFStylesContent() {
    return runReportingFailure(clsKORFStylesError, [&] {
        Database& connection = requireConnection(ActiveConnection);
        blankIfEmpty(StyleContent1);
        blankIfEmpty(StyleContent2);
        StyleSeek = styleSeekOf(StyleContent1);
        connection.execute(kUpdateContentSql,
                           {SqlParam::blob(StyleContent1), SqlParam::blob(StyleContent2),
                            SqlParam::blob(StyleSeek), StyleProg});
        return connection.changes() > 0;
    });
}

bool DbKORFStyle::DelKORFStyles() {
    return runReportingFailure(clsKORFStylesError, [&] {
        requireConnection(ActiveConnection)
            .execute("DELETE FROM KORFStyles WHERE StyleProg = pStyleProg", {StyleProg});
        return true;
    });
}

bool DbKORFStyle::GetKORFStyles() {
    return runReportingFailure(clsKORFStylesError, [&] {
        Rows rows = requireConnection(ActiveConnection).query(kSelectSql, {StyleProg});
        if (!rows.next()) {
            return false;
        }
        KORFStylesRow row = readWholeRow(rows);
        // The key is made from the block rather than read, as an insert would make it.
        row.StyleSeek = styleSeekOf(row.StyleContent1);
        static_cast<KORFStylesRow&>(*this) = std::move(row);
        return true;
    });
}

std::optional<std::vector<KORFStylesRow>> DbKORFStyle::GetKORFStylesByName() {
    std::optional<std::vector<KORFStylesRow>> result;
    runReportingFailure(clsKORFStylesError, [&] {
        Rows rows = requireConnection(ActiveConnection).query(kSelectByNameSql, {StyleName1});
        std::vector<KORFStylesRow> found;
        while (rows.next()) {
            found.push_back(readWholeRow(rows));
        }
        result = std::move(found);
        return true;
    });
    return result;
}

bool DbKORFStyle::GetKORFStylesNoContent() {
    return runReportingFailure(clsKORFStylesError, [&] {
        Rows rows = requireConnection(ActiveConnection).query(kSelectNoContentSql, {StyleProg});
        if (!rows.next()) {
            return false;
        }
        KORFStylesRow row;
        readDescriptive(rows, row);
        row.StyleContent1 = kEmptyBlock;
        row.StyleContent2 = kEmptyBlock;
        row.StyleSeek = kEmptyBlock;
        static_cast<KORFStylesRow&>(*this) = std::move(row);
        return true;
    });
}

std::int32_t DbKORFStyle::GetKORFStylesByContent(std::string_view content1,
                                                 std::string_view content2) {
    const std::string_view wanted1 = storedBlock(content1);
    const std::string_view wanted2 = storedBlock(content2);
    StyleSeek = styleSeekOf(wanted1);
    const std::string_view key = std::string_view(StyleSeek).substr(0, kStyleSeekKeyBytes);
    Rows rows =
        requireConnection(ActiveConnection).query(kSelectByContentSql, {SqlParam::blob(key)});
    // Rows with the same start of key are few; the short second block is compared first, and
    // the bytes are compared where the engine holds them, without a copy.
    while (rows.next()) {
        if (rows.bytes(2) == wanted2 && rows.bytes(1) == wanted1) {
            return static_cast<std::int32_t>(rows.integer(0));
        }
    }
    return -1;
}

std::int32_t DbKORFStyle::NextKORFStyle() {
    return nextNumber(requireConnection(ActiveConnection),
                      "SELECT MAX(StyleProg) AS MAXPROG FROM KORFStyles");
}

}  // namespace orb
