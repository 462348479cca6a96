// Times building the bank dialog's tree and the where-is tree (the query, the nodes and the
// tree widget) over 10,000 banks and a catalogue of 100,000 styles, against the sqlite3 shell
// running the same statements, and prints the ratios.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_bank_trees [BANKS] [STYLES]
#include <QApplication>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "catalogue/bank_tree.h"
#include "catalogue/windows/bank_tree_widget.h"
#include "core/settings_store.h"
#include "db/database.h"
#include "db/schema.h"
#include "db/write_transaction.h"
#include "shell_timing.h"

namespace {

using orb::bench::Clock;
using orb::bench::runShell;
using orb::bench::secondsSince;
constexpr int kSearched = 77;  // a style every tenth bank holds

// Styles with short blocks (the trees read names and descriptions only); banks of 16 slots,
// about one in eight empty.
void fill(orb::Database& db, int styles, int banks) {
    orb::WriteTransaction transaction(db);
    for (int prog = 1; prog <= styles; ++prog) {
        const std::string name = ("ST" + std::to_string((prog * 7919) % 1000003)).substr(0, 11);
        const std::string block(200, static_cast<char>(prog % 251));
        db.execute(
            "INSERT INTO KORFStyles VALUES (pProg, pName, pName, 200, 200, pContent1, "
            "pContent1, pContent1, '2026/12/06', pDesc, 'Group', 'Pop', 'USER01.STY', "
            "'Author')",
            {prog, name, orb::SqlParam::blob(block),
             "Description of style number " + std::to_string(prog)});
    }
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> style(1, styles);
    for (int bank = 1; bank <= banks; ++bank) {
        std::vector<orb::SqlParam> params = {bank, "BANK" + std::to_string((bank * 37) % banks),
                                             "Set " + std::to_string(bank)};
        for (int slot = 1; slot <= 16; ++slot) {
            const bool searched = bank % 10 == 0 && slot == 5;
            params.emplace_back(searched ? kSearched : (random() % 8 == 0 ? 0 : style(random)));
        }
        db.execute(
            "INSERT INTO KORFBanks VALUES (pP, pN, pD, pSa, pSb, pSc, pSd, pSe, pSf, pSg, "
            "pSh, pSi, pSj, pSk, pSl, pSm, pSn, pSo, pSp)",
            params);
    }
    transaction.commit();
}

template <typename Build>
double best(int rounds, Build build) {
    double fastest = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        build();
        fastest = std::min(fastest, secondsSince(start));
    }
    return fastest;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int banks = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int styles = argc > 2 ? std::atoi(argv[2]) : 100000;
    const auto dir = std::filesystem::temp_directory_path() / "orb-bank-trees-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    orb::QtSettingsStore settings(dir / "settings.ini");
    orb::Database db;
    const auto path = dir / "ORB.MDB";
    db.open(path, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(db, settings);
    std::cout << "Storing " << banks << " banks over " << styles << " styles..." << std::endl;
    fill(db, styles, banks);

    std::string whereIsSql =
        "SELECT * FROM QUERY1 WHERE BANKPROG IN (SELECT BANKPROG FROM "
        "KORFBANKS WHERE ";
    for (int slot = 1; slot <= 16; ++slot) {
        char condition[40];
        std::snprintf(condition, sizeof condition, "%sBANKSTYLE%02d = %d", slot > 1 ? " OR " : "",
                      slot, kSearched);
        whereIsSql += condition;
    }
    whereIsSql += ") ORDER BY BANKNAME";
    const std::string treeSql = "SELECT * FROM QUERY1 ORDER BY BANKNAME";
    runShell(path, treeSql);  // warms the file cache for both sides alike

    QTreeWidget tree;
    tree.show();
    std::size_t nodes = 0;
    const double bankTree = best(3, [&] {
        const auto built = orb::BankTree(db, orb::BankTreeOrder::NameAscending);
        orb::fillBankTree(&tree, built);
        QApplication::processEvents();
        nodes = built.size();
    });
    std::size_t whereNodes = 0;
    const double whereIs = best(3, [&] {
        const auto built = orb::WhereIsTree(orb::WhereIs(db, kSearched), kSearched);
        orb::fillBankTree(&tree, built);
        QApplication::processEvents();
        whereNodes = built.size();
    });
    const double shellTree = best(3, [&] { runShell(path, treeSql); });
    const double shellWhere = best(3, [&] { runShell(path, whereIsSql); });
    std::printf("bank tree (%zu nodes): %.3f s, sqlite3 shell %.3f s, ratio %.2f\n", nodes,
                bankTree, shellTree, bankTree / shellTree);
    std::printf("where-is tree (%zu nodes): %.3f s, sqlite3 shell %.3f s, ratio %.2f\n", whereNodes,
                whereIs, shellWhere, whereIs / shellWhere);
    db.close();
    std::filesystem::remove_all(dir);
    return 0;
}
