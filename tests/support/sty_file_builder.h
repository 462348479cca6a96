#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace orb::test {

// The four big-endian bytes of a 32-bit number.
std::string bigEndian32(std::uint32_t value);

// A content chunk: a 4-byte tag, the data length and `dataSize` bytes of every value, made
// from `seed` so that different chunks differ.
std::string makeChunk(std::size_t dataSize, std::uint32_t seed);

// The bytes 0 to 255, once each, in order.
std::string everyByteValue();

// `count` random bytes of every value 0 to 255.
std::string randomBytes(std::size_t count, std::mt19937& random);

// Builds the bytes of a .STY bank file field by field, on its own and not through the
// program's writer, so that tests compare the two. Fields that the reader must survive can be
// set to wrong values.
class StyFileBuilder {
public:
    // One table entry and its content chunk. `rawName` is written as given (Windows-1252 bytes),
    // NUL-padded or cut to 11 bytes.
    StyFileBuilder& entry(const std::string& rawName, int type, int bank, int slot,
                          std::string content);
    // A style as the keyboard writes it: a first-part entry, then a second-part entry unless
    // `content2` is empty.
    StyFileBuilder& style(int slot, const std::string& name1, std::string content1,
                          const std::string& name2, std::string content2, int bank = 0);
    // Overrides the size field at offset 4 or the table length at offset 32.
    StyFileBuilder& sizeField(std::uint32_t value);
    StyFileBuilder& tableLength(std::uint32_t value);
    // Writes nonsense into the index chunk's offsets.
    StyFileBuilder& garbleIndexOffsets();

    std::string bytes() const;
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
