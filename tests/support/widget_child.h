#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

namespace orb::test {

// The child of a window by its object name; a missing one fails the test.
template <typename T>
T* child(QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

}  // namespace orb::test
