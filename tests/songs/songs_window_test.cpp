#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/windows/gui_main.h"
#include "catalogue/windows/styles_window.h"
#include "songs/windows/link_edit_window.h"
#include "songs/windows/song_import_window.h"
#include "songs/windows/song_links_window.h"
#include "songs/windows/songs_window.h"
#include "songs_fixture.h"

namespace orb::test {
namespace {

class SongsWindowTest : public SongsTest {};

TEST_F(SongsWindowTest, WindowsRenderTheirControllersAndForwardClicks) {
    EXPECT_TRUE(static_cast<bool>(mainWindowFactories(env.state, env.dialogs).songs));

    SongsWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.windowTitle(), "ORB 2.31 - Songs Management");
    auto* grid = window.findChild<QTableView*>("grSongs");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 5);
    EXPECT_TRUE(grid->isColumnHidden(0));
    EXPECT_TRUE(grid->isColumnHidden(3));
    // Each header shows its caption whole and keeps its column's width.
    const int columnOfHeader[6] = {1, 2, 4, 5, 6, 7};
    for (int i = 0; i < 6; ++i) {
        auto* header = window.findChild<QPushButton*>(QString("cmdHeader%1").arg(i));
        EXPECT_GE(header->width(), header->sizeHint().width()) << i;
        EXPECT_EQ(header->width(), grid->columnWidth(columnOfHeader[i])) << i;
    }
    auto* title = window.findChild<QPushButton*>("cmdHeader0");
    QTest::mouseClick(title, Qt::LeftButton);
    EXPECT_EQ(title->palette().color(QPalette::Button), QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "Alone");
    EXPECT_EQ(grid->model()->index(4, 5).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignVCenter | Qt::AlignRight));
    // Delete of the one selected row forwards without a question.
    grid->setCurrentIndex(grid->model()->index(0, 1));
    window.findChild<QAction*>("mSongs2")->trigger();
    EXPECT_EQ(grid->model()->rowCount(), 4);

    SongLinksWindow links(env.state, env.dialogs, LinkSubject::Song, 301, "Yesterday (Beatles)");
    links.show();
    EXPECT_EQ(links.windowTitle(), "Styles linked to song Yesterday (Beatles)");
    auto* linked = links.findChild<QTableView*>("grData2");
    EXPECT_EQ(linked->model()->headerData(4, Qt::Horizontal).toString(), "Transposition");
    EXPECT_TRUE(linked->horizontalHeader()->isVisible());
    EXPECT_EQ(linked->model()->rowCount(), 3);
    auto* available = links.findChild<QTableView*>("grData1");
    available->setCurrentIndex(available->model()->index(1, 1));
    QTest::mouseClick(links.findChild<QPushButton*>("cmdBank0"), Qt::LeftButton);
    EXPECT_EQ(linked->model()->rowCount(), 4);

    SongImportWindow import(env.state, env.dialogs);
    auto* separators = import.findChild<QComboBox*>("Combo1");
    EXPECT_EQ(separators->count(), 6);
    EXPECT_EQ(separators->currentText(), ";");
    EXPECT_EQ(import.findChild<QComboBox*>("cmbFields11")->itemText(0), "< skip >");
    EXPECT_FALSE(import.findChild<QPushButton*>("cmdOk")->isEnabled());
    import.findChild<QLineEdit*>("txtFolder")->setText("/nowhere/songs.txt");
    EXPECT_TRUE(import.findChild<QPushButton*>("cmdOk")->isEnabled());

    StylesWindow styles(env.state, env.dialogs);
    styles.show();
    EXPECT_TRUE(styles.findChild<QAction*>("mStyles12")->isEnabled());

    // The File menu's Exit closes the songs window.
    EXPECT_TRUE(window.findChild<QAction*>("mFile1")->isSeparator());
    window.findChild<QAction*>("mFile4")->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

// The link edit window hands back the edited values after "Ok" only.
TEST_F(SongsWindowTest, TheLinkEditWindowForwardsToItsController) {
    LinkEditWindow window("Yesterday (Beatles)", {"intro", "120", "+2"});
    EXPECT_EQ(window.windowTitle(), "Yesterday (Beatles)");
    auto* tempo = window.findChild<QLineEdit*>("txtField1");
    ASSERT_NE(tempo, nullptr);
    EXPECT_EQ(window.findChild<QLineEdit*>("txtField0")->text(), "intro");
    EXPECT_EQ(tempo->text(), "120");
    EXPECT_EQ(window.findChild<QLineEdit*>("txtField2")->text(), "+2");
    EXPECT_EQ(tempo->maxLength(), LinkEditController::maxLength(LinkEditController::Field::Tempo));
    tempo->setText("96");
    EXPECT_FALSE(window.controller().result());
    window.findChild<QPushButton*>("cmdOk")->click();
    EXPECT_EQ(window.controller().result(), (LinkValues{"intro", "96", "+2"}));

    LinkEditWindow cancelled("Alone ()", {"", "", ""});
    cancelled.findChild<QLineEdit*>("txtField0")->setText("not kept");
    cancelled.findChild<QPushButton*>("cmdExit")->click();
    EXPECT_FALSE(cancelled.controller().result());
}

}  // namespace
}  // namespace orb::test
