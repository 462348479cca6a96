#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace orb::test {

// Runs `work` on the next modal window, which must have closed when `work` is done.
inline void onModal(std::function<void(QWidget&)> work) {
    QTimer::singleShot(0, [work = std::move(work)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        work(*modal);
        if (QApplication::activeModalWidget() == modal) {
            ADD_FAILURE() << "still open: " << modal->objectName().toStdString();
            modal->close();
        }
    });
}

}  // namespace orb::test
