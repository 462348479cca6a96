// Reads and writes bank files of realistic size through KORFLibrary and compares the speed with
// a plain read and write of the same bytes (the whole file through std::ifstream/ofstream).
//   build/bench/bench_sty [ROUNDS]   (default 300; each round reads and writes 8 banks of 16
//   styles)
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "realistic_styles.h"
#include "stylefiles/korf_library.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// 16 styles as real banks have them: first parts of 2 to 30 KB, second parts of 0.3 to 0.6 KB.
orb::KORFStyles realisticBank(std::uint64_t firstSeed) {
    orb::KORFStyles styles;
    for (int slot = 1; slot <= 16; ++slot) {
        orb::KORFStyle style = orb::bench::realisticStyle(
            firstSeed + static_cast<std::uint64_t>(slot), "STYLE " + std::to_string(slot));
        style.StyleProg = slot;
        styles.Add(std::move(style));
    }
    return styles;
}

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(0, std::ios::end);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return bytes;
}

void writeWhole(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

double seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::stoi(argv[1]) : 300;
    const fs::path dir =
        fs::temp_directory_path() / ("orb-sty-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);

    std::vector<orb::KORFStyles> banks;
    for (int i = 0; i < 8; ++i) {
        banks.push_back(realisticBank(static_cast<std::uint64_t>(i) * 16));
    }
    orb::KORFLibrary library;
    std::vector<fs::path> bankFiles;
    std::vector<fs::path> plainFiles;
    std::vector<std::string> bytes;
    std::uintmax_t bytesPerRound = 0;
    for (std::size_t i = 0; i < banks.size(); ++i) {
        bankFiles.push_back(dir / ("BANK" + std::to_string(i) + ".STY"));
        plainFiles.push_back(dir / ("PLAIN" + std::to_string(i) + ".STY"));
        library.WriteStyleFromCollection(bankFiles[i], banks[i], 17);
        bytes.push_back(readWhole(bankFiles[i]));
        bytesPerRound += bytes.back().size();
    }
    const double megabytes = static_cast<double>(bytesPerRound) * rounds / 1e6;

    auto start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < banks.size(); ++i) {
            library.WriteStyleFromCollection(bankFiles[i], banks[i], 17);
        }
    }
    const double writeSeconds = seconds(start);

    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < banks.size(); ++i) {
            writeWhole(plainFiles[i], bytes[i]);
        }
    }
    const double plainWriteSeconds = seconds(start);

    std::size_t check = 0;
    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const fs::path& file : bankFiles) {
            std::vector<orb::StyleFileBank> read;
            library.FillBanksFromStyle(file, read);
            check += static_cast<std::size_t>(read.front().styles.Count());
        }
    }
    const double readSeconds = seconds(start);

    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const fs::path& file : plainFiles) {
            check += readWhole(file).size() & 1;
        }
    }
    const double plainReadSeconds = seconds(start);

    fs::remove_all(dir);
    std::cout << "bank files: " << banks.size() << " x 16 styles, " << bytesPerRound / banks.size()
              << " bytes on average, " << rounds << " rounds (" << megabytes << " MB each way)\n";
    const auto line = [&](const char* what, double ours, double plain) {
        std::cout << what << ": KORFLibrary " << megabytes / ours << " MB/s, plain "
                  << megabytes / plain << " MB/s, ratio " << plain / ours << "\n";
    };
    line("write", writeSeconds, plainWriteSeconds);
    line("read ", readSeconds, plainReadSeconds);
    return check == 0 ? 1 : 0;
}
