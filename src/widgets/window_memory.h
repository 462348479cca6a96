#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

namespace orb {

class SettingsStore;

// Remembers the size and position of every ORB window (a top-level widget whose name starts
// with "frm") across runs, in the settings section "WINDOWS" under the window's name, or under
// the name its property "orbPlaceKey" gives (one window serving several purposes keeps a place
// for each). Installed once on the application, it serves the windows there are and those still
// to come.
class WindowMemory : public QObject {
    Q_OBJECT
public:
    explicit WindowMemory(SettingsStore& settings, QObject* parent = nullptr);

    static constexpr const char* kSection = "WINDOWS";
    static constexpr const char* kKeyProperty = "orbPlaceKey";

    // Where a window whose inside was kept as `kept` opens on a screen whose free room is
    // `screen`, its frame adding `frame`: the kept inside, made no larger than the screen leaves
    // room for, and moved so that the whole frame is on the screen.
    static QRect placeOnScreen(const QRect& kept, const QMargins& frame, const QRect& screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SettingsStore& settings_;
};

}  // namespace orb
