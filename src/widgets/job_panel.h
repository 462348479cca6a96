#pragma once

#include <QWidget>

#include "widgets/height_back.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orb {

class JobProgress;

// What every window with a long job shows of it: a bar when the window has one, one line that
// says what the job is doing while it runs and how it ended afterwards, and a Cancel button
// shown only while it runs, which stops the job at its next checkpoint. The window grows for
// what shows and gets that height back as it hides.
class JobPanel : public QWidget {
    Q_OBJECT
public:
    // `barName` is the bar's object name; no bar when it is null.
    JobPanel(QWidget& window, JobProgress& job, const char* barName = nullptr);

    QProgressBar* bar() const { return bar_; }

    // Shows the job; the bar while `barVisible`.
    void render(bool barVisible = false);

    // What the window's Esc, Exit or close does while a job runs: the job is asked to stop and
    // the window stays open. False when no job runs and the window may close.
    bool cancelRunningJob();

private:
    JobProgress& job_;
    QProgressBar* bar_ = nullptr;
    QLabel* line_ = nullptr;
    QPushButton* cancel_ = nullptr;
    HeightBack heightBack_;
};

}  // namespace orb
