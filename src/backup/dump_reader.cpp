#include "backup/dump_reader.h"

#include <charconv>
#include <istream>
#include <vector>

#include "core/windows1252.h"
#include "db/database.h"
#include "db/db_korf_style.h"
#include "db/orb_database.h"
#include "db/transaction.h"

namespace orb {
namespace {

constexpr std::int64_t kChunk = 1 << 20;

// A row count: "##NR" and a decimal number that fits 32 bits.
bool parseCount(const std::string& line, std::int32_t& count) {
    if (line.rfind(dump::kCountPrefix, 0) != 0 || line.size() == 4) {
        return false;
    }
    const char* first = line.data() + 4;
    const char* last = line.data() + line.size();
    const auto [end, error] = std::from_chars(first, last, count);
    return error == std::errc() && end == last && count >= 0;
}

std::int64_t parseNumber(DumpLineReader& reader, const std::string& line, const std::string& what) {
    std::int32_t value = 0;
    const char* last = line.data() + line.size();
    const auto [end, error] = std::from_chars(line.data(), last, value);
    if (line.empty() || error != std::errc() || end != last) {
        reader.fail("\"" + windows1252ToUtf8(line) + "\" is not a number for " + what);
    }
    return value;
}

struct Column {
    std::string name;
    bool number;
};

std::vector<Column> columnsOf(Database& database, const std::string& table) {
    std::vector<Column> columns;
    Rows rows = database.query("SELECT name, type FROM pragma_table_info(pTable)", {table});
    while (rows.next()) {
        const std::string type = rows.text(1);
        const bool text = type.size() >= 4 && (type[0] == 't' || type[0] == 'T');
        columns.push_back({rows.text(0), !text});
    }
    return columns;
}

std::string insertStatement(const std::string& table, const std::vector<Column>& columns) {
    std::string names;
    std::string values;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        names += (i ? "," : "") + columns[i].name;
        values += (i ? ",pV" : "pV") + std::to_string(i + 1);
    }
    return "INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")";
}

void readSectionHead(DumpLineReader& reader, const dump::Section& section, std::int32_t& count) {
    const std::string header = reader.readLine();
    if (header != section.header) {
        reader.fail("\"" + std::string(section.header) + "\" was expected");
    }
    if (!parseCount(reader.readLine(), count)) {
        reader.fail("a row count (##NR and a number) was expected");
    }
}

void restorePlainSection(Database& database, DumpLineReader& reader, const dump::Section& section,
                         long long& done, const DumpProgress& progress) {
    std::int32_t count = 0;
    readSectionHead(reader, section, count);
    const std::string table = section.table;
    const std::vector<Column> columns = columnsOf(database, table);
    if (static_cast<int>(columns.size()) != section.columns) {
        reader.fail("the database's table " + table + " has " + std::to_string(columns.size()) +
                    " columns instead of " + std::to_string(section.columns));
    }
    const std::string insert = insertStatement(table, columns);
    std::vector<std::string> texts(columns.size());
    std::vector<SqlParam> params;
    for (std::int32_t row = 0; row < count; ++row) {
        params.clear();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const std::string line = reader.readLine();
            if (!columns[i].number) {
                texts[i] = windows1252ToUtf8(line);
                params.emplace_back(texts[i]);
            } else if (line.empty()) {
                params.push_back(SqlParam::null());
            } else {
                params.emplace_back(parseNumber(reader, line, table + "." + columns[i].name));
            }
        }
        try {
            database.execute(insert, params);
        } catch (const DbError& e) {
            reader.fail("the row ending here cannot be stored in " + table + ": " + e.what());
        }
        ++done;
        if (progress) {
            progress(done);
        }
    }
}

void restoreStyles(Database& database, DumpLineReader& reader, long long& done,
                   const DumpProgress& progress) {
    std::int32_t count = 0;
    readSectionHead(reader, dump::kSections[3], count);
    DbKORFStyle style(database);
    const auto text = [&reader] { return windows1252ToUtf8(reader.readLine()); };
    for (std::int32_t row = 0; row < count; ++row) {
        style.StyleProg = static_cast<std::int32_t>(
            parseNumber(reader, reader.readLine(), "KORFStyles.StyleProg"));
        style.StyleName1 = text();
        style.StyleName2 = text();
        style.StyleLength1 = static_cast<std::int32_t>(
            parseNumber(reader, reader.readLine(), "KORFStyles.StyleLength1"));
        style.StyleLength2 = static_cast<std::int32_t>(
            parseNumber(reader, reader.readLine(), "KORFStyles.StyleLength2"));
        if (style.StyleLength1 < 0 || style.StyleLength2 < 0) {
            reader.fail("a style length is negative");
        }
        style.StyleContent1 = reader.readBlockLine(style.StyleLength1);
        style.StyleContent2 = reader.readBlockLine(style.StyleLength2);
        // The key is the head of the first block; an empty block is stored as one blank, and
        // its key with it. The insert derives the key again.
        const std::int64_t seekLength =
            std::min<std::int64_t>(dump::kStyleSeekLength, std::max(1, style.StyleLength1));
        reader.readBlockLine(seekLength);
        style.StyleDate = text();
        style.StyleDesc = text();
        style.StyleCat = text();
        style.StyleFamily = text();
        style.StyleFile = text();
        style.StyleAuthor = text();
        if (!style.InsKORFStyles()) {
            reader.fail("the style " + std::to_string(style.StyleProg) +
                        " cannot be stored: " + style.clsKORFStylesError);
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
    if (!std::getline(in_, line)) {
        ++line_;
        fail("the file ends too early");
    }
    ++line_;
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
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
    readLine();
    return block;
}

void DumpLineReader::fail(const std::string& what) const {
    throw DumpError("Line " + std::to_string(line_) + ": " + what + ".");
}

DumpCheck checkDump(std::istream& in) {
    DumpCheck result;
    DumpLineReader reader(in);
    try {
        if (reader.readLine() != dump::kMarker) {
            reader.fail("\"ORB BACKUP\" was expected");
        }
        for (std::size_t s = 0; s < dump::kSections.size(); ++s) {
            std::int32_t count = 0;
            readSectionHead(reader, dump::kSections[s], count);
            result.totalRows += count;
            if (s + 1 < dump::kSections.size()) {
                const long long lines = static_cast<long long>(count) * dump::kSections[s].columns;
                for (long long i = 0; i < lines; ++i) {
                    reader.readLine();
                }
            }
        }
        result.ok = true;
    } catch (const DumpError& e) {
        result.problem = e.what();
    }
    return result;
}

void restoreDump(Database& database, std::istream& in, const DumpProgress& progress) {
    Transaction transaction(database);
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
    if (reader.readLine() != dump::kMarker) {
        reader.fail("the closing \"ORB BACKUP\" was expected");
    }
    transaction.commit();
}

}  // namespace orb
