#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

#include "backup/dump_format.h"

namespace orb {

class Database;

// Reads a dump from a binary stream: lines ended by CR LF (a bare LF is taken too) and blocks
// of a given length. No line holds a carriage return of its own. Every failure names the line
// where it happened.
class DumpLineReader {
public:
    explicit DumpLineReader(std::istream& in) : in_(in) {}

    // The next line without its line end; throws DumpError at the end of the file.
    std::string readLine();
    // True when the line read last ended with a line feed alone.
    bool lastLineEndedByLineFeed() const { return lineFeedOnly_; }
    // Exactly `count` bytes followed by CR LF. An empty block may also be written as the single
    // blank that stands for it in the database.
    std::string readBlockLine(std::int64_t count);
    // Fails when anything, even a blank line, follows what was read.
    void requireEnd();

    [[noreturn]] void fail(const std::string& what) const;

private:
    std::istream& in_;
    long long line_ = 0;
    bool lineFeedOnly_ = false;
};

// What the check found: the rows of each section as the count lines give them.
struct DumpCheck {
    bool ok = false;
    std::string problem;  // when not ok: what is wrong, with its line
    long long totalRows = 0;
};

// Reads the whole file as the restore does, without touching the database: the header and count
// lines of every section, every row with its numbers and texts (through the text gate), every
// style row with its blocks and key, the set-ups when there are any, the closing marker and
// nothing after it. What the check calls good, the restore takes (a row the database itself
// refuses, such as a number used twice, aside).
DumpCheck checkDump(std::istream& in);

// Replaces the whole catalogue with the dump's rows, in one transaction: any failure (a
// damaged file, a row the database refuses) throws and leaves the catalogue as it was.
// `progress` is called after every row stored.
void restoreDump(Database& database, std::istream& in, const DumpProgress& progress = {});

}  // namespace orb
