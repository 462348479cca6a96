#include "backup/dump_writer.h"

#include <cstdint>
#include <ostream>

#include "core/file_access.h"
#include "core/file_replacement.h"
#include "core/windows1252.h"
#include "db/catalogue_dump.h"

namespace orb {
namespace {

constexpr int kStyleContent1 = 5;
constexpr int kStyleContent2 = 6;
constexpr int kStyleSeek = 7;
constexpr int kStyleLength1 = 3;
constexpr int kStyleLength2 = 4;

std::string rowName(const Rows& rows) {
    return rows.columnName(0) + " " + rows.text(0);
}

void writeLine(std::ostream& out, std::string_view bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.write(dump::kLineEnd, 2);
}

[[noreturn]] void refuseValue(const Rows& rows, int column, const char* table,
                              const std::string& what) {
    throw DumpError(std::string("The value of ") + table + "." + rows.columnName(column) +
                    " in the row with " + rowName(rows) + " " + what);
}

// A number in decimal, a null number as an empty line; a text in Windows-1252, a null text as
// an empty line ended by a line feed alone. The reader must get back what the row holds, so
// anything it would read differently is refused.
void writePlainValue(std::ostream& out, const Rows& rows, int column, const char* table,
                     char kind) {
    const SqlValue value = rows.value(column);
    if (kind == 'N') {
        if (value.isNull()) {
            writeLine(out, "");
            return;
        }
        const std::int64_t number = value.isInteger() ? value.toInteger() : 0;
        if (!value.isInteger() || number < INT32_MIN || number > INT32_MAX) {
            refuseValue(rows, column, table,
                        "is not a whole number of 32 bits, which a dump cannot keep.");
        }
        writeLine(out, std::to_string(number));
        return;
    }
    if (value.isNull()) {
        out.write(dump::kNullTextLine, 1);
        return;
    }
    const std::string text = value.toText();
    if (text.find_first_of("\r\n") != std::string::npos) {
        refuseValue(rows, column, table,
                    "holds a line break, which a dump cannot keep. Remove the line break and "
                    "back up again.");
    }
    if (!fitsWindows1252(text)) {
        refuseValue(rows, column, table,
                    "holds a character outside Windows-1252, which a dump cannot keep. Replace "
                    "the character and back up again.");
    }
    writeLine(out, utf8ToWindows1252(text));
}

// A block is read back by its length, so the stored length must describe it. The one exception
// is the single blank that stands for an empty block.
std::string_view checkedBlock(const Rows& rows, int contentColumn, int lengthColumn) {
    const std::string_view block = rows.bytes(contentColumn);
    const std::int64_t length = rows.integer(lengthColumn);
    const bool blankForEmpty = length == 0 && block == " ";
    if (!blankForEmpty && static_cast<std::int64_t>(block.size()) != length) {
        throw DumpError("The style with " + rowName(rows) + " has " +
                        rows.columnName(lengthColumn) + " " + std::to_string(length) + " but " +
                        std::to_string(block.size()) + " bytes in " +
                        rows.columnName(contentColumn) +
                        "; it cannot be written to a dump that reads it back.");
    }
    return block;
}

void writeStyleRow(std::ostream& out, const Rows& rows) {
    const dump::Section& section = dump::kSections[3];
    for (const int column : {0, kStyleLength1, kStyleLength2}) {
        // The style record holds these as numbers; an empty line would not read back.
        if (rows.value(column).isNull()) {
            refuseValue(rows, column, section.table,
                        "is empty, which a style in a dump cannot be.");
        }
    }
    const std::string_view content1 = checkedBlock(rows, kStyleContent1, kStyleLength1);
    const std::string_view content2 = checkedBlock(rows, kStyleContent2, kStyleLength2);
    for (int column = 0; column < section.columns; ++column) {
        if (column == kStyleContent1) {
            writeLine(out, content1);
        } else if (column == kStyleContent2) {
            writeLine(out, content2);
        } else if (column == kStyleSeek) {
            // The key is by definition the head of the first block; writing it so keeps the
            // file readable even where an old row's stored key went astray.
            writeLine(out, content1.substr(0, dump::kStyleSeekLength));
        } else {
            writePlainValue(out, rows, column, section.table, section.kinds[column]);
        }
    }
}

}  // namespace

long long countDumpRows(Database& database) {
    long long total = countStoredRows(database, dump::kSetupSection.source);
    for (const dump::Section& section : dump::kSections) {
        total += countStoredRows(database, section.source);
    }
    return total;
}

void writeDump(Database& database, std::ostream& out, const DumpProgress& progress) {
    long long done = 0;
    const auto writeSection = [&](const dump::Section& section, long long count) {
        writeLine(out, section.header);
        writeLine(out, dump::kCountPrefix + std::to_string(count));
        const bool styles = &section == &dump::kSections[3];
        const char* table = section.table;
        Rows rows = readStoredRows(database, section.source);
        if (rows.columnCount() != section.columns) {
            throw DumpError(std::string("The table ") + table + " has " +
                            std::to_string(rows.columnCount()) + " columns instead of " +
                            std::to_string(section.columns) + "; it cannot be dumped.");
        }
        long long written = 0;
        while (rows.next()) {
            if (styles) {
                writeStyleRow(out, rows);
            } else {
                for (int column = 0; column < section.columns; ++column) {
                    writePlainValue(out, rows, column, table, section.kinds[column]);
                }
            }
            ++written;
            ++done;
            if (progress) {
                progress(done);
            }
        }
        if (written != count) {
            throw DumpError(std::string("The table ") + table + " changed while it was dumped.");
        }
    };
    writeLine(out, dump::kMarker);
    for (const dump::Section& section : dump::kSections) {
        writeSection(section, countStoredRows(database, section.source));
    }
    if (const long long setups = countStoredRows(database, dump::kSetupSection.source)) {
        writeSection(dump::kSetupSection, setups);
    }
    writeLine(out, dump::kMarker);
}

void writeDumpFile(Database& database, const std::filesystem::path& path,
                   const DumpProgress& progress) {
    try {
        replaceFileSafely(path, "The dump file",
                          [&](std::ostream& out) { writeDump(database, out, progress); });
    } catch (const FileAccessError& error) {
        throw DumpError(error.what());
    }
}

}  // namespace orb
