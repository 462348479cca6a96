// Reads and writes bank files of realistic size through KORFLibrary and compares the speed with
// a plain read and write of the same bytes (the whole file through std::ifstream/ofstream), and
// the write with the floor of a safe replacement: the same bytes into a temporary file, one
// fsync, a rename and a sync of the folder.
//   build/bench/bench_sty [ROUNDS]   (default 300; each round reads and writes 8 banks of 16
//   styles)
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "core/ascii_text.h"
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

// What a replacement that survives a power cut cannot do without.
void replaceSynced(const fs::path& path, const std::string& bytes) {
    const fs::path temporary = fs::path(path).concat(".part");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (fd >= 0 && left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written <= 0) {
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (fd < 0 || left != 0 || ::fsync(fd) != 0 || ::close(fd) != 0 ||
        ::rename(temporary.c_str(), path.c_str()) != 0) {
        throw std::runtime_error("cannot replace " + path.string());
    }
    const int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0 || ::fsync(folder) != 0 || ::close(folder) != 0) {
        throw std::runtime_error("cannot sync the folder of " + path.string());
    }
}

double seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? orb::wholeNumber<int>(argv[1]).value_or(300) : 300;
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

    // The bank writer and the synced floor take turns, round by round, so that both meet the
    // disk in the same mood.
    std::vector<fs::path> flooredFiles;
    for (std::size_t i = 0; i < banks.size(); ++i) {
        flooredFiles.push_back(dir / ("FLOOR" + std::to_string(i) + ".STY"));
    }
    double writeSeconds = 0;
    double floorSeconds = 0;
    for (int round = 0; round < rounds; ++round) {
        auto turn = Clock::now();
        for (std::size_t i = 0; i < banks.size(); ++i) {
            library.WriteStyleFromCollection(bankFiles[i], banks[i], 17);
        }
        writeSeconds += seconds(turn);
        turn = Clock::now();
        for (std::size_t i = 0; i < banks.size(); ++i) {
            replaceSynced(flooredFiles[i], bytes[i]);
        }
        floorSeconds += seconds(turn);
    }

    auto start = Clock::now();
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
    std::cout << "write against the synced replace (temporary file, fsync, rename, folder sync): "
              << "KORFLibrary " << megabytes / writeSeconds << " MB/s, floor "
              << megabytes / floorSeconds << " MB/s, ratio " << floorSeconds / writeSeconds
              << " (goal >= 0.8)\n";
    return check == 0 ? 1 : 0;
}
