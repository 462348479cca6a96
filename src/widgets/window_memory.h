#pragma once

#include <QObject>

namespace orb {

class SettingsStore;

// Remembers the size and position of every ORB window (a top-level widget whose name starts
// with "frm") across runs, in the settings section "WINDOWS" under the window's name. Installed
// once on the application, it serves the windows there are and those still to come.
class WindowMemory : public QObject {
    Q_OBJECT
public:
    explicit WindowMemory(SettingsStore& settings, QObject* parent = nullptr);

    static constexpr const char* kSection = "WINDOWS";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SettingsStore& settings_;
};

}  // namespace orb
