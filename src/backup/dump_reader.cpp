#include "backup/dump_reader.h"

#include <algorithm>
#include <istream>
#include <vector>

#include "core/ascii_text.h"
#include "core/windows1252.h"
#include "db/catalogue_dump.h"
#include "db/orb_database.h"
#include "db/style_store.h"
#include "db/text_gate.h"
#include "db/write_transaction.h"

namespace orb {
namespace {

constexpr std::int64_t kChunk = 1 << 20;

// A row count: "##NR" and a decimal number that fits 32 bits.
bool parseCount(const std::string& line, std::int32_t& count) {
    if (line.rfind(dump::kCountPrefix, 0) != 0 || line.size() == 4) {
        return false;
    }
    const auto value = wholeNumber<std::int32_t>(std::string_view(line).substr(4));
    count = value.value_or(0);
    return value.has_value();
}

std::int64_t parseNumber(DumpLineReader& reader, const std::string& line, const std::string& what) {
    const auto value = wholeNumber<std::int32_t>(line, Sign::MinusAllowed);
    if (!value) {
        reader.fail("\"" + windows1252ToUtf8(line) + "\" is not a number for " + what);
    }
    return *value;
}

void readCount(DumpLineReader& reader, std::int32_t& count) {
    if (!parseCount(reader.readLine(), count)) {
        reader.fail("a row count (##NR and a number) was expected");
    }
}

void readSectionHead(DumpLineReader& reader, const dump::Section& section, std::int32_t& count) {
    const std::string header = reader.readLine();
    if (header != section.header) {
        reader.fail("\"" + std::string(section.header) + "\" was expected");
    }
    readCount(reader, count);
}

// After the styles: the set-ups' header, or the closing marker of a dump without set-ups. True
// when the set-ups follow.
bool setupsFollow(DumpLineReader& reader) {
    const std::string line = reader.readLine();
    if (line == dump::kSetupSection.header) {
        return true;
    }
    if (line != dump::kMarker) {
        reader.fail("the closing \"ORB BACKUP\" was expected");
    }
    return false;
}

std::vector<std::string> columnNames(const dump::Section& section) {
    std::vector<std::string> names;
    std::string_view rest = section.names;
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        names.emplace_back(rest.substr(0, blank));
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    }
    return names;
}

// One row of a plain section, read as the restore stores it: numbers parsed, an empty line
// ended by a line feed alone a null text, every text through the gate with the row named by
// its key. The check and the restore both read rows through here, so that a file the check
// calls good is one the restore takes. `texts` holds the texts that `params` refer to.
void readPlainRow(DumpLineReader& reader, const dump::Section& section,
                  const std::vector<std::string>& names, std::vector<std::string>& texts,
                  std::vector<SqlParam>& params) {
    texts.resize(names.size());
    params.clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string line = reader.readLine();
        if (section.kinds[i] == 'T') {
            if (line.empty() && reader.lastLineEndedByLineFeed()) {
                params.push_back(SqlParam::null());
                continue;
            }
            texts[i] = windows1252ToUtf8(line);
            params.emplace_back(texts[i]);
        } else if (line.empty()) {
            params.push_back(SqlParam::null());
        } else {
            params.emplace_back(
                parseNumber(reader, line, std::string(section.table) + "." + names[i]));
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (params[i].kind() != SqlParam::Kind::Text) {
            continue;
        }
        if (auto refusal = textRefusal(textColumn(section.table, names[i]), params[i].bytes(),
                                       placeOfRow(section.source, params))) {
            reader.fail(*refusal);
        }
    }
}

// The rows of a section whose head has been read.
void restorePlainRows(Database& database, DumpLineReader& reader, const dump::Section& section,
                      std::int32_t count, long long& done, const DumpProgress& progress) {
    const std::string table = section.table;
    RestoredRows restored(database, section.source);
    const std::vector<std::string> names = columnNames(section);
    if (restored.columns() != names) {
        reader.fail("the database's table " + table + " does not have the " +
                    std::to_string(section.columns) + " columns of the dump's");
    }
    std::vector<std::string> texts;
    std::vector<SqlParam> params;
    for (std::int32_t row = 0; row < count; ++row) {
        readPlainRow(reader, section, names, texts, params);
        try {
            restored.insert(params);
        } catch (const StoreError& e) {
            reader.fail(
                failureMessage(e, "the row ending here cannot be stored in " + table + ": ", ""));
        }
        ++done;
        if (progress) {
            progress(done);
        }
    }
}

// The rows of a section whose head has been read, checked without storing them.
void checkPlainRows(DumpLineReader& reader, const dump::Section& section, std::int32_t count) {
    const std::vector<std::string> names = columnNames(section);
    std::vector<std::string> texts;
    std::vector<SqlParam> params;
    for (std::int32_t row = 0; row < count; ++row) {
        readPlainRow(reader, section, names, texts, params);
    }
}

void restorePlainSection(Database& database, DumpLineReader& reader, const dump::Section& section,
                         long long& done, const DumpProgress& progress) {
    std::int32_t count = 0;
    readSectionHead(reader, section, count);
    restorePlainRows(database, reader, section, count, done, progress);
}

// One style row as the file holds it.
struct DumpedStyle {
    std::int32_t prog = 0;
    std::int32_t length1 = 0;
    std::int32_t length2 = 0;
    std::string name1, name2, content1, content2, date, desc, cat, family, file, author;
};

void readStyleRow(DumpLineReader& reader, DumpedStyle& row) {
    const auto text = [&reader] { return windows1252ToUtf8(reader.readLine()); };
    const auto number = [&reader](const char* what) {
        return static_cast<std::int32_t>(parseNumber(reader, reader.readLine(), what));
    };
    row.prog = number("KORFStyles.StyleProg");
    row.name1 = text();
    row.name2 = text();
    row.length1 = number("KORFStyles.StyleLength1");
    row.length2 = number("KORFStyles.StyleLength2");
    if (row.length1 < 0 || row.length2 < 0) {
        reader.fail("a style length is negative");
    }
    row.content1 = reader.readBlockLine(row.length1);
    row.content2 = reader.readBlockLine(row.length2);
    // The key is the head of the first block and is derived again when the style is stored; a
    // key that differs from it means the blocks are not where the file says they are.
    const std::size_t keyLength =
        static_cast<std::size_t>(std::min<std::int64_t>(dump::kStyleSeekLength, row.length1));
    if (reader.readBlockLine(static_cast<std::int64_t>(keyLength)) !=
        std::string_view(row.content1).substr(0, keyLength)) {
        reader.fail("the key of style " + std::to_string(row.prog) +
                    " differs from the start of its first block; the blocks are damaged");
    }
    row.date = text();
    row.desc = text();
    row.cat = text();
    row.family = text();
    row.file = text();
    row.author = text();
    // The gate the style store applies, so that the check refuses what the restore refuses.
    const TextPlace place = TextPlace::style(row.prog);
    for (const auto& [column, value] :
         {std::pair<const char*, const std::string*>{"StyleName1", &row.name1},
          {"StyleName2", &row.name2},
          {"StyleDate", &row.date},
          {"StyleDesc", &row.desc},
          {"StyleCat", &row.cat},
          {"StyleFamily", &row.family},
          {"StyleFile", &row.file},
          {"StyleAuthor", &row.author}}) {
        if (auto refusal = textRefusal(textColumn("KORFStyles", column), *value, place)) {
            reader.fail(*refusal);
        }
    }
}

void restoreStyles(Database& database, DumpLineReader& reader, long long& done,
                   const DumpProgress& progress) {
    std::int32_t count = 0;
    readSectionHead(reader, dump::kSections[3], count);
    StyleStore store(database);
    DumpedStyle row;
    StyleRow style;
    for (std::int32_t i = 0; i < count; ++i) {
        readStyleRow(reader, row);
        style.StyleProg = row.prog;
        style.StyleName1 = std::move(row.name1);
        style.StyleName2 = std::move(row.name2);
        style.StyleLength1 = row.length1;
        style.StyleLength2 = row.length2;
        style.StyleContent1 = std::move(row.content1);
        style.StyleContent2 = std::move(row.content2);
        style.StyleDate = std::move(row.date);
        style.StyleDesc = std::move(row.desc);
        style.StyleCat = std::move(row.cat);
        style.StyleFamily = std::move(row.family);
        style.StyleFile = std::move(row.file);
        style.StyleAuthor = std::move(row.author);
        try {
            store.insertNumbered(style, TextPlace::style(style.StyleProg));
        } catch (const StoreError& e) {
            reader.fail(failureMessage(
                e, "the style " + std::to_string(style.StyleProg) + " cannot be stored: ", ""));
        }
        ++done;
        if (progress) {
            progress(done);
        }
    }
}

}  // namespace

std::string DumpLineReader::readLine() {
    std::string line;
    ++line_;
    if (!std::getline(in_, line)) {
        fail("the file ends too early");
    }
    lineFeedOnly_ = !in_.eof() && (line.empty() || line.back() != '\r');
    if (!lineFeedOnly_ && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    // A carriage return inside a value would end the line for other readers and cannot be
    // written back into a dump.
    if (line.find('\r') != std::string::npos) {
        fail("the line holds a carriage return before its end");
    }
    return line;
}

std::string DumpLineReader::readBlockLine(std::int64_t count) {
    std::string block;
    // Read in pieces, so that a damaged length cannot ask for memory the file does not back.
    while (static_cast<std::int64_t>(block.size()) < count) {
        const std::int64_t piece =
            std::min(kChunk, count - static_cast<std::int64_t>(block.size()));
        const std::size_t old = block.size();
        block.resize(old + static_cast<std::size_t>(piece));
        in_.read(block.data() + old, static_cast<std::streamsize>(piece));
        if (in_.gcount() != piece) {
            ++line_;
            fail("the file ends inside a style block of " + std::to_string(count) + " bytes");
        }
    }
    ++line_;
    // Only the exact line end may follow: a block that gained or lost bytes shows here.
    char end[2] = {};
    if (count == 0 && in_.peek() == ' ') {
        in_.get();
    }
    in_.read(end, 2);
    if (in_.gcount() != 2 || end[0] != '\r' || end[1] != '\n') {
        fail("the style block of " + std::to_string(count) +
             " bytes is not followed by the line end; the block is damaged");
    }
    lineFeedOnly_ = false;
    return block;
}

void DumpLineReader::requireEnd() {
    if (in_.peek() != std::char_traits<char>::eof()) {
        ++line_;
        fail("something follows the closing \"ORB BACKUP\"");
    }
}

void DumpLineReader::fail(const std::string& what) const {
    throw DumpError("Line " + std::to_string(line_) + ": " + what +
                    (what.ends_with('.') ? "" : "."));
}

DumpCheck checkDump(std::istream& in) {
    DumpCheck result;
    DumpLineReader reader(in);
    try {
        if (reader.readLine() != dump::kMarker) {
            reader.fail("\"ORB BACKUP\" was expected");
        }
        DumpedStyle style;
        for (std::size_t s = 0; s < dump::kSections.size(); ++s) {
            std::int32_t count = 0;
            readSectionHead(reader, dump::kSections[s], count);
            result.totalRows += count;
            if (s + 1 < dump::kSections.size()) {
                checkPlainRows(reader, dump::kSections[s], count);
            } else {
                for (std::int32_t i = 0; i < count; ++i) {
                    readStyleRow(reader, style);
                }
            }
        }
        if (setupsFollow(reader)) {
            std::int32_t count = 0;
            readCount(reader, count);
            result.totalRows += count;
            checkPlainRows(reader, dump::kSetupSection, count);
            if (reader.readLine() != dump::kMarker) {
                reader.fail("the closing \"ORB BACKUP\" was expected");
            }
        }
        reader.requireEnd();
        result.ok = true;
    } catch (const DumpError& e) {
        result.problem = e.what();
    }
    return result;
}

void restoreDump(Database& database, std::istream& in, const DumpProgress& progress) {
    WriteTransaction transaction(database);
    deleteCatalogue(database);
    DumpLineReader reader(in);
    if (reader.readLine() != dump::kMarker) {
        reader.fail("\"ORB BACKUP\" was expected");
    }
    long long done = 0;
    for (std::size_t s = 0; s < 3; ++s) {
        restorePlainSection(database, reader, dump::kSections[s], done, progress);
    }
    restoreStyles(database, reader, done, progress);
    // The writer ends every dump with the marker; without it the file was cut short.
    if (setupsFollow(reader)) {
        std::int32_t count = 0;
        readCount(reader, count);
        restorePlainRows(database, reader, dump::kSetupSection, count, done, progress);
        if (reader.readLine() != dump::kMarker) {
            reader.fail("the closing \"ORB BACKUP\" was expected");
        }
    }
    reader.requireEnd();
    transaction.commit();
}

}  // namespace orb
