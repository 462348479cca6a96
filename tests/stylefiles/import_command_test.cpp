#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "stylefiles/import_test_support.h"
#include "support/test_environment.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun run(test::TestEnvironment& env, const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCommandLine(args, env.state, out, err);
    return {status, out.str(), err.str()};
}

long long countOf(const std::string& db, const char* table) {
    Database connection;
    connection.open(db, Database::OpenMode::ExistingOnly);
    Rows rows = connection.query(std::string("SELECT COUNT(*) FROM ") + table);
    rows.next();
    return rows.integer(0);
}

TEST(ImportCommand, FolderAndFileWithTheirOptions) {
    test::TestEnvironment env;
    const std::string db = (env.dir / "orb.mdb").string();
    ASSERT_EQ(run(env, {"--db", db, "init"}).status, 0);
    const fs::path folder = env.dir / "banks";
    test::writeFile(folder / "A.STY", test::bankFile("ALPHA", 2, 1));
    test::writeFile(folder / "SUB" / "B.STY", test::bankFile("BETA", 1, 2));
    test::writeFile(folder / "I5.STY", "KORG< and more bytes than any header holds");

    const CliRun first = run(env, {"--db", db, "import", "--family", "Pop", folder.string()});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "I5.STY is probably a style for KORG  i5 arranger\n");
    EXPECT_EQ(countOf(db, "KORFStyles"), 2);
    EXPECT_EQ(countOf(db, "KORFBanks"), 1);

    const CliRun again = run(env, {"--db", db, "import", "--subfolders", "--no-bank", "--mode",
                                   "content", folder.string()});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out,
              "Style ALPHA1      from file A.STY is the same as style ALPHA1      from file "
              "A.STY, and will not be imported!\n"
              "Style ALPHA2      from file A.STY is the same as style ALPHA2      from file "
              "A.STY, and will not be imported!\n"
              "I5.STY is probably a style for KORG  i5 arranger\n");
    EXPECT_EQ(countOf(db, "KORFStyles"), 3);
    EXPECT_EQ(countOf(db, "KORFBanks"), 1);

    const CliRun file =
        run(env, {"--db", db, "import", "--mode", "all", (folder / "A.STY").string()});
    EXPECT_EQ(file.status, 0) << file.err;
    EXPECT_EQ(file.out, "");
    EXPECT_EQ(countOf(db, "KORFStyles"), 5);
    EXPECT_EQ(countOf(db, "KORFBanks"), 2);

    const CliRun byName =
        run(env, {"--db", db, "import", "--mode", "name", (folder / "A.STY").string()});
    EXPECT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(countOf(db, "KORFStyles"), 5);
}

TEST(ImportCommand, RefusalsAndErrorsExitWithOneAndStoreNothing) {
    test::TestEnvironment env;
    const std::string db = (env.dir / "orb.mdb").string();
    ASSERT_EQ(run(env, {"--db", db, "init"}).status, 0);
    const fs::path file = env.dir / "A.STY";
    test::writeFile(file, test::bankFile("ALPHA", 2, 1));

    const CliRun tooLong =
        run(env, {"--db", db, "import", "--author", std::string(51, 'x'), file.string()});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_EQ(tooLong.err, "The author may be at most 50 characters long.\n");
    EXPECT_EQ(countOf(db, "KORFStyles"), 0);

    std::string damaged = test::bankFile("BETA", 2, 2);
    damaged.resize(damaged.size() - 40);
    test::writeFile(env.dir / "sub" / "A.STY", test::bankFile("GAMMA", 2, 3));
    test::writeFile(env.dir / "sub" / "B.STY", damaged);
    const CliRun broken = run(env, {"--db", db, "import", (env.dir / "sub").string()});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("B.STY"), std::string::npos) << broken.err;
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(countOf(db, "KORFStyles"), 0);
    EXPECT_EQ(countOf(db, "KORFBanks"), 0);

    EXPECT_EQ(run(env, {"--db", db, "import"}).status, kExitUsage);
    EXPECT_EQ(run(env, {"--db", db, "import", "--mode", "fuzzy", file.string()}).status,
              kExitUsage);
    EXPECT_EQ(run(env, {"--db", db, "import", file.string(), "--bogus"}).status, kExitUsage);
    const CliRun missing = run(env, {"--db", db, "import", (env.dir / "NO.STY").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "The file " + (env.dir / "NO.STY").string() + " does not exist.\n");
}

}  // namespace
}  // namespace orb
