#include "widgets/window_memory.h"

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "core/settings_store.h"

namespace orb {
namespace {

// Set on a window once its stored geometry was applied, so a window hidden and shown again in
// the same run keeps where the person left it.
constexpr const char* kRestored = "orbGeometryRestored";
// Set on a window placed before any frame was known, until the window system has framed it.
constexpr const char* kFrameUnknown = "orbFrameUnknown";

// "x y width height": the place and size of the window's inside, without its frame. The inside
// is what the window system gives back exactly; a frame's place given back before the window is
// shown depends on a frame not yet known, and the window crept by its title bar on each reopen.
std::string placeText(const QWidget* window) {
    const QRect inside = window->geometry();
    return QString("%1 %2 %3 %4")
        .arg(inside.x())
        .arg(inside.y())
        .arg(inside.width())
        .arg(inside.height())
        .toStdString();
}

// The frame the window system puts around a window: its own where the platform knows it before
// the window is shown, else as another shown window has it, else none.
QMargins frameOf(const QWidget* window) {
    if (const QWindow* handle = window->windowHandle();
        handle != nullptr && !handle->frameMargins().isNull()) {
        return handle->frameMargins();
    }
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() && other->isWindow()) {
            const QRect frame = other->frameGeometry();
            const QRect inside = other->geometry();
            return {inside.left() - frame.left(), inside.top() - frame.top(),
                    frame.right() - inside.right(), frame.bottom() - inside.bottom()};
        }
    }
    return {};
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
    const QRect kept(values[0], values[1], values[2], values[3]);
    if (kept.width() <= 0 || kept.height() <= 0) {
        return true;
    }
    // A place on a screen no longer there is left to the window system; the size is kept.
    QScreen* screen = QGuiApplication::screenAt(kept.topLeft() + QPoint(8, 8));
    if (screen == nullptr) {
        window->resize(WindowMemory::placeOnScreen(kept, frameOf(window),
                                                   window->screen()->availableGeometry())
                           .size());
        return true;
    }
    window->setGeometry(
        WindowMemory::placeOnScreen(kept, frameOf(window), screen->availableGeometry()));
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

QRect WindowMemory::placeOnScreen(const QRect& kept, const QMargins& frame, const QRect& screen) {
    const QRect room = screen.marginsRemoved(frame);
    QRect inside(kept.topLeft(), QSize(std::min(kept.width(), room.width()),
                                       std::min(kept.height(), room.height())));
    inside.moveLeft(std::clamp(inside.left(), room.left(), room.right() + 1 - inside.width()));
    inside.moveTop(std::clamp(inside.top(), room.top(), room.bottom() + 1 - inside.height()));
    return inside;
}

bool WindowMemory::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::Move &&
        type != QEvent::Resize) {
        return false;
    }
    QWidget* window = orbWindow(watched);
    if (window == nullptr) {
        return false;
    }
    if (type == QEvent::Move || type == QEvent::Resize) {
        // Placed before its frame was known: once the window system has framed it, the frame
        // too must be on the screen.
        if (window->property(kFrameUnknown).toBool() && window->isVisible() &&
            window->frameGeometry() != window->geometry()) {
            window->setProperty(kFrameUnknown, false);
            const QRect frame = window->frameGeometry();
            const QRect inside = window->geometry();
            const QMargins margins(inside.left() - frame.left(), inside.top() - frame.top(),
                                   frame.right() - inside.right(),
                                   frame.bottom() - inside.bottom());
            const QRect placed =
                placeOnScreen(inside, margins, window->screen()->availableGeometry());
            if (placed != inside) {
                window->setGeometry(placed);
            }
        }
        return false;
    }
    const QVariant ownKey = window->property(kKeyProperty);
    const std::string key =
        (ownKey.isValid() ? ownKey.toString() : window->objectName()).toStdString();
    if (type == QEvent::Show && !window->property(kRestored).toBool()) {
        window->setProperty(kRestored, true);
        const std::string stored = settings_.get(kSection, key, "");
        window->setProperty(kFrameUnknown, !stored.empty() && frameOf(window).isNull());
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
