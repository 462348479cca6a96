#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "db/style_store.h"
#include "state/app_state.h"
#include "support/link_rows.h"
#include "support/query_column.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"

namespace orb::test {

// A song catalogue whose numbers differ from every row position and count: styles 41 (ROCK1
// padded with six blanks), 57 (BALLAD), 73 (SWING) and 88 (Rock1 padded with code-0
// characters); song 301 with three links, 302 without links, 303 linked to the deleted style 99.
class SongsTest : public ::testing::Test {
public:
    using Link = LinkRow;
    using Texts = std::vector<std::string>;
    // The links of the catalogue as set up, in the order they are stored.
    inline static const std::vector<Link> kStartLinks = {{301, 57, "70", "-1", "first"},
                                                         {301, 41, "120", "+2", "intro"},
                                                         {301, 73, "140", "+1", "second"},
                                                         {303, 99, "90", "0", "gone"}};

    void SetUp() override {
        env.openFreshDatabase();
        env.state.FloppyPath = (env.dir.path() / "floppy").string();
        addStyle(41, "ROCK1      ");
        addStyle(57, "BALLAD");
        addStyle(73, "SWING");
        addStyle(88, std::string("Rock1") + std::string(6, '\0'));
        addSong(301, "Yesterday", "Beatles");
        addSong(302, "Alone", "");
        addSong(303, "Its me", "Nobody");
        for (const Link& link : kStartLinks) {
            addLinkRow(db(), link);
        }
    }

    Database& db() { return env.state.connection; }

    void addStyle(std::int32_t prog, const std::string& name) {
        StyleRow style;
        style.StyleProg = prog;
        style.StyleName1 = name;
        style.StyleName2 = "SECOND" + std::to_string(prog);
        style.StyleContent1 = makeChunk(static_cast<std::size_t>(prog) * 3, prog);
        style.StyleContent2 = makeChunk(static_cast<std::size_t>(prog) + 5, prog + 1000);
        style.StyleLength1 = static_cast<std::int32_t>(style.StyleContent1.size());
        style.StyleLength2 = static_cast<std::int32_t>(style.StyleContent2.size());
        StyleStore(db()).insertNumbered(style);
    }

    void addSong(std::int32_t code, const std::string& title, const std::string& performer) {
        db().execute("INSERT INTO KORFSongs (SongCode,SongTitle,SongPerformer) VALUES (pC,pT,pP)",
                     {code, title, performer});
    }

    std::vector<Link> links() { return linkRows(db()); }

    // The links of the catalogue as set up, with `added` and without those to song and style
    // `removed`, in stored order.
    static std::vector<Link> startLinksWith(std::vector<Link> added,
                                            std::vector<std::pair<int, int>> removed = {}) {
        std::vector<Link> all = kStartLinks;
        std::erase_if(all, [&](const Link& link) {
            return std::ranges::count(removed, std::pair{std::get<0>(link), std::get<1>(link)});
        });
        all.insert(all.end(), added.begin(), added.end());
        std::ranges::sort(all);
        return all;
    }

    // "code:title/performer" of every stored song in code order.
    Texts songs() {
        return column(db(),
                      "SELECT SongCode || ':' || ifnull(SongTitle, '') || '/' || "
                      "ifnull(SongPerformer, '') FROM KORFSongs ORDER BY SongCode");
    }

    TestEnvironment env;
};

}  // namespace orb::test
