#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace orb::test {

// The four big-endian bytes of a 32-bit number.
inline std::string bigEndian32(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

// `count` random bytes of every value 0 to 255.
inline std::string randomBytes(std::size_t count, std::mt19937& random) {
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFFu);
    }
    return bytes;
}

// A content chunk: a 4-byte tag, the data length and `dataSize` bytes of every value, made
// from `seed` so that different chunks differ.
inline std::string makeChunk(std::size_t dataSize, std::uint32_t seed) {
    std::mt19937 random(seed);
    return std::string("\x0A\x00\x00\x18", 4) + bigEndian32(static_cast<std::uint32_t>(dataSize)) +
           randomBytes(dataSize, random);
}

// The bytes 0 to 255, once each, in order.
inline std::string everyByteValue() {
    std::string bytes(256, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i);
    }
    return bytes;
}

// Builds the bytes of a .STY bank file field by field, on its own and not through the
// program's writer, so that tests compare the two. Fields that the reader must survive can be
// set to wrong values.
class StyFileBuilder {
public:
    // One table entry and its content chunk. `rawName` is written as given (Windows-1252 bytes),
    // NUL-padded or cut to 11 bytes.
    StyFileBuilder& entry(const std::string& rawName, int type, int bank, int slot,
                          std::string content) {
        entries_.push_back({rawName, type, bank, slot, std::move(content)});
        return *this;
    }
    // A style as the keyboard writes it: a first-part entry, then a second-part entry unless
    // `content2` is empty.
    StyFileBuilder& style(int slot, const std::string& name1, std::string content1,
                          const std::string& name2, std::string content2, int bank = 0) {
        entry(name1, 2, bank, slot, std::move(content1));
        return content2.empty() ? *this : entry(name2, 7, bank, slot, std::move(content2));
    }
    // Overrides the size field at offset 4 or the table length at offset 32.
    StyFileBuilder& sizeField(std::uint32_t value) {
        sizeField_ = value;
        return *this;
    }
    StyFileBuilder& tableLength(std::uint32_t value) {
        tableLength_ = value;
        return *this;
    }
    // Writes nonsense into the index chunk's offsets.
    StyFileBuilder& garbleIndexOffsets() {
        garbleIndex_ = true;
        return *this;
    }

    std::string bytes() const {
        std::string table;
        std::string contents;
        for (const Entry& e : entries_) {
            std::string name = e.name;
            name.resize(11, '\0');
            table += name + std::string(7, '\0') + static_cast<char>(e.type) +
                     static_cast<char>(e.bank) + static_cast<char>(e.slot);
            table += e.type == 2 ? std::string(3, '\0') : std::string("\0\x02\0", 3);
            contents += e.content;
        }
        const auto count = static_cast<std::uint32_t>(entries_.size());
        std::string index = std::string("\xFE\x00\x00\x18", 4) + bigEndian32(16 + 4 * count) +
                            "KBEG" + bigEndian32(28);
        auto offset = static_cast<std::uint32_t>(36 + table.size());
        for (const Entry& e : entries_) {
            index += bigEndian32(garbleIndex_ ? 0xDEADBEEF : offset);
            offset += static_cast<std::uint32_t>(e.content.size());
        }
        index += "KEND" + bigEndian32(count + 1);

        const auto total =
            static_cast<std::uint32_t>(36 + table.size() + contents.size() + index.size());
        return std::string("\x01\x00\x01\x14", 4) + bigEndian32(sizeField_.value_or(total - 8)) +
               std::string("\x02\x00\x00\x18\x00\x00\x00\x0C\x0B\x00\x00\x00\x00\x00\x00", 15) +
               "KORF" + std::string(1, '\0') + std::string("\x05\x00\x00\x18", 4) +
               bigEndian32(tableLength_.value_or(static_cast<std::uint32_t>(table.size()))) +
               table + contents + index;
    }
    std::size_t entryCount() const { return entries_.size(); }

private:
    struct Entry {
        std::string name;
        int type;
        int bank;
        int slot;
        std::string content;
    };
    std::vector<Entry> entries_;
    std::optional<std::uint32_t> sizeField_;
    std::optional<std::uint32_t> tableLength_;
    bool garbleIndex_ = false;
};

}  // namespace orb::test
