#include "widgets/window_memory.h"

#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include "core/settings_store.h"

namespace orb {
namespace {

// Set on a window once its stored geometry was applied, so a window hidden and shown again in
// the same run keeps where the person left it.
constexpr const char* kRestored = "orbGeometryRestored";

// "x y width height": where the window's frame stood and the size inside it. The frame's place
// is given back with move(), which places the frame; a place given as the inside's would be
// moved down once more by the frame's title bar when the window is shown.
std::string placeText(const QWidget* window) {
    const QPoint frame = window->frameGeometry().topLeft();
    return QString("%1 %2 %3 %4")
        .arg(frame.x())
        .arg(frame.y())
        .arg(window->width())
        .arg(window->height())
        .toStdString();
}

bool restorePlace(QWidget* window, const std::string& text) {
    const QStringList parts = QString::fromStdString(text).split(' ');
    if (parts.size() != 4) {
        return false;
    }
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].toInt(&ok);
        if (!ok) {
            return false;
        }
    }
    if (values[2] > 0 && values[3] > 0) {
        window->resize(values[2], values[3]);
    }
    // A place on a screen no longer there is left to the window system.
    if (QGuiApplication::screenAt(QPoint(values[0], values[1]) + QPoint(8, 8)) != nullptr) {
        window->move(values[0], values[1]);
    }
    return true;
}

QWidget* orbWindow(QObject* watched) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !widget->isWindow() || !widget->objectName().startsWith("frm")) {
        return nullptr;
    }
    return widget;
}

}  // namespace

WindowMemory::WindowMemory(SettingsStore& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

bool WindowMemory::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide) {
        return false;
    }
    QWidget* window = orbWindow(watched);
    if (window == nullptr) {
        return false;
    }
    const std::string key = window->objectName().toStdString();
    if (type == QEvent::Show && !window->property(kRestored).toBool()) {
        window->setProperty(kRestored, true);
        const std::string stored = settings_.get(kSection, key, "");
        // A place kept in Qt's own geometry form is still understood.
        if (!stored.empty() && !restorePlace(window, stored)) {
            window->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(stored)));
        }
    } else if (type == QEvent::Hide) {
        settings_.set(kSection, key, placeText(window));
    }
    return false;
}

}  // namespace orb
