#include <gtest/gtest.h>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/style_filter.h"
#include "catalogue/style_list.h"
#include "catalogue/styles_controller.h"
#include "cli/cli.h"

namespace orb {
namespace {

using test::addStyle;

std::vector<std::string> names(const StylesController& controller) {
    std::vector<std::string> out;
    for (int row = 0; row < controller.rowCount(); ++row) {
        out.push_back(controller.cell(row, 1));
    }
    return out;
}

using StyleList = test::FreshCatalogueTest;

TEST_F(StyleList, TheFilterExampleSelectsAndOrdersTheCatalogue) {
    addStyle(db(), 31, "RockBeat", "", "Pop", "Ballad");
    addStyle(db(), 32, "Rock Slow", "  Late night ", "Jazz", "BALLAD");
    addStyle(db(), 33, "RockTwo", "", "Pop", "Ballad");
    addStyle(db(), 34, "Rock Fast", "", "Pop", "Dance");
    addStyle(db(), 35, "Slow Rock", "", "Zen", "Ballad");
    addStyle(db(), 36, "ROCKAWAY", "", "Pop", "Ballads");

    // A blank text gives no condition; a descending box without a column is passed over; the
    // same column twice is kept twice.
    StyleFilterController filter(env.state);
    filter.load();
    filter.setField(0, " rock% ");
    filter.setField(3, "ballad");
    filter.setField(4, "  ");
    filter.setOrderChoice(0, "FAMILY");
    filter.setDescending(0, true);
    filter.setOrderChoice(1, "NAME");
    filter.setDescending(2, true);
    filter.setOrderChoice(3, "name");
    filter.setDescending(3, true);
    filter.setFilterOn();
    const StyleQuery& query = env.state.styleQuery;
    EXPECT_EQ(query.filters,
              (std::array<std::string, kStyleColumnCount>{"ROCK%", "", "", "BALLAD", "", ""}));
    const std::vector<StyleSortKey> order = {
        {StyleColumn::Family, true}, {StyleColumn::Name, false}, {StyleColumn::Name, true}};
    EXPECT_EQ(query.order, order);

    StylesController controller(env.state, env.dialogs);
    controller.load();
    EXPECT_EQ(names(controller), (std::vector<std::string>{"RockBeat", "RockTwo", "Rock Slow"}));
    EXPECT_EQ(controller.cell(2, 0), "32");
    EXPECT_EQ(controller.cell(2, 2), "Late night");  // shown without the blanks around it
    EXPECT_EQ(controller.cell(2, 3), "Jazz");
    EXPECT_EQ(controller.cell(2, 4), "BALLAD");
    EXPECT_EQ(controller.countCaption(), " 3 styles available - Database filtering is active ");

    // Reset Filter lists everything again in the order the filter chose.
    controller.resetFilter();
    EXPECT_EQ(query.order, order);
    EXPECT_FALSE(query.filtered());
    EXPECT_EQ(names(controller), (std::vector<std::string>{"Slow Rock", "Rock Fast", "ROCKAWAY",
                                                           "RockBeat", "RockTwo", "Rock Slow"}));
    EXPECT_EQ(controller.countCaption(), " 6 styles available ");
    EXPECT_FALSE(env.dialogs.waitCursor());
}

TEST_F(StyleList, HeaderButtonsCycleTheOrderAndTheirColours) {
    addStyle(db(), 7, "Bravo", "", "Zeta");
    addStyle(db(), 5, std::string("Alpha\0\0\0\0\0\0", 11), "", "Beta");
    addStyle(db(), 9, "Charlie", "", "Alpha");
    StylesController controller(env.state, env.dialogs);
    controller.load();
    EXPECT_EQ(names(controller), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(controller.styleList()[0].StyleName1.size(), 11u);

    using C = HeaderColour;
    using Keys = std::vector<StyleSortKey>;
    struct Step {
        int button;
        Keys order;
        int coloured;  // the one header not in the normal colour, if any
        C colour;
        std::vector<std::string> names;
    };
    const std::vector<Step> steps = {
        {1, {{StyleColumn::Name, false}}, 1, C::Ascending, {"Alpha", "Bravo", "Charlie"}},
        {1, {{StyleColumn::Name, true}}, 1, C::Descending, {"Charlie", "Bravo", "Alpha"}},
        {1, {}, -1, C::Normal, {"Alpha", "Bravo", "Charlie"}},
        {1, {{StyleColumn::Name, false}}, 1, C::Ascending, {"Alpha", "Bravo", "Charlie"}},
        {3, {{StyleColumn::Family, false}}, 3, C::Ascending, {"Charlie", "Alpha", "Bravo"}},
    };
    for (const Step& step : steps) {
        controller.headerClicked(step.button);
        EXPECT_EQ(env.state.styleQuery.order, step.order);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(controller.headerColour(i), i == step.coloured ? step.colour : C::Normal)
                << step.button << " button " << i;
        }
        EXPECT_EQ(names(controller), step.names) << step.button;
    }

    // An order from the filter window colours its column's header when it is the only key.
    env.state.styleQuery.order = {{StyleColumn::Group, true}};
    controller.filterWindowClosed();
    EXPECT_EQ(controller.headerColour(3), C::Normal);
    EXPECT_EQ(controller.headerColour(4), C::Descending);
    env.state.styleQuery.order = {{StyleColumn::Group, true}, {StyleColumn::Name, false}};
    controller.filterWindowClosed();
    EXPECT_EQ(controller.headerColour(4), C::Normal);
    // A header click replaces a longer order by its column.
    controller.headerClicked(2);
    EXPECT_EQ(env.state.styleQuery.order, (Keys{{StyleColumn::Description, false}}));
}

TEST_F(StyleList, FilterTextsAreBoundAndPaddedNamesMatchExactly) {
    addStyle(db(), 41, "O'NEIL RAP");
    addStyle(db(), 42, "o'neill");
    addStyle(db(), 43, "ONEIL");
    addStyle(db(), 44, std::string("ROCK1\0\0\0\0\0\0", 11));
    addStyle(db(), 45, "Rock1      ");
    addStyle(db(), 46, std::string("ROCK1 \0 \0  ", 11));
    addStyle(db(), 47, "ROCK12");
    // A name with a code-0 character inside, as a hand-made change to the database could leave it.
    db().execute("INSERT INTO KORFStyles (StyleProg, StyleName1) VALUES (48, pName)",
                 {std::string("ROCK1\0X", 7)});
    addStyle(db(), 49, "ROCK");
    addStyle(db(), 50, "x'OR'1'='1", "", "x' OR 'a'='a");

    StylesController controller(env.state, env.dialogs);
    StyleFilterController filter(env.state);
    auto listFor = [&](int field, const std::string& text) {
        filter.load();
        filter.resetFields();
        filter.setField(static_cast<std::size_t>(field), text);
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
    // Typed text never changes the statement: it is compared, not run.
    EXPECT_EQ(listFor(0, "x'OR'1'='1"), (std::vector<std::int32_t>{50}));
    EXPECT_EQ(listFor(2, "x' OR 'a'='a"), (std::vector<std::int32_t>{50}));
    EXPECT_EQ(listFor(1, "a' --"), (std::vector<std::int32_t>{}));
    EXPECT_EQ(controller.countCaption(), "No style matches the filter");
}

TEST_F(StyleList, TheFilterWindowShowsTheRunsOrderWhenItOpensAgain) {
    StyleFilterController filter(env.state);
    filter.load();
    EXPECT_EQ(filter.orderChoice(0), "<NOTHING>");
    filter.setOrderChoice(1, "GROUP");
    filter.setDescending(1, true);
    filter.setField(2, "pop");
    filter.setFilterOn();
    EXPECT_EQ(env.state.styleQuery.order, (std::vector<StyleSortKey>{{StyleColumn::Group, true}}));

    StyleFilterController again(env.state);
    again.load();
    EXPECT_EQ(again.field(2), "POP");
    EXPECT_EQ(again.orderChoice(0), "GROUP");
    EXPECT_TRUE(again.descending(0));
    EXPECT_EQ(again.orderChoice(1), "<NOTHING>");
    again.setFilterOn();
    EXPECT_EQ(env.state.styleQuery.order, (std::vector<StyleSortKey>{{StyleColumn::Group, true}}));

    // A header sort shows as the first key, descending ticked or not as it sorts.
    StylesController controller(env.state, env.dialogs);
    controller.headerClicked(1);
    again.load();
    EXPECT_EQ(again.orderChoice(0), "NAME");
    EXPECT_FALSE(again.descending(0));
}

TEST_F(StyleList, MenuRulesAndTheirEnabledStates) {
    StylesController controller(env.state, env.dialogs);
    controller.load();
    using S = StyleCommand;
    auto enabled = [&controller] {
        std::vector<S> items;
        for (const S command : kStyleCommands) {
            if (controller.styleMenuEnabled(command)) {
                items.push_back(command);
            }
        }
        return items;
    };
    EXPECT_EQ(enabled(), (std::vector<S>{S::ImportFromSsf, S::SetFilter, S::ResetFilter}));
    addStyle(db(), 3, "ONE");
    controller.requery();
    env.state.KorgUtilityPath = "  ";
    EXPECT_EQ(enabled(),
              (std::vector<S>{S::UpdateGroup, S::DeleteGroup, S::ExportToSsf, S::ImportFromSsf,
                              S::SetFilter, S::ResetFilter, S::WhereIs, S::LinkSongs}));
    env.state.KorgUtilityPath = "/opt/korg/util";
    EXPECT_EQ(enabled(), (std::vector<S>{S::UpdateGroup, S::DeleteGroup, S::ExportToSsf,
                                         S::ImportFromSsf, S::SetFilter, S::ResetFilter, S::WhereIs,
                                         S::SendToKorgUtility, S::LinkSongs}));
}

// The linking window's caption: the name as the grid shows it (without code-0 padding) and the
// description in brackets when there is one.
TEST_F(StyleList, TheSongLinkCaptionNamesTheStyleOfTheRow) {
    addStyle(db(), 47, std::string("WALTZ") + std::string(6, '\0'), "Slow 3/4");
    addStyle(db(), 83, "POLKA", "  ");
    StylesController controller(env.state, env.dialogs);
    controller.load();
    ASSERT_EQ(controller.rowCount(), 2);
    for (const auto& [row, prog, caption] :
         {std::tuple{0, 47, "WALTZ (Slow 3/4)"}, std::tuple{1, 83, "POLKA"}}) {
        const std::optional<StyleLinkRequest> request = controller.linkRequest(row);
        ASSERT_TRUE(request);
        EXPECT_EQ(request->StyleProg, prog);
        EXPECT_EQ(request->caption, caption);
    }
    EXPECT_FALSE(controller.linkRequest(2));
    EXPECT_FALSE(controller.linkRequest(-1));
}

TEST_F(StyleList, TheStylesCommandListsTheCatalogueThroughTheFilter) {
    addStyle(db(), 61, std::string("Rock A\0\0\0\0\0", 11), "Slow one", "Pop", "Ballad", "Me");
    addStyle(db(), 62, "Rock B", "Fast one", "Zed", "Ballad", "You");
    addStyle(db(), 63, "Swing", "", "Pop", "Ballad", "Me");
    EXPECT_EQ(said(runOnFile({"styles", "--name", "rock%", "--group", "ballad", "--order",
                              "family:desc,name"})),
              test::told("62\tRock B\tFast one\tZed\tBallad\tYou\t2026/12/06\n"
                         "61\tRock A\tSlow one\tPop\tBallad\tMe\t2026/12/06"));
    EXPECT_EQ(said(runOnFile({"styles", "--author", "ME", "--order", "description"})),
              test::told("63\tSwing\t\tPop\tBallad\tMe\t2026/12/06\n"
                         "61\tRock A\tSlow one\tPop\tBallad\tMe\t2026/12/06"));
    EXPECT_EQ(said(runOnFile({"styles", "--file", "OTHER.STY"})), (test::Said{0, "", ""}));
    EXPECT_EQ(runOnFile({"styles", "--order", "tempo"}).status, kExitUsage);
    EXPECT_EQ(runOnFile({"styles", "--name"}).status, kExitUsage);
    EXPECT_EQ(runOnFile({"styles", "--order", "name,name,name,name,name,name,name"}).status,
              kExitUsage);
}

}  // namespace
}  // namespace orb
