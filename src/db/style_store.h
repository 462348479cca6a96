#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bank_file_style.h"
#include "db/style_query.h"
#include "db/text_gate.h"

namespace orb {

class Database;

// One row of KORFStyles: the style itself (number, names, lengths, blocks) and its descriptive
// texts. Blocks are bytes, one char per byte, never converted. The search key is not part of
// it: the store makes it from the first block.
struct StyleRow {
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::string StyleName2;
    std::int32_t StyleLength1 = 0;
    std::int32_t StyleLength2 = 0;
    std::string StyleContent1;
    std::string StyleContent2;
    std::string StyleDate;
    std::string StyleDesc;
    std::string StyleCat;
    std::string StyleFamily;
    std::string StyleFile;
    std::string StyleAuthor;

    bool operator==(const StyleRow&) const = default;
};

// The style's two parts as a bank file entry in `slot`.
BankFileStyle bankFileStyleOf(const StyleRow& row, int slot);
// A row of number `number` holding the two parts of `style`, its texts empty.
StyleRow styleRowOf(BankFileStyle style, std::int32_t number);

// One row of the style list: the columns the catalogue grid and the command line show.
struct StyleListRow {
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::string StyleDesc;
    std::string StyleFamily;
    std::string StyleCat;
    std::string StyleAuthor;
    std::string StyleDate;

    bool operator==(const StyleListRow&) const = default;
};

// A style's number and name, as the linking windows list the styles.
struct StyleName {
    std::int32_t StyleProg = 0;
    std::string StyleName1;

    bool operator==(const StyleName&) const = default;
};

// What tells styles of one name apart where a list shows them: the name with its number,
// description and family.
struct StyleLabel {
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::string StyleDesc;
    std::string StyleFamily;

    bool operator==(const StyleLabel&) const = default;
};

// New values for the descriptive texts of a style; a text without a value stays as it is.
struct StyleColumnChanges {
    std::optional<std::string> StyleName1;
    std::optional<std::string> StyleDesc;
    std::optional<std::string> StyleFamily;
    std::optional<std::string> StyleCat;
    std::optional<std::string> StyleFile;
    std::optional<std::string> StyleAuthor;

    bool empty() const {
        return !StyleName1 && !StyleDesc && !StyleFamily && !StyleCat && !StyleFile && !StyleAuthor;
    }
    bool operator==(const StyleColumnChanges&) const = default;
};

// The style list's statement for `query`, as StyleStore::list runs it (the benchmark runs it in
// the sqlite3 shell too). Its parameters take the query's filter texts that are not empty, in
// column order.
std::string styleListStatement(const StyleQuery& query);

// The statement that reads the keys in order, where sameContentGroups starts (the benchmark runs
// it in the sqlite3 shell too).
const char* sameContentKeysStatement();

// How many bytes of the search key the content look-up's index holds.
inline constexpr std::size_t kStyleSeekKeyBytes = 16;

// Table KORFStyles. A cheap object made on the connection; every statement on the table is
// here. A failure throws StoreError (DbError for the engine's refusals), whose text carries no
// engine code. Every text written passes the text gate, named at the place given (for an
// update, the style's number by default).
class StyleStore {
public:
    explicit StyleStore(Database& connection) : connection_(connection) {}

    // The whole row, blocks included; nothing when there is no such style.
    std::optional<StyleRow> find(std::int32_t styleProg);
    // The row without its blocks (both left empty), for what only shows the descriptive texts.
    std::optional<StyleRow> findWithoutBlocks(std::int32_t styleProg);
    // Every style whose StyleName1 equals `name`, letter case aside, with its blocks.
    std::vector<StyleRow> findByName(std::string_view name);
    // The numbers of the styles whose StyleName1 is `name`, letter case and the blanks and
    // code-0 characters that pad stored names aside ("Rock1" finds "ROCK1" and six blanks);
    // blanks around `name` do not count. Uses the index on StyleName1, never a scan.
    std::vector<std::int32_t> numbersNamed(std::string_view name);
    // The number of a stored style whose two blocks equal these byte for byte, if any. An empty
    // block matches the stored single blank that stands for it. The candidates come through
    // the index on the first kStyleSeekKeyBytes bytes of the key.
    std::optional<std::int32_t> findByContent(std::string_view content1, std::string_view content2);
    // Every stored style whose two blocks equal these, in number order (a catalogue may hold a
    // style more than once).
    std::vector<std::int32_t> numbersByContent(std::string_view content1,
                                               std::string_view content2);
    // The largest number plus 1, or 1 for an empty table.
    std::int32_t next();
    long long count();

    // The style list: the columns of StyleListRow, filtered and sorted as `query` says.
    std::vector<StyleListRow> list(const StyleQuery& query);
    // Number and name of every style whose name matches the LIKE `pattern` ("%" alone: every
    // style), in name order.
    std::vector<StyleLabel> labelsLike(const std::string& pattern);
    // The labels of the styles that songs are linked to.
    std::vector<StyleLabel> linkedLabels();

    // Stores `style` under the next free number, which it returns; style.StyleProg is not read.
    // An empty block is stored as a single blank and the key is made from the first block.
    std::int32_t insert(const StyleRow& style, const TextPlace& place = TextPlace::newRow("style"));
    // Stores `style` under its own number (a restore, or an import that counts its numbers).
    void insertNumbered(const StyleRow& style, const TextPlace& place = TextPlace::newRow("style"));
    // Writes the given texts of style `styleProg` in one statement; the others stay as they
    // are. False when there is no such style.
    bool change(std::int32_t styleProg, const StyleColumnChanges& changes);
    // Writes the whole row of style.StyleProg, blocks and key included (an import overwriting a
    // style of the same name), in one statement. False when there is no such style.
    bool replace(const StyleRow& style, const TextPlace& place);
    // Deletes the style (nothing when there is none); its bank slots and song links are the
    // callers' to mend.
    void remove(std::int32_t styleProg);

    // Number and name of every style, in number order.
    std::vector<StyleName> allNames();
    // The styles stored more than once, byte for byte: each group in number order, the groups
    // by their first number. Only styles whose keys start alike are read in full.
    std::vector<std::vector<std::int32_t>> sameContentGroups();
    // Sets the stored lengths of every style from its blocks where they differ (an empty block,
    // one blank of length 0, stays as it is); how many styles changed.
    int setLengthsFromBlocks();

private:
    void checkTexts(const StyleRow& style, const TextPlace& place);
    // Inserts the row under `styleProg`.
    void write(std::int32_t styleProg, const StyleRow& style);

    Database& connection_;
};

}  // namespace orb
