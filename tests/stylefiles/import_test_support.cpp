#include "stylefiles/import_test_support.h"

#include "support/query_column.h"
#include "support/sty_file_builder.h"

namespace orb::test {

std::string firstBlock(std::uint32_t seed, int index) {
    return makeChunk(200 + static_cast<std::size_t>(index) * 7,
                     seed * 100 + static_cast<std::uint32_t>(index));
}

std::string secondBlock(std::uint32_t seed, int index) {
    return makeChunk(30 + static_cast<std::size_t>(index),
                     seed * 100 + 50 + static_cast<std::uint32_t>(index));
}

std::string bankFile(const std::string& prefix, int count, std::uint32_t seed, int bank) {
    StyFileBuilder builder;
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i + 1);
        builder.style(i, name, firstBlock(seed, i), name + "B", secondBlock(seed, i), bank);
    }
    return builder.bytes();
}

long long styleCount(Database& connection) {
    return rowCount(connection, "KORFStyles");
}

}  // namespace orb::test
