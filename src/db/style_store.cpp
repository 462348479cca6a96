#include "db/style_store.h"

#include <algorithm>
#include <vector>

#include "db/column_sizes.h"
#include "db/database.h"
#include "db/store_support.h"
#include "db/write_transaction.h"

namespace orb {
namespace {

constexpr const char* kMaxSql = "SELECT MAX(StyleProg) AS MAXPROG FROM KORFStyles";

// An empty block is stored as one blank, so that no content column holds an empty value.
constexpr std::string_view kEmptyBlock = " ";

std::string_view storedBlock(std::string_view block) {
    return block.empty() ? kEmptyBlock : block;
}

// The search key: the first 250 bytes of the stored first block.
std::string_view seekOf(std::string_view storedContent1) {
    return storedContent1.substr(0, 250);
}

constexpr const char* kInsertSql =
    "INSERT INTO KORFStyles (StyleProg,StyleName1,StyleName2,StyleLength1,StyleLength2,"
    "StyleContent1,StyleContent2,StyleSeek,StyleDate,StyleDesc,StyleCat,StyleFamily,StyleFile,"
    "StyleAuthor) VALUES (pStyleProg,pStyleName1,pStyleName2,pStyleLength1,pStyleLength2,"
    "pStyleContent1,pStyleContent2,pStyleSeek,pStyleDate,pStyleDesc,pStyleCat,pStyleFamily,"
    "pStyleFile,pStyleAuthor)";

// One statement, so that a refused value leaves the whole row as it was. A text bound as null
// keeps the stored one.
constexpr const char* kChangeSql =
    "UPDATE KORFStyles SET StyleName1 = coalesce(pStyleName1, StyleName1), "
    "StyleDesc = coalesce(pStyleDesc, StyleDesc), "
    "StyleFamily = coalesce(pStyleFamily, StyleFamily), StyleCat = coalesce(pStyleCat, StyleCat), "
    "StyleFile = coalesce(pStyleFile, StyleFile), "
    "StyleAuthor = coalesce(pStyleAuthor, StyleAuthor) WHERE StyleProg = pStyleProg";

constexpr const char* kReplaceSql =
    "UPDATE KORFStyles SET StyleName1 = pStyleName1, StyleName2 = pStyleName2, "
    "StyleLength1 = pStyleLength1, StyleLength2 = pStyleLength2, StyleDate = pStyleDate, "
    "StyleDesc = pStyleDesc, StyleCat = pStyleCat, StyleFamily = pStyleFamily, "
    "StyleFile = pStyleFile, StyleAuthor = pStyleAuthor, StyleContent1 = pStyleContent1, "
    "StyleContent2 = pStyleContent2, StyleSeek = pStyleSeek WHERE StyleProg = pStyleProg";

constexpr const char* kSelectSql = "SELECT * FROM KORFStyles WHERE StyleProg = pStyleProg";

constexpr const char* kSelectWithoutBlocksSql =
    "SELECT STYLEPROG, STYLENAME1, STYLENAME2, STYLELENGTH1, STYLELENGTH2,STYLEDATE, STYLEDESC, "
    "STYLECAT, STYLEFAMILY, STYLEFILE, STYLEAUTHOR FROM KORFStyles WHERE StyleProg = pStyleProg";

// The name is bound, so a name holding an apostrophe is looked up like any other.
constexpr const char* kSelectByNameSql = "SELECT * FROM KORFStyles WHERE StyleName1 = pStyleName1";

// The condition is the index's expression word for word, so that the look-up goes through it.
constexpr const char* kSelectByContentSql =
    "SELECT STYLEPROG,STYLECONTENT1,STYLECONTENT2 FROM KORFStyles "
    "WHERE substr(StyleSeek, 1, 16) = pSeekKey";
static_assert(kStyleSeekKeyBytes == 16, "the look-up's condition names the key's length");

// The keys in the index's order, read from the index alone; rows with the same key are the only
// ones whose blocks can be the same.
constexpr const char* kKeysInOrderSql =
    "SELECT substr(StyleSeek, 1, 16), rowid FROM KORFStyles ORDER BY substr(StyleSeek, 1, 16)";
constexpr const char* kBlocksOfRowSql =
    "SELECT StyleProg, StyleContent1, StyleContent2 FROM KORFStyles WHERE rowid = pRow";

constexpr const char* kAllNamesInNumberOrderSql =
    "SELECT StyleProg, StyleName1 FROM KORFStyles ORDER BY StyleProg";

// An empty block is one blank with the length 0; any other length follows the block.
constexpr const char* kSetLengthsSql =
    "UPDATE KORFStyles SET "
    "StyleLength1 = CASE WHEN StyleLength1 = 0 AND StyleContent1 = x'20' THEN 0 "
    "ELSE length(StyleContent1) END, "
    "StyleLength2 = CASE WHEN StyleLength2 = 0 AND StyleContent2 = x'20' THEN 0 "
    "ELSE length(StyleContent2) END "
    "WHERE NOT ((StyleLength1 = length(StyleContent1) OR (StyleLength1 = 0 AND StyleContent1 = "
    "x'20')) AND (StyleLength2 = length(StyleContent2) OR (StyleLength2 = 0 AND StyleContent2 = "
    "x'20')))";

// A padded name sorts from the bare name up to, but not including, the bare name followed by
// "!", the first character after the blank; what lies between is checked to be padding. The
// name index holds both columns, so the look-up never reads a style's row; the numbers are put
// in order here rather than by a sort in the engine for every name.
constexpr const char* kSelectNamedSql =
    "SELECT StyleProg, StyleName1 FROM KORFStyles WHERE StyleName1 >= pLow AND StyleName1 < "
    "pHigh";

// The filter is bound, not spliced into the statement, so that an apostrophe in it is matched
// like any other character.
constexpr const char* kNamesLikeSql =
    "SELECT KORFSTYLES.STYLEPROG, KORFStyles.StyleName1, KORFStyles.StyleDesc, "
    "KORFStyles.StyleFamily From KORFStyles WHERE KORFStyles.StyleName1 LIKE pFilter ORDER BY "
    "KORFSTYLES.STYLENAME1";
constexpr const char* kAllNamesSql =
    "SELECT KORFSTYLES.STYLEPROG, KORFStyles.StyleName1, KORFStyles.StyleDesc, "
    "KORFStyles.StyleFamily From KORFStyles ORDER BY KORFSTYLES.STYLENAME1";
constexpr const char* kLinkedLabelsSql =
    "SELECT StyleProg, StyleName1, StyleDesc, StyleFamily FROM KORFStyles WHERE StyleProg IN "
    "(SELECT StyleProg FROM KORFSonSty)";

std::vector<StyleLabel> labelsOf(Rows& rows) {
    std::vector<StyleLabel> labels;
    while (rows.next()) {
        labels.push_back(
            {static_cast<std::int32_t>(rows.integer(0)), rows.text(1), rows.text(2), rows.text(3)});
    }
    return labels;
}

constexpr const char* kListSelect =
    "SELECT STYLEPROG, STYLENAME1, STYLEDESC, STYLEFAMILY, STYLECAT, STYLEAUTHOR, STYLEDATE FROM "
    "KORFSTYLES";

// The columns of StyleColumn, and the parameters that carry their filter texts.
constexpr std::array<const char*, kStyleColumnCount> kListColumns = {
    "STYLENAME1", "STYLEDESC", "STYLEFAMILY", "STYLECAT", "STYLEFILE", "STYLEAUTHOR"};
constexpr std::array<const char*, kStyleColumnCount> kFilterParameters = {
    "pStyleName1", "pStyleDesc", "pStyleFamily", "pStyleCat", "pStyleFile", "pStyleAuthor"};

// The name equals the parameter when its first bytes do (letter case aside) and the bytes after
// them are only blanks and code-0 characters. Text functions stop at a code-0 character, so the
// name is cut as bytes and the rest is checked through its hexadecimal digits.
std::string paddedNameEquals(const std::string& parameter) {
    const std::string name = "CAST(STYLENAME1 AS BLOB)";
    const std::string length = "length(CAST(" + parameter + " AS BLOB))";
    return "CAST(substr(" + name + ", 1, " + length + ") AS TEXT) = " + parameter +
           " COLLATE NOCASE AND replace(hex(replace(substr(" + name + ", " + length +
           " + 1), ' ', '')), '0', '') = ''";
}

std::string filterCondition(std::size_t column, const std::string& text) {
    const std::string parameter = kFilterParameters[column];
    if (text.find('%') != std::string::npos) {
        return std::string(kListColumns[column]) + " LIKE " + parameter;
    }
    if (column == static_cast<std::size_t>(StyleColumn::Name)) {
        return paddedNameEquals(parameter);
    }
    return std::string(kListColumns[column]) + " = " + parameter;
}

}  // namespace

std::string styleListStatement(const StyleQuery& query) {
    std::string where;
    for (std::size_t column = 0; column < kStyleColumnCount; ++column) {
        const std::string& text = query.filters[column];
        if (!text.empty()) {
            where += (where.empty() ? "" : " AND ") + filterCondition(column, text);
        }
    }
    std::string order;
    for (const StyleSortKey& key : query.order) {
        order += (order.empty() ? "" : ", ") +
                 std::string(kListColumns[static_cast<std::size_t>(key.column)]) +
                 (key.descending ? " DESC" : "");
    }
    std::string sql = kListSelect;
    if (!where.empty()) {
        sql += " WHERE " + where;
    }
    return sql + " ORDER BY " + (order.empty() ? std::string("STYLEPROG") : order);
}

namespace {

std::int32_t integerColumn(const Rows& rows, std::string_view name) {
    return static_cast<std::int32_t>(rows.integer(name));
}

// The columns every read loads.
void readDescriptive(const Rows& rows, StyleRow& row) {
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

StyleRow readWholeRow(const Rows& rows) {
    StyleRow row;
    readDescriptive(rows, row);
    row.StyleContent1 = rows.bytes("StyleContent1");
    row.StyleContent2 = rows.bytes("StyleContent2");
    return row;
}

// The text columns of a style row, with the column each is stored in.
struct StyleText {
    const ColumnSize& column;
    const std::string StyleRow::*text;
};
const std::array<StyleText, 8> kStyleTexts = {{
    {textColumn("KORFStyles", "StyleName1"), &StyleRow::StyleName1},
    {textColumn("KORFStyles", "StyleName2"), &StyleRow::StyleName2},
    {textColumn("KORFStyles", "StyleDate"), &StyleRow::StyleDate},
    {textColumn("KORFStyles", "StyleDesc"), &StyleRow::StyleDesc},
    {textColumn("KORFStyles", "StyleCat"), &StyleRow::StyleCat},
    {textColumn("KORFStyles", "StyleFamily"), &StyleRow::StyleFamily},
    {textColumn("KORFStyles", "StyleFile"), &StyleRow::StyleFile},
    {textColumn("KORFStyles", "StyleAuthor"), &StyleRow::StyleAuthor},
}};

constexpr std::string_view kPadding{" \0", 2};

std::string withoutPadding(std::string_view name) {
    const auto first = name.find_first_not_of(kPadding);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(name.substr(first, name.find_last_not_of(kPadding) - first + 1));
}

}  // namespace

void StyleStore::checkTexts(const StyleRow& style, const TextPlace& place) {
    for (const StyleText& text : kStyleTexts) {
        requireStorableText(text.column, style.*text.text, place);
    }
}

std::optional<StyleRow> StyleStore::find(std::int32_t styleProg) {
    Rows rows = connection_.query(kSelectSql, {styleProg});
    if (!rows.next()) {
        return std::nullopt;
    }
    return readWholeRow(rows);
}

std::optional<StyleRow> StyleStore::findWithoutBlocks(std::int32_t styleProg) {
    Rows rows = connection_.query(kSelectWithoutBlocksSql, {styleProg});
    if (!rows.next()) {
        return std::nullopt;
    }
    StyleRow row;
    readDescriptive(rows, row);
    return row;
}

std::vector<StyleRow> StyleStore::findByName(std::string_view name) {
    Rows rows = connection_.query(kSelectByNameSql, {name});
    std::vector<StyleRow> found;
    while (rows.next()) {
        found.push_back(readWholeRow(rows));
    }
    return found;
}

std::vector<std::int32_t> StyleStore::numbersNamed(std::string_view name) {
    const std::string wanted = withoutPadding(name);
    std::vector<std::int32_t> found;
    if (wanted.empty()) {
        return found;
    }
    Rows rows = connection_.query(kSelectNamedSql, {wanted, wanted + "!"});
    while (rows.next()) {
        const std::string_view stored = rows.bytes(1);
        if (stored.size() >= wanted.size() &&
            stored.substr(wanted.size()).find_first_not_of(kPadding) == std::string_view::npos) {
            found.push_back(static_cast<std::int32_t>(rows.integer(0)));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::optional<std::int32_t> StyleStore::findByContent(std::string_view content1,
                                                      std::string_view content2) {
    const std::string_view wanted1 = storedBlock(content1);
    const std::string_view wanted2 = storedBlock(content2);
    const std::string_view key = seekOf(wanted1).substr(0, kStyleSeekKeyBytes);
    Rows rows = connection_.query(kSelectByContentSql, {SqlParam::blob(key)});
    // Rows with the same start of key are few; the short second block is compared first, and
    // the bytes are compared where the engine holds them, without a copy.
    while (rows.next()) {
        if (rows.bytes(2) == wanted2 && rows.bytes(1) == wanted1) {
            return static_cast<std::int32_t>(rows.integer(0));
        }
    }
    return std::nullopt;
}

std::vector<std::int32_t> StyleStore::numbersByContent(std::string_view content1,
                                                       std::string_view content2) {
    const std::string_view wanted1 = storedBlock(content1);
    const std::string_view wanted2 = storedBlock(content2);
    const std::string_view key = seekOf(wanted1).substr(0, kStyleSeekKeyBytes);
    Rows rows = connection_.query(kSelectByContentSql, {SqlParam::blob(key)});
    std::vector<std::int32_t> numbers;
    while (rows.next()) {
        if (rows.bytes(2) == wanted2 && rows.bytes(1) == wanted1) {
            numbers.push_back(static_cast<std::int32_t>(rows.integer(0)));
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::int32_t StyleStore::next() {
    return nextNumber(connection_, kMaxSql);
}

long long StyleStore::count() {
    return countOf(connection_, "SELECT COUNT(*) FROM KORFStyles");
}

std::vector<StyleListRow> StyleStore::list(const StyleQuery& query) {
    std::vector<SqlParam> params;
    for (const std::string& text : query.filters) {
        if (!text.empty()) {
            params.emplace_back(text);
        }
    }
    Rows rows = connection_.query(styleListStatement(query), params);
    std::vector<StyleListRow> list;
    while (rows.next()) {
        StyleListRow& row = list.emplace_back();
        row.StyleProg = static_cast<std::int32_t>(rows.integer(0));
        row.StyleName1 = rows.text(1);
        row.StyleDesc = rows.text(2);
        row.StyleFamily = rows.text(3);
        row.StyleCat = rows.text(4);
        row.StyleAuthor = rows.text(5);
        row.StyleDate = rows.text(6);
    }
    return list;
}

std::vector<StyleLabel> StyleStore::labelsLike(const std::string& pattern) {
    Rows rows = pattern == "%" ? connection_.query(kAllNamesSql)
                               : connection_.query(kNamesLikeSql, {pattern});
    return labelsOf(rows);
}

std::vector<StyleLabel> StyleStore::linkedLabels() {
    Rows rows = connection_.query(kLinkedLabelsSql);
    return labelsOf(rows);
}

std::int32_t StyleStore::insert(const StyleRow& style, const TextPlace& place) {
    checkTexts(style, place);
    return insertUnderNextNumber(connection_, kMaxSql,
                                 [&](std::int32_t styleProg) { write(styleProg, style); });
}

void StyleStore::insertNumbered(const StyleRow& style, const TextPlace& place) {
    checkTexts(style, place);
    write(style.StyleProg, style);
}

void StyleStore::write(std::int32_t styleProg, const StyleRow& style) {
    const std::string_view content1 = storedBlock(style.StyleContent1);
    connection_.execute(
        kInsertSql,
        {styleProg, style.StyleName1, style.StyleName2, style.StyleLength1, style.StyleLength2,
         SqlParam::blob(content1), SqlParam::blob(storedBlock(style.StyleContent2)),
         SqlParam::blob(seekOf(content1)), style.StyleDate, style.StyleDesc, style.StyleCat,
         style.StyleFamily, style.StyleFile, style.StyleAuthor});
}

bool StyleStore::change(std::int32_t styleProg, const StyleColumnChanges& changes) {
    const TextPlace place = TextPlace::style(styleProg);
    const std::array<std::pair<const char*, const std::optional<std::string>*>, 6> given = {{
        {"StyleName1", &changes.StyleName1},
        {"StyleDesc", &changes.StyleDesc},
        {"StyleFamily", &changes.StyleFamily},
        {"StyleCat", &changes.StyleCat},
        {"StyleFile", &changes.StyleFile},
        {"StyleAuthor", &changes.StyleAuthor},
    }};
    std::vector<SqlParam> params;
    for (const auto& [column, value] : given) {
        if (*value) {
            requireStorableText(textColumn("KORFStyles", column), **value, place);
            params.emplace_back(**value);
        } else {
            params.push_back(SqlParam::null());
        }
    }
    params.emplace_back(styleProg);
    connection_.execute(kChangeSql, params);
    return connection_.changes() > 0;
}

bool StyleStore::replace(const StyleRow& style, const TextPlace& place) {
    checkTexts(style, place);
    const std::string_view content1 = storedBlock(style.StyleContent1);
    connection_.execute(kReplaceSql,
                        {style.StyleName1, style.StyleName2, style.StyleLength1, style.StyleLength2,
                         style.StyleDate, style.StyleDesc, style.StyleCat, style.StyleFamily,
                         style.StyleFile, style.StyleAuthor, SqlParam::blob(content1),
                         SqlParam::blob(storedBlock(style.StyleContent2)),
                         SqlParam::blob(seekOf(content1)), style.StyleProg});
    return connection_.changes() > 0;
}

void StyleStore::remove(std::int32_t styleProg) {
    connection_.execute("DELETE FROM KORFStyles WHERE StyleProg = pStyleProg", {styleProg});
}

const char* sameContentKeysStatement() {
    return kKeysInOrderSql;
}

std::vector<StyleName> StyleStore::allNames() {
    std::vector<StyleName> names;
    Rows rows = connection_.query(kAllNamesInNumberOrderSql);
    while (rows.next()) {
        names.push_back({static_cast<std::int32_t>(rows.integer(0)), rows.text(1)});
    }
    return names;
}

std::vector<std::vector<std::int32_t>> StyleStore::sameContentGroups() {
    // Runs of equal keys, as row numbers.
    std::vector<std::vector<std::int64_t>> runs;
    {
        Rows rows = connection_.query(kKeysInOrderSql);
        std::string previous;
        bool first = true;
        std::vector<std::int64_t> run;
        while (rows.next()) {
            const std::string_view key = rows.bytes(0);
            if (first || key != previous) {
                if (run.size() > 1) {
                    runs.push_back(std::move(run));
                }
                run.clear();
                previous.assign(key);
                first = false;
            }
            run.push_back(rows.integer(1));
        }
        if (run.size() > 1) {
            runs.push_back(std::move(run));
        }
    }
    std::vector<std::vector<std::int32_t>> groups;
    for (const std::vector<std::int64_t>& run : runs) {
        struct Candidate {
            std::int32_t styleProg;
            std::string content1;
            std::string content2;
        };
        std::vector<Candidate> candidates;
        for (const std::int64_t row : run) {
            Rows rows = connection_.query(kBlocksOfRowSql, {row});
            if (rows.next()) {
                candidates.push_back({static_cast<std::int32_t>(rows.integer(0)),
                                      std::string(rows.bytes(1)), std::string(rows.bytes(2))});
            }
        }
        std::vector<bool> placed(candidates.size(), false);
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (placed[i]) {
                continue;
            }
            std::vector<std::int32_t> group{candidates[i].styleProg};
            for (std::size_t j = i + 1; j < candidates.size(); ++j) {
                if (!placed[j] && candidates[j].content2 == candidates[i].content2 &&
                    candidates[j].content1 == candidates[i].content1) {
                    group.push_back(candidates[j].styleProg);
                    placed[j] = true;
                }
            }
            if (group.size() > 1) {
                std::sort(group.begin(), group.end());
                groups.push_back(std::move(group));
            }
        }
    }
    std::sort(groups.begin(), groups.end());
    return groups;
}

int StyleStore::setLengthsFromBlocks() {
    connection_.execute(kSetLengthsSql);
    return connection_.changes();
}

}  // namespace orb
