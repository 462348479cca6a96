// Writes the single style file fuzzer's seed corpus into the folder given: files made by the
// writer (small parts, empty parts, accented texts) and a few near misses.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "stylefiles/ssf_writer.h"

namespace {

orb::StyleRow style(const std::string& name, std::size_t first, std::size_t second) {
    orb::StyleRow row;
    row.StyleName1 = name;
    row.StyleName2 = name + "2";
    for (std::size_t i = 0; i < first; ++i) {
        row.StyleContent1 += static_cast<char>((i * 37 + 11) & 0xFF);
    }
    row.StyleContent2 = second == 0 ? " " : std::string(second, '\x7F');
    row.StyleLength1 = static_cast<std::int32_t>(first);
    row.StyleLength2 = static_cast<std::int32_t>(second);
    row.StyleAuthor = "Author";
    row.StyleCat = "Group";
    row.StyleFamily = "Family";
    row.StyleDesc = "Description";
    row.StyleFile = "USER01.STY";
    row.StyleDate = "2026/12/06";
    return row;
}

std::string file(const orb::StyleRow& row) {
    std::ostringstream out;
    orb::writeSsf(out, row, "seed");
    return out.str();
}

void save(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ssf_fuzz_seeds FOLDER\n";
        return 64;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::string small = file(style("ROCKY      ", 40, 12));
    save(folder, "small.ssf", small);
    save(folder, "empty-second.ssf", file(style("", 9, 0)));
    orb::StyleRow accented = style("Caf\xC3\xA9", 300, 30);
    accented.StyleDesc = "\xE2\x82\xAC 5";
    save(folder, "accented.ssf", file(accented));
    save(folder, "cut.ssf", small.substr(0, small.size() - 4));
    std::string dotted = small;
    dotted.replace(dotted.size() - 10, 10, "06.12.2026");
    save(folder, "dotted-date.ssf", dotted);
    save(folder, "signature-only.ssf", "SSF_ORB_Quillmar");
    return 0;
}
