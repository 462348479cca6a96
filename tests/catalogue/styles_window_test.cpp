#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/windows/main_window.h"
#include "catalogue/catalogue_test_support.h"
#include "catalogue/style_list_print.h"
#include "catalogue/windows/bank_pane.h"
#include "catalogue/windows/check_window.h"
#include "catalogue/windows/group_edit_window.h"
#include "catalogue/windows/lookalikes_window.h"
#include "catalogue/windows/style_edit_window.h"
#include "catalogue/windows/style_filter_window.h"
#include "catalogue/windows/styles_window.h"
#include "stylefiles/windows/style_import_window.h"
#include "widgets/qt_print_service.h"

namespace orb {
namespace {

using test::child;

// Runs `work` on the modal window that `open` brings up.
template <typename Window>
void onModal(const std::function<void()>& open, const std::function<void(Window&)>& work) {
    bool seen = false;
    QTimer timer;  // of this scope: it cannot outlive a test whose window never came up
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* modal = qobject_cast<Window*>(QApplication::activeModalWidget());
        ASSERT_NE(modal, nullptr);
        seen = true;
        work(*modal);
    });
    timer.start(0);
    open();
    EXPECT_TRUE(seen);
}

using StylesWindowTest = test::FreshCatalogueTest;

TEST_F(StylesWindowTest, LayoutMenusGridSortingSelectionAndTheFilterWindow) {
    test::addStyle(db(), 12, std::string("Beta\0\0\0\0\0\0\0", 11), "Second", "Pop", "Ballad");
    test::addStyle(db(), 11, "Alpha", "First", "Rock", "Dance");
    test::addStyle(db(), 14, "Delta", "Fourth", "Jazz", "Swing");
    test::addStyle(db(), 13, "Gamma", "Third", "Latin", "Salsa");

    StylesWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.objectName(), "frmStyles");
    EXPECT_EQ(window.windowTitle(), "ORB 2.31 - Styles Management");
    EXPECT_EQ(child<QGroupBox>(window, "frStyle")->title(), " 4 styles available ");
    auto* grid = child<QTableView>(window, "grdStyles");
    EXPECT_TRUE(grid->isColumnHidden(0));
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->model()->index(1, 1).data().toString(), "Beta");
    const char* headers[5] = {"Style", "Name", "Description", "Family", "Group"};
    for (int i = 0; i < 5; ++i) {
        auto* button = child<QPushButton>(window, QString("cbTitle%1").arg(i));
        EXPECT_EQ(button->text(), headers[i]);
        EXPECT_EQ(button->isVisible(), i != 0);
    }

    EXPECT_EQ(child<QMenu>(window, "mTopFile")->title(), "&File");
    EXPECT_EQ(child<QMenu>(window, "mTopStyles")->title(), "&Styles");
    EXPECT_EQ(child<QMenu>(window, "mTopBank")->title(), "&Banks");
    const std::vector<std::tuple<const char*, const char*, const char*, bool>> items = {
        {"mFile0", "Import from Folder", "Ctrl+I", true},
        {"mFile1", "Import from STY file", "Ctrl+J", true},
        {"mFile3", "Print", "Ctrl+P", true},
        {"mFile5", "Exit", "Ctrl+Q", true},
        {"mStyles0", "Update (group)", "Ctrl+U", true},
        {"mStyles1", "Delete (group)", "Ctrl+D", true},
        {"mStyles3", "Export to SSF", "Ctrl+T", true},
        {"mStyles4", "Import from SSF", "Ctrl+F", true},
        {"mStyles6", "Set Filter", "Ctrl+S", true},
        {"mStyles7", "Reset Filter", "Ctrl+R", true},
        {"mStyles8", "Where is?", "Ctrl+W", true},
        {"mStyles10", "Send to Korg utility", "Ctrl+K", false},
        {"mStyles12", "Link Songs to selected Style", "Ctrl+L", true},
        {"mbank0", "Insert selected style(s) inside bank", "Shift+Ins", true},
        {"mbank1", "Remove selected style from bank", "Shift+Del", false},
        {"mbank2", "Move selected style up", "Shift+F2", false},
        {"mbank3", "Move selected style down", "F2", false},
        {"mbank5", "Erase bank", "F7", false},
        {"mbank7", "Save bank", "F8", false},
        {"mbank8", "Save bank as ...", "F9", false},
        {"mbank9", "Load bank", "F4", true},
        {"mbank11", "Export bank to SSF", "Ctrl+X", false},
        {"mbank13", "Make .STY file", "F5", false},
        {"mbank15", "Print bank", "F3", false},
    };
    for (const auto& [name, caption, shortcut, enabled] : items) {
        auto* action = child<QAction>(window, name);
        EXPECT_EQ(action->text(), caption) << name;
        EXPECT_EQ(action->shortcut(), QKeySequence(shortcut)) << name;
        EXPECT_EQ(action->isEnabled(), enabled) << name;
    }

    // "Name" sorts ascending in light red, then descending in light green.
    auto* name = child<QPushButton>(window, "cbTitle1");
    const QColor normal = name->palette().color(QPalette::Button);
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::mouseClick(name, Qt::LeftButton);
    EXPECT_EQ(name->palette().color(QPalette::Button), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "Gamma");
    QTest::mouseClick(child<QPushButton>(window, "cbTitle4"), Qt::LeftButton);
    EXPECT_EQ(child<QPushButton>(window, "cbTitle4")->palette().color(QPalette::Button),
              QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(name->palette().color(QPalette::Button), normal);
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "Beta");

    // A block selected downwards or upwards gives the same first and last row.
    auto* model = grid->model();
    for (const auto& [anchor, current] : {std::pair{1, 3}, std::pair{3, 1}}) {
        grid->setCurrentIndex(model->index(anchor, 1));
        grid->selectionModel()->select(QItemSelection(model->index(std::min(anchor, current), 0),
                                                      model->index(std::max(anchor, current), 4)),
                                       QItemSelectionModel::ClearAndSelect);
        grid->selectionModel()->setCurrentIndex(model->index(current, 1),
                                                QItemSelectionModel::NoUpdate);
        child<QAction>(window, "mStyles7")->trigger();
        EXPECT_EQ(window.controller().selectedRowFirst(), 1);
        EXPECT_EQ(window.controller().selectedRowLast(), 3);
    }

    // Set Filter: the filter window, each field as long as its column; a filter on the group.
    env.state.styleQuery.order = {{StyleColumn::Name, true}};
    onModal<StyleFilterWindow>(
        [&] { child<QAction>(window, "mStyles6")->trigger(); },
        [&](StyleFilterWindow& filter) {
            EXPECT_EQ(filter.windowTitle(), "Database filter setting");
            EXPECT_EQ(child<QComboBox>(filter, "cmdOrder0")->currentText(), "NAME");
            EXPECT_TRUE(child<QCheckBox>(filter, "chDesc0")->isChecked());
            EXPECT_EQ(child<QComboBox>(filter, "cmdOrder1")->count(), 7);
            child<QLineEdit>(filter, "txtField3")->setText("salsa");
            QTest::mouseClick(child<QPushButton>(filter, "cmdEmpty1"), Qt::LeftButton);
            EXPECT_EQ(child<QComboBox>(filter, "cmdOrder0")->currentText(), "<NOTHING>");
            EXPECT_FALSE(child<QCheckBox>(filter, "chDesc0")->isChecked());
            QTest::mouseClick(child<QPushButton>(filter, "cmdOk"), Qt::LeftButton);
        });
    EXPECT_EQ(env.state.styleQuery.filter(StyleColumn::Group), "SALSA");
    EXPECT_TRUE(env.state.styleQuery.order.empty());
    EXPECT_EQ(child<QGroupBox>(window, "frStyle")->title(),
              " 1 style available - Database filtering is active ");
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "Gamma");
    EXPECT_EQ(child<QPushButton>(window, "cbTitle4")->palette().color(QPalette::Button), normal);

    // mStyles 3 and 4 open the single style file windows over this one.
    for (const auto& [item, caption] : {std::pair{"mStyles3", "Styles export to SSF"},
                                        std::pair{"mStyles4", "Import from SSF"}}) {
        onModal<QDialog>([&] { child<QAction>(window, item)->trigger(); },
                         [&](QDialog& opened) {
                             EXPECT_EQ(opened.windowTitle(), caption);
                             EXPECT_TRUE(child<QRadioButton>(opened, "opStyle0")->isChecked());
                             opened.reject();
                         });
    }

    child<QAction>(window, "mFile5")->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(env.dialogs.calls().empty());
}

// The fixture's catalogue in a shown styles window; rows in style-number order: 41 ROCK1,
// 57 BALLAD, 73 SWING, 88 DISCO.
class StylesWindowCommandsTest : public test::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        window.show();
        grid = child<QTableView>(window, "grdStyles");
    }

    Texts row(int index) {
        Texts cells;
        for (int column = 0; column < 5; ++column) {
            cells.push_back(grid->model()->index(index, column).data().toString().toStdString());
        }
        return cells;
    }

    void doubleClickRow(int index) {
        // The view edits only when the double-click lands where the press did.
        const QPoint cell = grid->visualRect(grid->model()->index(index, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    }

    StylesWindow window{env.state, env.dialogs};
    QTableView* grid = nullptr;
};

TEST_F(StylesWindowCommandsTest, FileMenuImportRefillsTheGridOnlyWhenSomethingWasImported) {
    const auto bank = env.dir / "USER02.STY";
    test::writeFile(
        bank, test::StyFileBuilder()
                  .style(3, "TANGO", test::makeChunk(123, 9), "TANGO2", test::makeChunk(34, 10), 2)
                  .bytes());
    // Stored behind the window's back: it shows only when the list is read again.
    addStyle(99, "SAMBA", "Latin", "Dance", "Eve");
    using Import = StyleImportWindow;
    onModal<Import>([&] { child<QAction>(window, "mFile0")->trigger(); },
                    [](Import& import) {
                        EXPECT_EQ(child<QLabel>(import, "Label1")->text(), "Folder to scan");
                        QTest::mouseClick(child<QPushButton>(import, "cmdCancel"), Qt::LeftButton);
                    });
    EXPECT_EQ(grid->model()->rowCount(), 4);

    onModal<Import>(
        [&] { child<QAction>(window, "mFile1")->trigger(); },
        [&](Import& import) {
            EXPECT_EQ(child<QLabel>(import, "Label1")->text(), "File to search");
            child<QLineEdit>(import, "txtFolder")->setText(QString::fromStdString(bank.string()));
            QTest::mouseClick(child<QPushButton>(import, "cmdOk"), Qt::LeftButton);
            // The grid behind shows the new style at once, the import window still open.
            EXPECT_EQ(grid->model()->rowCount(), 6);
            QTest::mouseClick(child<QPushButton>(import, "cmdCancel"), Qt::LeftButton);
        });
    EXPECT_EQ(grid->model()->rowCount(), 6);
    EXPECT_EQ(row(4)[1], "SAMBA");
    EXPECT_EQ(row(5)[1], "TANGO      ");
}

TEST_F(StylesWindowCommandsTest, DoubleClickEditsTheStyleAndUpdatesItsRowInPlace) {
    // Stored behind the window's back: the row is updated in place, the list not read again.
    addStyle(99, "SAMBA", "Latin", "Dance", "Eve");
    QSignalSpy changed(grid->model(), &QAbstractItemModel::dataChanged);
    onModal<StyleEditWindow>([&] { doubleClickRow(1); },
                             [](StyleEditWindow& edit) {
                                 EXPECT_EQ(child<QLineEdit>(edit, "txtField0")->text(), "BALLAD");
                                 child<QLineEdit>(edit, "txtField0")->setText("SOUL");
                                 child<QLineEdit>(edit, "txtField3")->setText("Rhythm");
                                 QTest::mouseClick(child<QPushButton>(edit, "cbUpdate"),
                                                   Qt::LeftButton);
                             });
    EXPECT_EQ(row(1), (Texts{"57", "SOUL", "Description of BALLAD", "Slow", "Rhythm"}));
    EXPECT_EQ(grid->model()->rowCount(), 4);
    // The view repaints that row.
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST_F(StylesWindowCommandsTest, GroupDeleteOverABlockSelectedUpwards) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(2, 1)).center());
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    env.dialogs.answer(UserDialogs::Answer::Yes);
    child<QAction>(window, "mStyles1")->trigger();
    // The three rows from the third up are deleted; the messages are the group delete's own.
    EXPECT_EQ(styleNumbers(), Numbers{88});
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(row(0)[1], "DISCO");
}

TEST_F(StylesWindowCommandsTest, ReopenedTheWindowKeepsItsCurrentRowInSight) {
    // A fresh window starts on the first row.
    EXPECT_EQ(grid->currentIndex().row(), 0);
    grid->setCurrentIndex(grid->model()->index(2, 1));  // 73 SWING
    child<QAction>(window, "mFile5")->trigger();
    ASSERT_FALSE(window.isVisible());
    // Meanwhile a style comes in before it: the window finds SWING's new row.
    addStyle(60, "MAMBO", "Latin", "Dance", "Eve");
    window.show();
    ASSERT_EQ(grid->model()->rowCount(), 5);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    EXPECT_EQ(row(3)[1], "SWING");
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(3, {}));
    EXPECT_TRUE(grid->viewport()->rect().intersects(grid->visualRect(grid->currentIndex())));
    // Gone since: the first row.
    child<QAction>(window, "mFile5")->trigger();
    db().execute("DELETE FROM KORFStyles WHERE StyleProg = 73");
    window.show();
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

TEST_F(StylesWindowCommandsTest, ColumnsShowElevenLettersFollowTheirHeadersAndStretch) {
    const QSize opened = window.size();
    const QFontMetrics metrics = grid->fontMetrics();
    EXPECT_GE(grid->columnWidth(1), metrics.horizontalAdvance("WWWWWWWWWWW"));
    window.resize(900, 500);
    QApplication::processEvents();
    const int narrow = grid->columnWidth(2);
    window.resize(1300, 500);
    QApplication::processEvents();
    // The description takes the room the window gives; the others keep theirs.
    EXPECT_GE(grid->columnWidth(2), narrow + 300);
    int total = 0;
    for (int column = 1; column < 5; ++column) {
        auto* header = child<QPushButton>(window, QString("cbTitle%1").arg(column));
        EXPECT_EQ(header->width(), grid->columnWidth(column)) << column;
        EXPECT_GE(header->width(), header->sizeHint().width()) << column;
        total += grid->columnWidth(column);
    }
    EXPECT_EQ(total, grid->viewport()->width());

    // Neither a wide window nor a long bank description keeps the window wider than it opened.
    window.bank().currentBank().markStored({1, "LONG", std::string(200, 'D'), {}});
    window.findChild<BankPane*>("frBank")->render();
    QApplication::processEvents();
    EXPECT_LE(window.minimumSizeHint().width(), opened.width());
    window.resize(opened);
    QApplication::processEvents();
    EXPECT_EQ(window.size(), opened);
    EXPECT_EQ(child<QLabel>(window, "lbBankDesc")->text().size(), 200);
}

TEST_F(StylesWindowCommandsTest, PrintWithoutAPrinterWritesThePdfThePersonNames) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        GTEST_SKIP() << "a printer is installed, so the list would go to it";
    }
    const auto pdf = env.dir / "list.pdf";
    env.settings.set("LASTFOLDER", "PDF", env.dir.path().string());
    env.dialogs.file(pdf.string());
    child<QAction>(window, "mFile3")->trigger();
    ASSERT_EQ(env.dialogs.calls().size(), 1u);
    const auto& call = env.dialogs.calls()[0];
    EXPECT_EQ(call.kind, test::ScriptedDialogs::Call::Kind::SaveFile);
    EXPECT_EQ(call.text, "PDF file (*.pdf)|*.pdf|All files (*)|*");
    EXPECT_EQ(call.proposal, (env.dir / "Styles.pdf").string());
    EXPECT_EQ(test::readFile(pdf).rfind("%PDF-", 0), 0u);
}

TEST_F(StylesWindowCommandsTest, LookalikesFromTheStylesMenuAndTheGridAfterKeepingOne) {
    // A second ROCK1 with contents of its own, and a style the grid has not read yet.
    addStyle(99, "ROCK1", "Rock", "Pop", "Gus");
    addStyle(100, "SAMBA", "Latin", "Dance", "Eve");
    auto* lookalikes = child<QAction>(window, "mLookalikes");
    EXPECT_EQ(lookalikes->text(), "Look-alikes ...");
    onModal<LookalikesWindow>(
        [&] { lookalikes->trigger(); },
        [&](LookalikesWindow& found) {
            auto* rows = child<QTableView>(found, "grdLookalikes");
            ASSERT_EQ(rows->model()->rowCount(), 2);
            EXPECT_EQ(rows->model()->index(1, 0).data().toString(),
                      "1  ROCK1: 2 styles, 2 contents");
            EXPECT_EQ(rows->model()->headerData(5, Qt::Horizontal).toString(), "Banks");
            const int kept = rows->model()->index(0, 1).data().toInt() == 41 ? 0 : 1;
            rows->setCurrentIndex(rows->model()->index(kept, 2));
            child<QCheckBox>(found, "chkDeleteOthers")->setChecked(true);
            env.dialogs.answer(UserDialogs::Answer::Yes);
            QTest::mouseClick(child<QPushButton>(found, "cmdKeep"), Qt::LeftButton);
            EXPECT_TRUE(child<QLabel>(found, "lbNoLookalikes")->isVisible());
            EXPECT_FALSE(child<QPushButton>(found, "cmdKeep")->isEnabled());
            QTest::mouseClick(child<QPushButton>(found, "cmdExit"), Qt::LeftButton);
        });
    EXPECT_EQ(env.dialogs.messages().front(),
              "Keep style 41 ROCK1 and move every bank slot and song link of style 99 onto it? "
              "That style is deleted afterwards. ORB keeps a restore point first.");
    // Style 99 is gone from the catalogue, and the grid is read again at once.
    EXPECT_EQ(styleNumbers(), (Numbers{41, 57, 73, 88, 100}));
    ASSERT_EQ(grid->model()->rowCount(), 5);
    EXPECT_EQ(row(4)[0], "100");
}

using CheckWindows = test::FreshCatalogueTest;

TEST_F(CheckWindows, TheCheckWindowOpensFromTheFileMenuAndRepairs) {
    // Bank 8 names style 33, which is gone.
    test::addStyle(db(), 26, "ROCK1");
    BankStore(db()).insertNumbered({8, "LIVE", "", {33, 26}});
    MainWindow main(env.state, env.dialogs);
    auto* check = child<QAction>(main, "mCheck");
    EXPECT_EQ(check->text(), "Check catalogue ...");
    onModal<CheckWindow>(
        [&] { check->trigger(); },
        [&](CheckWindow& window) {
            EXPECT_EQ(window.windowTitle(), "Check catalogue");
            // The check runs once the window is painted; a failed wait must still close the window.
            auto* findings = window.findChild<QAbstractItemView*>("lstFindings")->model();
            if (!QTest::qWaitFor([&] { return findings->rowCount() > 0; }, 5000))
                window.close();
            ASSERT_EQ(findings->rowCount(), 1);
            EXPECT_EQ(findings->index(0, 0).data().toString(),
                      "Bank 8 LIVE: slot 1 holds style 33, which is no longer stored. Repair takes "
                      "it out of the bank (later slots move up).");
            EXPECT_EQ(child<QLabel>(window, "lbSummary")->text(), "1 finding; ORB can repair it.");
            auto* repair = child<QPushButton>(window, "cmdRepair");
            ASSERT_TRUE(repair->isEnabled());
            env.dialogs.answer(UserDialogs::Answer::No);
            QTest::mouseClick(repair, Qt::LeftButton);
            EXPECT_EQ(findings->rowCount(), 1);
            env.dialogs.answer(UserDialogs::Answer::Yes);
            QTest::mouseClick(repair, Qt::LeftButton);
            EXPECT_EQ(findings->rowCount(), 0);
            EXPECT_EQ(child<QLabel>(window, "lbSummary")->text(), "The catalogue is healthy.");
            EXPECT_FALSE(repair->isEnabled());
            QTest::mouseClick(child<QPushButton>(window, "cmdExit"), Qt::LeftButton);
        });
    EXPECT_EQ(slotsOf(8), (BankSlots{26}));
}

QLineEdit* box(QWidget& window, int index) {
    return child<QLineEdit>(window, QString("txtField%1").arg(index));
}

TEST(StyleEditWindow, ShowsTheStyleAndHandsBackTheBoxesOnUpdateOnly) {
    test::ScriptedDialogs dialogs;
    StyleEditWindow window(test::balladRow(), dialogs);
    window.show();
    EXPECT_EQ(window.objectName(), "frmStyleEdit");
    EXPECT_EQ(window.windowTitle(), "Style edit");
    EXPECT_EQ(child<QLabel>(window, "lbField0")->text(), "57");
    EXPECT_EQ(child<QLabel>(window, "lbField1")->text(), "1234");
    EXPECT_EQ(child<QLabel>(window, "lbField2")->text(), "2026/12/06");
    EXPECT_EQ(box(window, 4)->text(), "USER01.STY");

    box(window, 2)->setText("Soul");
    QTest::mouseClick(child<QPushButton>(window, "cbExit"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.result().has_value());

    StyleEditWindow again(test::balladRow(), dialogs);
    again.show();
    box(again, 2)->setText("Soul");
    QTest::keyClick(box(again, 2), Qt::Key_Return);
    EXPECT_FALSE(again.isVisible());
    ASSERT_TRUE(again.result().has_value());
    EXPECT_EQ(*again.result(),
              (StyleEditValues{"BALLAD", "Slow one", "Soul", "Pop", "USER01.STY", "Ben"}));
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_FALSE(child<QPushButton>(again, "cmdReplaceBreaks")->isVisible());

    // A stored line break is shown, refused by Update, and mended by the window's offer.
    StyleRow broken = test::balladRow();
    broken.StyleDesc = "Slow\r\none";
    broken.StyleAuthor = "Ben\nB";
    StyleEditWindow mend(broken, dialogs);
    mend.show();
    EXPECT_EQ(box(mend, 1)->text(), QString::fromUtf8("Slow\u240d\u21b5one"));
    QTest::mouseClick(child<QPushButton>(mend, "cbUpdate"), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{"The description of style 57 holds a line break."});
    auto* replace = child<QPushButton>(mend, "cmdReplaceBreaks");
    ASSERT_TRUE(replace->isVisible());
    QTest::mouseClick(replace, Qt::LeftButton);
    EXPECT_FALSE(replace->isVisible());
    QTest::mouseClick(child<QPushButton>(mend, "cbUpdate"), Qt::LeftButton);
    ASSERT_TRUE(mend.result().has_value());
    EXPECT_EQ(mend.result()->StyleDesc, "Slow one");
    EXPECT_EQ(mend.result()->StyleAuthor, "Ben B");
}

// Which box leaves which column: the controller's test; here the boxes reach it.
TEST(GroupEditWindow, ADontUpdateBoxLeavesItsColumn) {
    test::ScriptedDialogs dialogs;
    GroupEditWindow one({"Jazz", "Big band", "Cid"}, dialogs);
    one.show();
    EXPECT_EQ(box(one, 1)->text(), "Big band");
    EXPECT_EQ(child<QCheckBox>(one, "Check11")->text(), "Don't update!");
    child<QCheckBox>(one, "Check11")->setChecked(true);
    box(one, 0)->setText("Swing");
    QTest::mouseClick(child<QPushButton>(one, "cmdOk"), Qt::LeftButton);
    EXPECT_FALSE(one.isVisible());
    EXPECT_EQ(one.result(), (StyleColumnChanges{{}, {}, "Swing", {}, {}, "Cid"}));
}

TEST(StyleListPrint, LinesAsTheGridShowsThemAndAPdfOfSeveralPages) {
    StyleList rows = {{57, "BALLAD", "Slow one", "Slow", "Pop", "Ben", ""},
                      {73, std::string("SWING\0\0\0\0\0\0", 11), std::string(45, 'd'), "Jazz",
                       "Big band", "Cid", ""}};
    const std::vector<PrintLine> lines = StyleListLines(rows);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], (PrintLine{"Styles (2)", "ARIAL", 12}));
    EXPECT_EQ(lines[2].text, "Name         Description" + std::string(31, ' ') + "Family" +
                                 std::string(16, ' ') + "Group");
    EXPECT_EQ(lines[4], (PrintLine{"SWING        " + std::string(40, 'd') + "  Jazz" +
                                       std::string(18, ' ') + "Big band",
                                   "Courier New", 8}));

    test::TempDir dir;
    rows.resize(300, {41, "ROCK", "Rock style", "Rock", "Pop", "Ann", ""});
    const QString pdf = QString::fromStdString((dir / "styles.pdf").string());
    ASSERT_TRUE(QtPrintService::printToPdf(StyleListLines(rows), pdf));
    const std::string bytes = test::readFile(dir / "styles.pdf");
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    std::size_t pages = 0;
    for (auto at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1)) {
        ++pages;
    }
    EXPECT_GE(pages, 3u);
    EXPECT_FALSE(QtPrintService::printToPdf(lines, pdf + "/no/such/folder.pdf"));
}

}  // namespace
}  // namespace orb
