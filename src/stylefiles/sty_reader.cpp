#include "stylefiles/sty_reader.h"

#include <algorithm>
#include <array>
#include <istream>
#include <memory>
#include <optional>

#include "core/byte_conversions.h"
#include "core/windows1252.h"
#include "stylefiles/style_file_error.h"

namespace orb {
namespace {

// Reads exact byte counts from a stream and refuses, before allocating, any count larger than
// what is left. When the stream cannot tell its size (a pipe), it reads in bounded pieces so
// memory grows only with bytes that really arrive.
class ByteReader {
public:
    ByteReader(std::istream& in, const std::string& fileName) : in_(in), fileName_(fileName) {
        const std::istream::pos_type start = in_.tellg();
        if (start != std::istream::pos_type(-1)) {
            in_.seekg(0, std::ios::end);
            const std::istream::pos_type end = in_.tellg();
            in_.seekg(start);
            if (end != std::istream::pos_type(-1) && end >= start && in_) {
                remaining_ = static_cast<std::uint64_t>(end - start);
            } else {
                in_.clear();
                in_.seekg(start);
            }
        }
    }

    // Reads up to `count` bytes; fewer only at the end of the stream.
    std::string readUpTo(std::size_t count) {
        std::string bytes(count, '\0');
        in_.read(bytes.data(), static_cast<std::streamsize>(count));
        const auto got = static_cast<std::size_t>(in_.gcount());
        checkNotBroken();
        bytes.resize(got);
        consumed(got);
        return bytes;
    }

    // Takes the rest of a stream of known, moderate size into memory with one request, so that
    // the many small pieces of a bank cost no further requests.
    void bufferRest(std::uint64_t limit) {
        if (!remaining_ || *remaining_ > limit) {
            return;
        }
        // Not zero-filled first: every byte is overwritten or never looked at.
        buffer_ = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(*remaining_));
        in_.read(buffer_.get(), static_cast<std::streamsize>(*remaining_));
        checkNotBroken();
        remaining_ = static_cast<std::uint64_t>(in_.gcount());
    }

    // Appends exactly `count` bytes to `bytes`, or throws naming `what` was being read.
    void readExact(std::string& bytes, std::uint64_t count, const char* what) {
        if (remaining_ && count > *remaining_) {
            throw truncated(what, count);
        }
        if (buffer_) {
            bytes.append(buffer_.get() + bufferPos_, static_cast<std::size_t>(count));
            bufferPos_ += static_cast<std::size_t>(count);
            consumed(count);
            return;
        }
        constexpr std::uint64_t kPiece = 1u << 20;
        std::uint64_t done = 0;
        while (done < count) {
            const std::uint64_t piece = remaining_ ? count - done : std::min(kPiece, count - done);
            const std::size_t start = bytes.size();
            bytes.resize(start + static_cast<std::size_t>(piece));
            in_.read(bytes.data() + start, static_cast<std::streamsize>(piece));
            const auto got = static_cast<std::uint64_t>(in_.gcount());
            checkNotBroken();
            consumed(got);
            if (got < piece) {
                bytes.resize(start + static_cast<std::size_t>(got));
                throw truncated(what, count - done);
            }
            done += got;
        }
    }

    void skipExact(std::uint64_t count, const char* what) {
        if (remaining_ && count > *remaining_) {
            throw truncated(what, count);
        }
        if (buffer_) {
            bufferPos_ += static_cast<std::size_t>(count);
            consumed(count);
            return;
        }
        std::uint64_t done = 0;
        while (done < count) {
            const std::uint64_t piece = std::min<std::uint64_t>(count - done, 1u << 20);
            in_.ignore(static_cast<std::streamsize>(piece));
            const auto got = static_cast<std::uint64_t>(in_.gcount());
            checkNotBroken();
            consumed(got);
            if (got < piece) {
                throw truncated(what, count - done);
            }
            done += got;
        }
    }

    StyleFileError damaged(const std::string& what) const {
        return StyleFileError("The file " + fileName_ + " is damaged: " + what + ".");
    }

private:
    void consumed(std::uint64_t count) {
        offset_ += count;
        if (remaining_) {
            *remaining_ -= std::min(*remaining_, count);
        }
    }

    void checkNotBroken() const {
        if (in_.bad()) {
            throw StyleFileError("The file " + fileName_ + " cannot be read (read error at byte " +
                                 std::to_string(offset_) + ").");
        }
    }

    StyleFileError truncated(const char* what, std::uint64_t needed) const {
        std::string text = "it ends inside " + std::string(what) + " (" + std::to_string(needed) +
                           " bytes needed at byte " + std::to_string(offset_);
        if (remaining_) {
            text += ", " + std::to_string(*remaining_) + " left";
        }
        return damaged(text + ")");
    }

    std::istream& in_;
    const std::string& fileName_;
    std::optional<std::uint64_t> remaining_;
    std::uint64_t offset_ = 0;
    std::unique_ptr<char[]> buffer_;  // the rest of the stream, once bufferRest took it
    std::size_t bufferPos_ = 0;
};

// Banks are a few megabytes at most; anything larger is read piece by piece.
constexpr std::uint64_t kWholeFileLimit = 64u << 20;

// A length field of the file; refused when it does not fit a signed 32-bit number.
std::uint32_t lengthField(const ByteReader& reader, std::string_view header, const char* what) {
    try {
        return static_cast<std::uint32_t>(BytesToLong(header.substr(4, 4)));
    } catch (const NumberOverflowError& overflow) {
        throw reader.damaged(std::string("the length of ") + what + " is " +
                             std::to_string(overflow.value) + ", 2^31 or more");
    }
}

// The name of a table entry as the catalogue keeps it: 11 characters, control bytes (DEL too,
// which the catalogue's text gate refuses) as blanks (NUL padding becomes blank padding),
// apostrophes as backticks so that the name can stand between quotes in SQL, Windows-1252
// turned into UTF-8.
std::string entryName(std::string_view entry) {
    std::string name(entry.substr(0, sty::kNameSize));
    for (char& c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 0x7F) {
            c = ' ';
        } else if (c == '\'') {
            c = '`';
        }
    }
    return windows1252ToUtf8(name);
}

struct Slot {
    bool hasFirstPart = false;
    BankFileStyle style;
};

struct BankBeingRead {
    int bankNumber = 0;
    std::array<Slot, sty::kSlotsPerBank> slots;
};

struct EntryTarget {
    std::size_t bank;
    std::size_t slot;
    bool firstPart;
};

struct TableRead {
    std::vector<BankBeingRead> banks;
    std::vector<EntryTarget> targets;
};

// The banks and slots the table's entries name, and each entry's target in the order of the
// chunks that follow the table.
TableRead readTable(const ByteReader& reader, const std::string& table, std::size_t entryCount) {
    TableRead read;
    std::vector<BankBeingRead>& banks = read.banks;
    std::vector<EntryTarget>& targets = read.targets;
    std::array<int, 256> bankIndexOfNumber;
    bankIndexOfNumber.fill(-1);
    targets.reserve(entryCount);
    for (std::size_t i = 0; i < entryCount; ++i) {
        const std::string_view entry =
            std::string_view(table).substr(i * sty::kEntrySize, sty::kEntrySize);
        const auto slot = static_cast<unsigned char>(entry[sty::kSlotOffset]);
        if (slot >= sty::kSlotsPerBank) {
            throw reader.damaged("table entry " + std::to_string(i + 1) + " names slot " +
                                 std::to_string(slot) + ", but a bank has slots 0 to 15");
        }
        const auto bankNumber = static_cast<unsigned char>(entry[sty::kBankOffset]);
        if (bankIndexOfNumber[bankNumber] < 0) {
            bankIndexOfNumber[bankNumber] = static_cast<int>(banks.size());
            banks.emplace_back().bankNumber = bankNumber;
        }
        const auto bank = static_cast<std::size_t>(bankIndexOfNumber[bankNumber]);
        const bool firstPart =
            static_cast<unsigned char>(entry[sty::kTypeOffset]) == sty::kFirstPartType;
        Slot& target = banks[bank].slots[slot];
        target.style.slot = slot + 1;
        if (firstPart) {
            target.hasFirstPart = true;
            target.style.StyleName1 = entryName(entry);
        } else {
            target.style.StyleName2 = entryName(entry);
        }
        targets.push_back({bank, slot, firstPart});
    }
    return read;
}

void readContents(ByteReader& reader, TableRead& read, const sty::EventPump& letEventsRun) {
    std::vector<BankBeingRead>& banks = read.banks;
    // The k-th chunk after the table belongs to the k-th entry; the chunk tags and the index's
    // offsets are not needed for that.
    for (const EntryTarget& target : read.targets) {
        BankFileStyle& style = banks[target.bank].slots[target.slot].style;
        std::string content;
        reader.readExact(content, sty::kChunkHeaderSize, "a content chunk header");
        const std::uint32_t dataLength = lengthField(reader, content, "a content chunk");
        if (dataLength > sty::kLargestLength - sty::kChunkHeaderSize) {
            throw reader.damaged("a content chunk of " + std::to_string(dataLength) +
                                 " bytes is too long for a style");
        }
        reader.readExact(content, dataLength, "a content chunk");
        const auto length = static_cast<std::int32_t>(content.size());
        if (target.firstPart) {
            style.StyleContent1 = std::move(content);
            style.StyleLength1 = length;
        } else {
            style.StyleContent2 = std::move(content);
            style.StyleLength2 = length;
        }
        if (letEventsRun) {
            letEventsRun();
        }
    }
}

// The banks as read, in the order the table first names them; a table of no entry gives one empty
// bank.
std::vector<StyleFileBank> banksRead(std::vector<BankBeingRead>& banks) {
    std::vector<StyleFileBank> result;
    if (banks.empty()) {
        result.emplace_back();
    }
    for (BankBeingRead& bank : banks) {
        StyleFileBank& out = result.emplace_back();
        out.bankNumber = bank.bankNumber;
        // A slot that has only a second part is no style of the bank.
        for (Slot& slot : bank.slots) {
            if (slot.hasFirstPart) {
                out.styles.push_back(std::move(slot.style));
            }
        }
    }
    return result;
}

}  // namespace

StyleFileContents readStyleFile(std::istream& in, const std::string& fileName,
                                const sty::EventPump& letEventsRun) {
    ByteReader reader(in, fileName);
    StyleFileContents result;

    const std::string header = reader.readUpTo(sty::kHeaderSize);
    if (header.empty()) {
        throw StyleFileError("The file " + fileName + " is empty.");
    }
    if (header.size() < sty::kHeaderSize ||
        header.compare(sty::kSignatureOffset, sty::kSignature.size(), sty::kSignature) != 0) {
        result.kind = recogniseOtherKorgFile(header);
        return result;
    }

    reader.bufferRest(kWholeFileLimit);
    std::string tableHeader;
    reader.readExact(tableHeader, sty::kChunkHeaderSize, "the table chunk header");
    const std::uint32_t tableLength = lengthField(reader, tableHeader, "the table");
    // The entry count comes from the table length, so a style without a second part (an odd
    // number of entries) is read like any other.
    if (tableLength % sty::kEntrySize != 0) {
        throw reader.damaged("its table is " + std::to_string(tableLength) +
                             " bytes long, not a whole number of 24-byte entries");
    }
    std::string table;
    reader.readExact(table, tableLength, "the table");
    const std::size_t entryCount = tableLength / sty::kEntrySize;

    TableRead read = readTable(reader, table, entryCount);
    readContents(reader, read, letEventsRun);

    std::string indexHeader;
    reader.readExact(indexHeader, sty::kChunkHeaderSize, "the index chunk header");
    reader.skipExact(lengthField(reader, indexHeader, "the index chunk"), "the index chunk");

    result.kind = StyleFileKind::PaBank;
    result.banks = banksRead(read.banks);
    return result;
}

}  // namespace orb
