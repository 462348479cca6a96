#pragma once

class QLabel;
class QPushButton;
class QWidget;

namespace orb {

class JobProgress;

// What every window with a long job shows of it besides its bar: one line that says what the
// job is doing while it runs and how it ended afterwards (lblJob), and a Cancel button
// (cmdStopJob) shown only while it runs, which stops it at its next checkpoint.
struct JobControls {
    QLabel* line = nullptr;
    QPushButton* cancel = nullptr;
};

// Makes the two controls as children of `window`, for the window's layout to place, and
// forwards the Cancel button's click to `job`.
JobControls makeJobControls(QWidget& window, JobProgress& job);

// Renders `job` in the controls.
void showJob(const JobControls& controls, const JobProgress& job);

}  // namespace orb
