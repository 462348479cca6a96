// Writes the dump fuzzer's seed corpus into the folder given: dumps of an empty and of a small
// catalogue made by the writer, and near misses of the latter (a block one byte longer or
// shorter, a stray carriage return, a count too high, the closing marker missing).
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "backup/dump_writer.h"
#include "dump_fuzz_catalogue.h"

namespace {

void save(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string dumpOf(orb::Database& database) {
    std::ostringstream out;
    orb::writeDump(database, out);
    return out.str();
}

std::string replaced(std::string bytes, const std::string& from, const std::string& to) {
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dump_fuzz_seeds FOLDER\n";
        return 64;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    orb::Database database;
    orb::fuzz::openEmptyCatalogue(database);
    save(folder, "empty.odd", dumpOf(database));
    orb::fuzz::fillSmallCatalogue(database);
    const std::string full = dumpOf(database);
    save(folder, "small.odd", full);

    save(folder, "block-longer.odd", replaced(full, "STY1\r\n", "STY1\r\n+"));
    save(folder, "block-shorter.odd", replaced(full, "STY1\r\n", "STY1\n"));
    save(folder, "stray-cr.odd", replaced(full, "Schubert\r\n", "Schubert\r\r\n"));
    save(folder, "count-high.odd", replaced(full, "##NR3", "##NR4"));
    save(folder, "no-closing-marker.odd", full.substr(0, full.size() - 12));
    return 0;
}
