#include "support/sty_file_builder.h"

namespace orb::test {

std::string bigEndian32(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string makeChunk(std::size_t dataSize, std::uint32_t seed) {
    std::string chunk("\x0A\x00\x00\x18", 4);
    chunk += bigEndian32(static_cast<std::uint32_t>(dataSize));
    std::mt19937 random(seed);
    chunk += randomBytes(dataSize, random);
    return chunk;
}

std::string everyByteValue() {
    std::string bytes(256, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i);
    }
    return bytes;
}

std::string randomBytes(std::size_t count, std::mt19937& random) {
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFFu);
    }
    return bytes;
}

StyFileBuilder& StyFileBuilder::entry(const std::string& rawName, int type, int bank, int slot,
                                      std::string content) {
    entries_.push_back({rawName, type, bank, slot, std::move(content)});
    return *this;
}

StyFileBuilder& StyFileBuilder::style(int slot, const std::string& name1, std::string content1,
                                      const std::string& name2, std::string content2, int bank) {
    entry(name1, 2, bank, slot, std::move(content1));
    if (!content2.empty()) {
        entry(name2, 7, bank, slot, std::move(content2));
    }
    return *this;
}

StyFileBuilder& StyFileBuilder::sizeField(std::uint32_t value) {
    sizeField_ = value;
    return *this;
}

StyFileBuilder& StyFileBuilder::tableLength(std::uint32_t value) {
    tableLength_ = value;
    return *this;
}

StyFileBuilder& StyFileBuilder::garbleIndexOffsets() {
    garbleIndex_ = true;
    return *this;
}

std::string StyFileBuilder::bytes() const {
    std::string table;
    std::string contents;
    for (const Entry& e : entries_) {
        std::string name = e.name;
        name.resize(11, '\0');
        table += name;
        table.append(7, '\0');
        table += static_cast<char>(e.type);
        table += static_cast<char>(e.bank);
        table += static_cast<char>(e.slot);
        table += e.type == 2 ? std::string(3, '\0') : std::string("\0\x02\0", 3);
        contents += e.content;
    }
    const auto count = static_cast<std::uint32_t>(entries_.size());
    std::string index("\xFE\x00\x00\x18", 4);
    index += bigEndian32(16 + 4 * count);
    index += "KBEG";
    index += bigEndian32(28);
    auto offset = static_cast<std::uint32_t>(36 + table.size());
    for (const Entry& e : entries_) {
        index += bigEndian32(garbleIndex_ ? 0xDEADBEEF : offset);
        offset += static_cast<std::uint32_t>(e.content.size());
    }
    index += "KEND";
    index += bigEndian32(count + 1);

    const auto total =
        static_cast<std::uint32_t>(36 + table.size() + contents.size() + index.size());
    std::string file("\x01\x00\x01\x14", 4);
    file += bigEndian32(sizeField_.value_or(total - 8));
    file += std::string("\x02\x00\x00\x18\x00\x00\x00\x0C\x0B\x00\x00\x00\x00\x00\x00", 15);
    file += "KORF";
    file += '\0';
    file += std::string("\x05\x00\x00\x18", 4);
    file += bigEndian32(tableLength_.value_or(static_cast<std::uint32_t>(table.size())));
    file += table;
    file += contents;
    file += index;
    return file;
}

}  // namespace orb::test
