// Writes the fuzzer's seed corpus into the folder given: banks made by the writer (empty, one
// style, parts missing, sixteen styles, two banks in one file) and files of other Korg models.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "stylefiles/sty_writer.h"

namespace {

std::string chunk(std::size_t dataSize, unsigned seed) {
    std::string bytes("\x0A\x00\x00\x18", 4);
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes += static_cast<char>((dataSize >> shift) & 0xFF);
    }
    for (std::size_t i = 0; i < dataSize; ++i) {
        bytes += static_cast<char>((i * 31 + seed * 7) & 0xFF);
    }
    return bytes;
}

void addStyle(std::vector<orb::BankFileStyle>& styles, const std::string& name, std::size_t first,
              std::size_t second) {
    const std::string content1 =
        first == 0 ? "" : chunk(first, static_cast<unsigned>(styles.size()));
    const std::string content2 = second == 0 ? "" : chunk(second, 99);
    styles.push_back(
        orb::BankFileStyle{0, name, name + "2", static_cast<std::int32_t>(content1.size()),
                           static_cast<std::int32_t>(content2.size()), content1, content2});
}

std::string bank(const std::vector<orb::BankFileStyle>& styles, int number) {
    std::ostringstream out;
    orb::writeStyleFile(out, styles, number, "seed");
    return out.str();
}

void save(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: sty_fuzz_seeds FOLDER\n";
        return 64;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    save(folder, "empty-bank.sty", bank(std::vector<orb::BankFileStyle>{}, 0));
    std::vector<orb::BankFileStyle> one;
    addStyle(one, "O'NE", 40, 12);
    save(folder, "one-style.sty", bank(one, 17));
    std::vector<orb::BankFileStyle> gaps;
    addStyle(gaps, "FIRST ONLY", 20, 0);
    addStyle(gaps, "", 0, 0);
    addStyle(gaps, "SECOND ONLY", 0, 10);
    addStyle(gaps, "Caf\xC3\xA9", 15, 5);
    save(folder, "gaps.sty", bank(gaps, 3));
    std::vector<orb::BankFileStyle> full;
    for (int i = 0; i < 16; ++i) {
        addStyle(full, "STYLE " + std::to_string(i), 16 + static_cast<std::size_t>(i) * 3, 8);
    }
    const std::string sixteen = bank(full, 18);
    save(folder, "sixteen.sty", sixteen);

    // Two banks in one table: the writer's 32-style file with the second half renumbered.
    std::vector<orb::BankFileStyle> both;
    for (int i = 0; i < 4; ++i) {
        addStyle(both, "TWIN " + std::to_string(i), 12, 9);
    }
    std::string twoBanks = bank(both, 18);
    for (std::size_t entry = 4; entry < 8; ++entry) {
        twoBanks[36 + entry * 24 + 19] = 17;
        twoBanks[36 + entry * 24 + 20] = static_cast<char>(entry / 2 - 2);
    }
    save(folder, "two-banks.sty", twoBanks);

    save(folder, "korgm.sty", "KORGM" + std::string(40, '\0'));
    save(folder, "korg9.sty", "KORG9" + std::string(40, '\0'));
    save(folder, "text.sty", "ten bytes!");
    return 0;
}
