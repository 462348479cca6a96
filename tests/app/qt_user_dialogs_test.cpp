#include <gtest/gtest.h>

#include "widgets/qt_user_dialogs.h"

namespace orb {
namespace {

TEST(QtUserDialogs, FiltersMatchBothLetterCasesAndAlwaysOfferAllFiles) {
    EXPECT_EQ(QtUserDialogs::toQtFilter("ORB Database (*.MDB)|*.MDB"),
              "ORB Database (*.MDB *.mdb);;All files (*)");
    EXPECT_EQ(QtUserDialogs::toQtFilter("Single Style File (*.SSF)|*.SSF| All files (*.*)|*.*"),
              "Single Style File (*.SSF *.ssf);;All files (*)");
    EXPECT_EQ(QtUserDialogs::toQtFilter("Programs|*"), "Programs (*)");
}

}  // namespace
}  // namespace orb
