#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/windows/style_edit_window.h"
#include "catalogue/windows/styles_window.h"
#include "stylefiles/windows/style_import_window.h"
#include "support/sty_file_builder.h"

namespace orb {
namespace {

using test::child;

// The fixture's catalogue in a shown styles window; rows in style-number order: 41 ROCK1,
// 57 BALLAD, 73 SWING, 88 DISCO.
class StylesWindowCommandsTest : public test::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        window.show();
        grid = child<QTableView>(window, "grdStyles");
    }

    std::vector<std::string> row(int index) {
        std::vector<std::string> cells;
        for (int column = 0; column < 5; ++column) {
            cells.push_back(grid->model()->index(index, column).data().toString().toStdString());
        }
        return cells;
    }

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
            QTest::mouseClick(child<QPushButton>(import, "cmdCancel"), Qt::LeftButton);
        });
    EXPECT_EQ(grid->model()->rowCount(), 6);
    EXPECT_EQ(row(4)[1], "SAMBA");
    EXPECT_EQ(row(5)[1], "TANGO      ");
    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST_F(StylesWindowCommandsTest, DoubleClickEditsTheStyleAndUpdatesItsRowInPlace) {
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
    EXPECT_EQ(row(1),
              (std::vector<std::string>{"57", "SOUL", "Description of BALLAD", "Slow", "Rhythm"}));
    EXPECT_EQ(grid->model()->rowCount(), 4);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
    EXPECT_EQ(storedStyle(57).StyleName1, "SOUL");
    EXPECT_EQ(storedStyle(57).StyleCat, "Rhythm");

    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST_F(StylesWindowCommandsTest, GroupDeleteOverABlockSelectedUpwards) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(2, 1)).center());
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    env.dialogs.answer(UserDialogs::Answer::Yes);
    child<QAction>(window, "mStyles1")->trigger();

    EXPECT_EQ(env.dialogs.messages(),
              (std::vector<std::string>{
                  "3 styles  will be deleted from database and from banks. Are you sure?",
                  "Styles have been deleted. Click on Ok to update style grid."}));
    EXPECT_EQ(styleNumbers(), std::vector<std::int32_t>{88});
    EXPECT_EQ(slotsOf(9), (Slots{88, 88}));
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(row(0)[1], "DISCO");
}

TEST_F(StylesWindowCommandsTest, PrintWithoutAPrinterWritesThePdfThePersonNames) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        GTEST_SKIP() << "a printer is installed, so the list would go to it";
    }
    const auto pdf = env.dir / "list.pdf";
    env.dialogs.file(pdf.string());
    child<QAction>(window, "mFile3")->trigger();
    ASSERT_EQ(env.dialogs.calls().size(), 1u);
    const auto& call = env.dialogs.calls()[0];
    EXPECT_EQ(call.kind, test::ScriptedDialogs::Call::Kind::SaveFile);
    EXPECT_EQ(call.text, "PDF file (*.pdf)|*.pdf|All files (*)|*");
    EXPECT_EQ(call.proposal, "Styles.pdf");
    EXPECT_EQ(test::readFile(pdf).rfind("%PDF-", 0), 0u);
}

}  // namespace
}  // namespace orb
