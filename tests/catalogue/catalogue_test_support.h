#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "db/db_korf_bank.h"
#include "db/db_korf_style.h"
#include "support/test_environment.h"

namespace orb::test {

// The child of a window by its object name; a missing one fails the test.
template <typename T>
T* child(QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

// Stores a catalogue row with the given descriptive columns; its two blocks are made from the
// style number, so that each style's bytes are its own.
void addStyle(Database& db, std::int32_t prog, const std::string& name,
              const std::string& desc = "", const std::string& family = "",
              const std::string& cat = "", const std::string& author = "");

// A small catalogue whose style numbers (41, 57, 73, 88) differ from every slot position and
// bank number: two banks (5 and 9) and two songs (301, 302) with links.
class CatalogueTest : public ::testing::Test {
public:
    using Slots = std::array<std::int32_t, DbKORFBank::kSlotCount>;
    using Link = std::tuple<std::int32_t, std::int32_t, std::string, std::string, std::string>;

    void SetUp() override;

    Database& db() { return env.state.connection; }

    void addStyle(std::int32_t prog, const std::string& name, const std::string& family,
                  const std::string& cat, const std::string& author);
    void addBank(std::int32_t prog, const std::vector<std::int32_t>& styles);
    void addLink(std::int32_t song, std::int32_t style, const std::string& tempo,
                 const std::string& transpose, const std::string& note);

    std::vector<std::int32_t> styleNumbers();
    Slots slotsOf(std::int32_t bankProg);
    std::vector<Link> links();
    KORFStylesRow storedStyle(std::int32_t prog);
    // Everything the group commands may change, to show that a refused change left it all.
    std::string snapshot();
    // The database refuses to write anything about style `prog` in `table`.
    void refuseUpdatesOf(const std::string& table, std::int32_t prog);

    TestEnvironment env;
};

}  // namespace orb::test
