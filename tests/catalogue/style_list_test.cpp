#include <gtest/gtest.h>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/style_filter.h"
#include "catalogue/style_list.h"
#include "catalogue/styles_controller.h"
#include "cli/cli.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using test::addStyle;

const std::string kBase =
    "SELECT STYLEPROG, STYLENAME1, STYLEDESC, STYLEFAMILY, STYLECAT, STYLEAUTHOR, STYLEDATE FROM "
    "KORFSTYLES";

std::vector<std::string> names(const StylesController& controller) {
    std::vector<std::string> out;
    for (int row = 0; row < controller.rowCount(); ++row) {
        out.push_back(controller.cell(row, 1));
    }
    return out;
}

TEST(StyleList, StatementTextsWithAndWithoutFilterAndOrder) {
    EXPECT_EQ(styleListStatement("", ""), kBase + " ORDER BY STYLEPROG");
    EXPECT_EQ(styleListStatement("STYLECAT = pStyleCat", "STYLENAME1 DESC"),
              kBase + " WHERE STYLECAT = pStyleCat ORDER BY STYLENAME1 DESC");
    EXPECT_EQ(styleListStatement("", "STYLEFAMILY"), kBase + " ORDER BY STYLEFAMILY");

    test::TestEnvironment env;
    StyleFilterController filter(env.state);
    filter.resetFields();
    filter.resetOrder();
    filter.setFilterOn();
    EXPECT_EQ(env.state.StyleListWhere, "");
    EXPECT_EQ(env.state.StyleListOrder, "");
    // The same choice twice gives the column twice; an empty text no condition.
    filter.orderChoices[0] = "name";
    filter.orderChoices[2] = "NAME";
    filter.descending[2] = true;
    filter.fields[4] = "  ";
    filter.setFilterOn();
    EXPECT_EQ(env.state.StyleListWhere, "");
    EXPECT_EQ(env.state.StyleListOrder, "STYLENAME1, STYLENAME1 DESC");
}

TEST(StyleList, TheFilterExampleSelectsAndOrdersTheCatalogue) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    addStyle(db, 31, "RockBeat", "", "Pop", "Ballad");
    addStyle(db, 32, "Rock Slow", "", "Jazz", "BALLAD");
    addStyle(db, 33, "RockTwo", "", "Pop", "Ballad");
    addStyle(db, 34, "Rock Fast", "", "Pop", "Dance");
    addStyle(db, 35, "Slow Rock", "", "Zen", "Ballad");
    addStyle(db, 36, "ROCKAWAY", "", "Pop", "Ballads");

    StyleFilterController filter(env.state);
    filter.load();
    filter.fields[0] = " rock% ";
    filter.fields[3] = "ballad";
    filter.orderChoices[0] = "FAMILY";
    filter.descending[0] = true;
    filter.orderChoices[1] = "NAME";
    filter.setFilterOn();
    EXPECT_EQ(env.state.StyleListWhere, "STYLENAME1 LIKE pStyleName1 AND STYLECAT = pStyleCat");
    EXPECT_EQ(env.state.StyleListOrder, "STYLEFAMILY DESC, STYLENAME1");
    const auto& values = env.state.StyleFilterValues;
    EXPECT_EQ(values[0], "ROCK%");
    EXPECT_EQ(values[3], "BALLAD");
    EXPECT_EQ(values[6], "FAMILY");
    EXPECT_EQ(values[12], " DESC");
    EXPECT_EQ(values[7], "NAME");
    EXPECT_EQ(values[13], "");
    EXPECT_EQ(values[8], "<NOTHING>");

    StylesController controller(env.state, env.dialogs);
    controller.load();
    EXPECT_EQ(names(controller), (std::vector<std::string>{"RockBeat", "RockTwo", "Rock Slow"}));
    EXPECT_EQ(controller.cell(2, 0), "32");
    EXPECT_EQ(controller.cell(2, 3), "Jazz");
    EXPECT_EQ(controller.cell(2, 4), "BALLAD");
    EXPECT_EQ(controller.countCaption(), " 3 styles available - Database filtering is active ");

    // Reset Filter lists everything again in the order the filter chose.
    controller.resetFilter();
    EXPECT_EQ(env.state.StyleListOrder, "STYLEFAMILY DESC, STYLENAME1");
    EXPECT_EQ(values[0], "");
    EXPECT_EQ(values[3], "");
    EXPECT_EQ(values[6], "FAMILY");
    EXPECT_EQ(names(controller), (std::vector<std::string>{"Slow Rock", "Rock Fast", "ROCKAWAY",
                                                           "RockBeat", "RockTwo", "Rock Slow"}));
    EXPECT_EQ(controller.countCaption(), " 6 styles available ");
    EXPECT_FALSE(env.dialogs.waitCursor());
}

TEST(StyleList, HeaderButtonsCycleTheOrderAndTheirColours) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    addStyle(env.state.connection, 7, "Bravo", "", "Zeta");
    addStyle(env.state.connection, 5, std::string("Alpha\0\0\0\0\0\0", 11), "", "Beta");
    addStyle(env.state.connection, 9, "Charlie", "", "Alpha");
    StylesController controller(env.state, env.dialogs);
    controller.load();
    EXPECT_EQ(names(controller), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(controller.styleList()[0].StyleName1.size(), 11u);

    using C = HeaderColour;
    struct Step {
        int button;
        std::string order;
        std::array<C, 5> colours;
        std::vector<std::string> names;
    };
    const std::vector<Step> steps = {
        {1,
         "STYLENAME1",
         {C::Normal, C::Ascending, C::Normal, C::Normal, C::Normal},
         {"Alpha", "Bravo", "Charlie"}},
        {1,
         "STYLENAME1 DESC",
         {C::Normal, C::Descending, C::Normal, C::Normal, C::Normal},
         {"Charlie", "Bravo", "Alpha"}},
        {1,
         "",
         {C::Normal, C::Normal, C::Normal, C::Normal, C::Normal},
         {"Alpha", "Bravo", "Charlie"}},
        {1,
         "STYLENAME1",
         {C::Normal, C::Ascending, C::Normal, C::Normal, C::Normal},
         {"Alpha", "Bravo", "Charlie"}},
        {3,
         "STYLEFAMILY",
         {C::Normal, C::Normal, C::Normal, C::Ascending, C::Normal},
         {"Charlie", "Alpha", "Bravo"}},
    };
    for (const Step& step : steps) {
        controller.headerClicked(step.button);
        EXPECT_EQ(env.state.StyleListOrder, step.order);
        EXPECT_EQ(env.state.StyleFilterValues[6], step.order);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(controller.headerColour(i), step.colours[static_cast<std::size_t>(i)])
                << step.order << " button " << i;
        }
        EXPECT_EQ(names(controller), step.names) << step.order;
    }

    // The filter window sets an order: the header of that column takes its colour.
    env.state.StyleListOrder = "STYLECAT DESC";
    controller.filterWindowClosed();
    EXPECT_EQ(controller.headerColour(3), C::Normal);
    EXPECT_EQ(controller.headerColour(4), C::Descending);
    env.state.StyleListOrder = "STYLECAT DESC, STYLENAME1";
    controller.filterWindowClosed();
    EXPECT_EQ(controller.headerColour(4), C::Normal);
}

TEST(StyleList, FilterTextsAreBoundAndPaddedNamesMatchExactly) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    addStyle(db, 41, "O'NEIL RAP");
    addStyle(db, 42, "o'neill");
    addStyle(db, 43, "ONEIL");
    addStyle(db, 44, std::string("ROCK1\0\0\0\0\0\0", 11));
    addStyle(db, 45, "Rock1      ");
    addStyle(db, 46, std::string("ROCK1 \0 \0  ", 11));
    addStyle(db, 47, "ROCK12");
    addStyle(db, 48, std::string("ROCK1\0X", 7));
    addStyle(db, 49, "ROCK");
    addStyle(db, 50, "x'OR'1'='1", "", "x' OR 'a'='a");

    StylesController controller(env.state, env.dialogs);
    StyleFilterController filter(env.state);
    auto listFor = [&](int field, const std::string& text) {
        filter.load();
        filter.resetFields();
        filter.fields[static_cast<std::size_t>(field)] = text;
        filter.setFilterOn();
        controller.filterWindowClosed();
        std::vector<std::int32_t> progs;
        for (const StyleListRow& row : controller.styleList()) {
            progs.push_back(row.StyleProg);
        }
        return progs;
    };
    EXPECT_EQ(listFor(0, "O'NEIL%"), (std::vector<std::int32_t>{41, 42}));
    EXPECT_EQ(listFor(0, "rock1"), (std::vector<std::int32_t>{44, 45, 46}));
    EXPECT_EQ(listFor(0, "ROCK"), (std::vector<std::int32_t>{49}));
    EXPECT_EQ(env.state.StyleListWhere.find("ROCK"), std::string::npos);
    // Typed text never changes the statement: it is compared, not run.
    EXPECT_EQ(listFor(0, "x'OR'1'='1"), (std::vector<std::int32_t>{50}));
    EXPECT_EQ(listFor(2, "x' OR 'a'='a"), (std::vector<std::int32_t>{50}));
    EXPECT_EQ(env.state.StyleListWhere, "STYLEFAMILY = pStyleFamily");
    EXPECT_EQ(listFor(1, "a' --"), (std::vector<std::int32_t>{}));
    EXPECT_EQ(controller.countCaption(), "No style available");
}

TEST(StyleList, ADescendingSortKeyStaysDescendingWhenTheFilterOpensAgain) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    StyleFilterController filter(env.state);
    filter.load();
    EXPECT_EQ(filter.orderChoices[0], "<NOTHING>");
    filter.orderChoices[1] = "GROUP";
    filter.descending[1] = true;
    filter.setFilterOn();
    EXPECT_EQ(env.state.StyleListOrder, "STYLECAT DESC");

    StyleFilterController again(env.state);
    again.load();
    EXPECT_EQ(again.orderChoices[1], "GROUP");
    EXPECT_TRUE(again.descending[1]);
    again.setFilterOn();
    EXPECT_EQ(env.state.StyleListOrder, "STYLECAT DESC");

    // A header sort carries its direction in the sort text: descending shows ticked, and an
    // ascending one is not turned round by an older tick.
    env.state.StyleFilterValues[6] = "STYLENAME1 DESC";
    again.load();
    EXPECT_EQ(again.orderChoices[0], "NAME");
    EXPECT_TRUE(again.descending[0]);
    again.setFilterOn();
    EXPECT_EQ(env.state.StyleListOrder, "STYLENAME1 DESC, STYLECAT DESC");
    StylesController controller(env.state, env.dialogs);
    env.state.StyleListOrder = "STYLEDESC DESC";
    controller.headerClicked(1);
    again.load();
    EXPECT_EQ(again.orderChoices[0], "NAME");
    EXPECT_FALSE(again.descending[0]);
}

TEST(StyleList, MenuRulesAndTheirEnabledStates) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    StylesController controller(env.state, env.dialogs);
    controller.load();
    using S = StylesController;
    EXPECT_FALSE(controller.styleMenuRuleMet(S::UpdateGroup));
    EXPECT_FALSE(controller.styleMenuRuleMet(S::LinkSongs));
    EXPECT_TRUE(controller.styleMenuRuleMet(S::ImportFromSsf));
    // Each command follows its rule; the separators never enable.
    auto enabled = [&controller] {
        std::vector<int> items;
        for (int i = 0; i < S::kStyleMenuCount; ++i) {
            if (controller.styleMenuEnabled(i)) {
                items.push_back(i);
            }
        }
        return items;
    };
    EXPECT_EQ(enabled(), (std::vector<int>{S::ImportFromSsf, S::SetFilter, S::ResetFilter}));
    addStyle(env.state.connection, 3, "ONE");
    controller.requery();
    EXPECT_TRUE(controller.styleMenuRuleMet(S::DeleteGroup));
    EXPECT_TRUE(controller.styleMenuRuleMet(S::WhereIs));
    env.state.KorgUtilityPath = "  ";
    EXPECT_EQ(enabled(),
              (std::vector<int>{S::UpdateGroup, S::DeleteGroup, S::ExportToSsf, S::ImportFromSsf,
                                S::SetFilter, S::ResetFilter, S::WhereIs, S::LinkSongs}));
    env.state.KorgUtilityPath = "/opt/korg/util";
    EXPECT_EQ(enabled(), (std::vector<int>{S::UpdateGroup, S::DeleteGroup, S::ExportToSsf,
                                           S::ImportFromSsf, S::SetFilter, S::ResetFilter,
                                           S::WhereIs, S::SendToKorgUtility, S::LinkSongs}));

    controller.recordSelection(6, 2);
    EXPECT_EQ(controller.selectedRowFirst(), 2);
    EXPECT_EQ(controller.selectedRowLast(), 6);
}

TEST(StyleList, TheStylesCommandListsTheCatalogueThroughTheFilter) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    addStyle(db, 61, std::string("Rock A\0\0\0\0\0", 11), "Slow one", "Pop", "Ballad", "Me");
    addStyle(db, 62, "Rock B", "Fast one", "Zed", "Ballad", "You");
    addStyle(db, 63, "Swing", "", "Pop", "Ballad", "Me");
    const std::string path = env.state.DatabasePath;

    test::CliRun run = env.runCli({"--db", path, "styles", "--name", "rock%", "--group", "ballad",
                                   "--order", "family:desc,name"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "62\tRock B\tFast one\tZed\tBallad\tYou\t2026/12/06\n"
              "61\tRock A\tSlow one\tPop\tBallad\tMe\t2026/12/06\n");
    run = env.runCli({"--db", path, "styles", "--author", "ME", "--order", "description"});
    EXPECT_EQ(run.out.substr(0, 3), "63\t");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2);
    run = env.runCli({"--db", path, "styles", "--file", "OTHER.STY"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(env.runCli({"--db", path, "styles", "--order", "tempo"}).status, kExitUsage);
    EXPECT_EQ(env.runCli({"--db", path, "styles", "--name"}).status, kExitUsage);
}

}  // namespace
}  // namespace orb
