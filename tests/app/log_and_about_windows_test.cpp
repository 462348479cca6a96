#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/windows/about_window.h"
#include "widgets/log_window.h"

namespace orb {
namespace {

TEST(LogWindow, ClosesOnCancelOrAnAsciiKey) {
    LogWindow window;
    auto* cancel = window.findChild<QPushButton*>("Command1");
    auto* text = window.findChild<QPlainTextEdit*>("txtResult");
    ASSERT_TRUE(cancel != nullptr && text != nullptr);
    window.show();
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());

    window.show();
    QTest::keyClick(text, Qt::Key_Down);
    QTest::keyClick(text, Qt::Key_PageDown);
    QTest::keyClick(text, Qt::Key_Shift);
    QTest::sendKeyEvent(QTest::Press, text, Qt::Key_unknown, QString::fromUtf8("é"),
                        Qt::NoModifier);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(text, Qt::Key_Q);
    EXPECT_FALSE(window.isVisible());
    window.show();
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
}

TEST(AboutWindow, CarriesTheToolTipAndClosesOnATypedKeyOrClick) {
    AboutWindow window;
    QWidget* picture = window.findChild<QWidget*>("Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->toolTip(),
              "Version 2.31 (Jan, 2004)  - Press a key or a mouse button to exit!");
    auto* firstNote = window.findChild<QLabel*>("Label10");
    auto* closing = window.findChild<QLabel*>("Label2");
    ASSERT_NE(firstNote, nullptr);
    ASSERT_NE(closing, nullptr);

    window.show();
    // Lone modifiers (the Alt of Alt+F4) and keys that type nothing leave it open.
    for (Qt::Key key : {Qt::Key_Alt, Qt::Key_Control, Qt::Key_Shift, Qt::Key_Meta, Qt::Key_F5}) {
        QTest::keyClick(&window, key);
        EXPECT_TRUE(window.isVisible()) << key;
    }
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_FALSE(window.isVisible());
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        window.show();
        QTest::keyClick(&window, key);
        EXPECT_FALSE(window.isVisible()) << key;
    }
    for (QWidget* target :
         {picture, static_cast<QWidget*>(firstNote), static_cast<QWidget*>(closing)}) {
        window.show();
        QTest::mouseClick(target, Qt::RightButton);
        EXPECT_FALSE(window.isVisible()) << target->objectName().toStdString();
    }
}

}  // namespace
}  // namespace orb
