// Times the export of a catalogue of 20,000 realistic styles to single style files and the
// import of those files into an empty catalogue, against writing the same bytes as plain files
// (and, as the export does, syncing them to the disk once) and reading them back with one bare
// SQLite insert each, all in one transaction as the import stores them.
//   build/bench/bench_ssf [STYLES]
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "cli/console_dialogs.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "db/schema.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "realistic_styles.h"
#include "state/app_state.h"
#include "stylefiles/ssf_export.h"
#include "stylefiles/ssf_import.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void openCatalogue(orb::AppState& state, const fs::path& file) {
    state.connection.open(file, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(state.connection, state.settings);
}

void fill(orb::Database& db, int styles) {
    orb::WriteTransaction transaction(db);
    orb::StyleStore store(db);
    orb::StyleRow row;
    for (int prog = 1; prog <= styles; ++prog) {
        char name[16];
        std::snprintf(name, sizeof name, "STYLE%06d", prog);
        row = orb::styleRowOf(orb::bench::realisticStyle(static_cast<std::uint64_t>(prog), name),
                              prog);
        row.StyleDate = "2026/12/06";
        row.StyleDesc = "Realistic style";
        row.StyleCat = "Group";
        row.StyleFamily = "Family";
        row.StyleFile = "USER01.STY";
        row.StyleAuthor = "Author";
        store.insertNumbered(row);
    }
    transaction.commit();
}

}  // namespace

int main(int argc, char** argv) {
    const int styles = argc > 1 ? std::atoi(argv[1]) : 20000;
    const fs::path dir = fs::temp_directory_path() / "orb-ssf-bench";
    fs::remove_all(dir);
    fs::create_directories(dir / "ssf");
    fs::create_directories(dir / "plain");
    orb::QtSettingsStore settings(dir / "settings.ini");
    orb::SystemClock clock;
    orb::ConsoleDialogs dialogs(std::cerr, std::cerr, false);  // nothing is asked

    orb::AppState source(settings, clock);
    openCatalogue(source, dir / "source.mdb");
    std::cout << "Building a catalogue of " << styles << " styles..." << std::endl;
    fill(source.connection, styles);

    orb::SsfExportRequest request;
    for (int prog = 1; prog <= styles; ++prog) {
        request.allStyles.push_back(prog);
    }
    orb::SsfExportController exporter(source, dialogs);
    exporter.load(request);
    exporter.setFolder((dir / "ssf").string());
    exporter.setChoice(orb::SsfExportController::Choice::AllStyles);
    auto start = Clock::now();
    if (!exporter.run() || exporter.result().written.size() != static_cast<std::size_t>(styles)) {
        std::cerr << "the export failed\n";
        return 1;
    }
    const double exportTime = secondsSince(start);

    // The baseline writes the very bytes of each file, read beforehand, as plain files.
    std::vector<std::string> contents;
    for (const fs::path& file : exporter.result().written) {
        std::ifstream in(file, std::ios::binary);
        contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    start = Clock::now();
    for (std::size_t i = 0; i < contents.size(); ++i) {
        std::ofstream out(dir / "plain" / exporter.result().written[i].filename(),
                          std::ios::binary | std::ios::trunc);
        out.write(contents[i].data(), static_cast<std::streamsize>(contents[i].size()));
    }
    const double plainWrite = secondsSince(start);
    contents.clear();
    start = Clock::now();
    const int plainFolder = ::open((dir / "plain").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (plainFolder < 0 || ::syncfs(plainFolder) != 0 || ::close(plainFolder) != 0) {
        std::cerr << "the plain files could not be synced\n";
        return 1;
    }
    const double plainSync = secondsSince(start);

    orb::AppState target(settings, clock);
    openCatalogue(target, dir / "target.mdb");
    orb::SsfImportController importer(target, dialogs);
    importer.load();
    importer.setPath((dir / "ssf").string());
    importer.setChoice(orb::SsfImportController::Choice::Folder);
    start = Clock::now();
    if (!importer.run()) {
        std::cerr << "the import failed\n";
        return 1;
    }
    const double importTime = secondsSince(start);

    orb::Database bare;
    bare.open(dir / "bare.mdb", orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(bare, settings);
    start = Clock::now();
    orb::WriteTransaction bareTransaction(bare);
    int prog = 0;
    for (const auto& entry : fs::directory_iterator(dir / "plain")) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        ++prog;
        bare.execute(
            "INSERT INTO KORFStyles VALUES (pProg, 'STYLE000001', 'STYLE000001', pLength1, "
            "pLength2, pContent1, pContent2, pSeek, '2026/12/06', 'Realistic style', 'Group', "
            "'Family', 'USER01.STY', 'Author')",
            {prog, static_cast<std::int32_t>(bytes.size()), 0, orb::SqlParam::blob(bytes),
             orb::SqlParam::blob(" "),
             orb::SqlParam::blob(std::string_view(bytes).substr(0, 250))});
    }
    bareTransaction.commit();
    const double plainImport = secondsSince(start);

    std::printf("export of %d styles: ORB %.2f s, plain writes %.2f s, ratio %.2f\n", styles,
                exportTime, plainWrite, exportTime / plainWrite);
    std::printf(
        "export of %d styles against plain writes + one sync: ORB %.2f s, plain %.2f s, "
        "ratio %.2f (goal <= 2)\n",
        styles, exportTime, plainWrite + plainSync, exportTime / (plainWrite + plainSync));
    std::printf("import of %d files: ORB %.2f s, plain reads + bare inserts %.2f s, ratio %.2f\n",
                styles, importTime, plainImport, importTime / plainImport);
    source.connection.close();
    target.connection.close();
    bare.close();
    fs::remove_all(dir);
    return 0;
}
