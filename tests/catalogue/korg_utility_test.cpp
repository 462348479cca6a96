#include <gtest/gtest.h>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/korg_utility.h"
#include "stylefiles/bank_file.h"
#include "support/sty_file_builder.h"

namespace orb {
namespace {

class RecordingStarter : public ProgramStarter {
public:
    bool startDetached(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments) override {
        starts.push_back({program.string(), arguments});
        return succeed;
    }
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<Start> starts;
    bool succeed = true;
};

class KorgUtilityTest : public test::CatalogueTest {
protected:
    std::filesystem::path makeUtility(const std::string& name, bool executable) {
        const auto path = env.dir / name;
        test::writeFile(path, "#!/bin/sh\n");
        std::filesystem::permissions(path, executable ? std::filesystem::perms::owner_all
                                                      : std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_write);
        return path;
    }

    bool send(std::int32_t style, const std::string& utility) {
        return SendStyleToKorgUtility(db(), style, utility, workFolder, starter, env.dialogs);
    }

    RecordingStarter starter;
    std::filesystem::path workFolder = env.dir / "tmp";
};

TEST_F(KorgUtilityTest, TheStyleGoesAsAOneStyleBankSeventeenToTheUtilityOrTheMessageSaysWhyNot) {
    const auto utility = makeUtility("korg util", true);
    // Without its temporary folder the work file cannot be written, and that is said.
    EXPECT_FALSE(send(41, utility.string()));
    ASSERT_EQ(env.dialogs.messages().size(), 1u);
    EXPECT_NE(env.dialogs.messages()[0].find("WRK.STY"), std::string::npos);
    EXPECT_TRUE(starter.starts.empty());
    env.dialogs.clear();

    std::filesystem::create_directories(workFolder);
    ASSERT_TRUE(send(73, utility.string()));

    const std::string expected =
        test::StyFileBuilder()
            .style(0, "SWING", test::makeChunk(73 * 3, 73), "SWING2", test::makeChunk(78, 1073), 17)
            .bytes();
    EXPECT_EQ(test::readFile(workFolder / "WRK.STY"), expected);
    ASSERT_EQ(starter.starts.size(), 1u);
    EXPECT_EQ(starter.starts[0].program, utility.string());
    EXPECT_EQ(starter.starts[0].arguments,
              std::vector<std::string>{(workFolder / "WRK.STY").string()});
    EXPECT_TRUE(env.dialogs.calls().empty());

    // A style that is gone: nothing written, nothing started, nothing said.
    EXPECT_FALSE(send(999, utility.string()));
    EXPECT_EQ(starter.starts.size(), 1u);
    EXPECT_TRUE(env.dialogs.calls().empty());

    // A utility that cannot start is named in the message.
    const auto missing = (env.dir / "no such utility").string();
    const auto plain = makeUtility("plain", false).string();
    EXPECT_FALSE(send(73, missing));
    EXPECT_FALSE(send(73, plain));
    EXPECT_FALSE(send(73, env.dir.path().string()));
    starter.succeed = false;
    EXPECT_FALSE(send(73, utility.string()));
    EXPECT_EQ(
        env.dialogs.messages(),
        (std::vector<std::string>{
            "The Korg utility " + missing + " cannot be started: the file does not exist.",
            "The Korg utility " + plain + " cannot be started: the file is not executable.",
            "The Korg utility " + env.dir.path().string() + " cannot be started: it is not a file.",
            "The Korg utility " + utility.string() + " could not be started."}));
    EXPECT_EQ(starter.starts.size(), 2u);
}

}  // namespace
}  // namespace orb
