#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using test::makeChunk;
using test::StyFileBuilder;

TEST(StyCommands, InfoListsTheStylesOfABank) {
    test::TestEnvironment env;
    StyFileBuilder builder;
    builder.style(0, "ROCK", makeChunk(100, 1), "ROCK B", makeChunk(10, 2), 17)
        .style(4, "BALLAD", makeChunk(200, 3), "", "", 17);
    test::writeFile(env.dir / "USER01.STY", builder.bytes());
    const test::CliRun result = env.runCli({"sty-info", (env.dir / "USER01.STY").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "1\tROCK       \t108\tROCK B     \t18\n"
              "5\tBALLAD     \t208\t\t0\n");
    // No database is made for it.
    EXPECT_FALSE(std::filesystem::exists(env.dir / "ORB.MDB"));
}

TEST(StyCommands, InfoSeparatesTheBanksOfATwoBankFile) {
    test::TestEnvironment env;
    StyFileBuilder builder;
    builder.style(0, "A", makeChunk(1, 1), "", "", 18).style(0, "B", makeChunk(2, 2), "", "", 17);
    test::writeFile(env.dir / "TWO.STY", builder.bytes());
    const test::CliRun result = env.runCli({"sty-info", (env.dir / "TWO.STY").string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "bank\t18\n1\tA          \t9\t\t0\n"
              "bank\t17\n1\tB          \t10\t\t0\n");
}

TEST(StyCommands, InfoOnOtherFilesAndFailures) {
    test::TestEnvironment env;
    test::writeFile(env.dir / "Old Arranger.sty", "KORGM" + std::string(100, '\0'));
    const test::CliRun other = env.runCli({"sty-info", (env.dir / "Old Arranger.sty").string()});
    EXPECT_EQ(other.status, 2);
    EXPECT_EQ(other.out, "OLDARR~1.STY is probably a style for KORG  iS40,iS50 arrangers\n");

    test::writeFile(env.dir / "notes.sty", "ten bytes!");
    const test::CliRun text = env.runCli({"sty-info", (env.dir / "notes.sty").string()});
    EXPECT_EQ(text.status, 2);
    EXPECT_EQ(text.out,
              "NOTES.STY is not a Pa style, is damaged, its format is unknown or you have no "
              "rights to access it!\n");

    test::writeFile(env.dir / "EMPTY.STY", "");
    const test::CliRun empty = env.runCli({"sty-info", (env.dir / "EMPTY.STY").string()});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.err, "The file " + (env.dir / "EMPTY.STY").string() + " is empty.\n");

    const test::CliRun missing = env.runCli({"sty-info", (env.dir / "NONE.STY").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "The file " + (env.dir / "NONE.STY").string() + " does not exist.\n");

    EXPECT_EQ(env.runCli({"sty-info"}).status, kExitUsage);
}

TEST(StyCommands, RewriteRenumbersTheBankAndKeepsEverySlot) {
    test::TestEnvironment env;
    const auto build = [](int bank) {
        StyFileBuilder builder;
        // Names padded with blanks, as the reader gives them back.
        builder.style(0, "ROCK       ", makeChunk(100, 1), "ROCK B     ", makeChunk(10, 2), bank)
            .style(2, "BALLAD     ", makeChunk(200, 3), "", "", bank)
            .style(3, "SWING      ", makeChunk(50, 4), "SWING B    ", makeChunk(5, 5), bank);
        return builder.bytes();
    };
    const auto in = env.dir / "IN.STY";
    const auto out = env.dir / "OUT.STY";
    test::writeFile(in, build(17));

    EXPECT_EQ(env.runCli({"sty-rewrite", in.string(), out.string()}).status, 0);
    EXPECT_EQ(test::readFile(out), build(17));
    const test::CliRun renumbered =
        env.runCli({"sty-rewrite", in.string(), out.string(), "--bank-number", "3"});
    EXPECT_EQ(renumbered.status, 0) << renumbered.err;
    EXPECT_EQ(test::readFile(out), build(3));
    // In place as well.
    EXPECT_EQ(env.runCli({"sty-rewrite", "--bank-number", "255", in.string(), in.string()}).status,
              0);
    EXPECT_EQ(test::readFile(in), build(255));

    EXPECT_EQ(env.runCli({"sty-rewrite", in.string(), out.string(), "--bank-number", "256"}).status,
              kExitUsage);
    EXPECT_EQ(env.runCli({"sty-rewrite", in.string(), out.string(), "--bank-number", "x"}).status,
              kExitUsage);
    EXPECT_EQ(env.runCli({"sty-rewrite", in.string()}).status, kExitUsage);

    test::writeFile(env.dir / "I30.STY", "KORGI" + std::string(40, ' '));
    const test::CliRun other =
        env.runCli({"sty-rewrite", (env.dir / "I30.STY").string(), out.string()});
    EXPECT_EQ(other.status, 2);
    EXPECT_EQ(other.out, "I30.STY is probably a style for KORG  i30 arranger\n");
    EXPECT_EQ(test::readFile(out), build(3));
}

}  // namespace
}  // namespace orb
