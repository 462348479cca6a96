#include "widgets/window_memory.h"

#include <QByteArray>
#include <QEvent>
#include <QWidget>

#include "core/settings_store.h"

namespace orb {
namespace {

// Set on a window once its stored geometry was applied, so a window hidden and shown again in
// the same run keeps where the person left it.
constexpr const char* kRestored = "orbGeometryRestored";

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
        if (!stored.empty()) {
            window->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(stored)));
        }
    } else if (type == QEvent::Hide) {
        settings_.set(kSection, key, window->saveGeometry().toBase64().toStdString());
    }
    return false;
}

}  // namespace orb
