#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace orb {

class UserDialogs;

// Thrown by a long job's checkpoint once the person asked to stop it. It is deliberately no
// OrbError nor std::exception, so the failure handlers of the work let it through and every
// transaction on the way rolls back as it does on a failure.
class JobCancelled {};

// What a long job (an import, an export, writing to a drive, a backup, a restore) is doing and
// how far it got. The controller that runs the job owns one and exposes it read-only; its window
// shows the activity, a bar, a Cancel button while the job runs and the summary line after it.
// The work calls step() or checkpoint() between small pieces: every 50 ms at most they tell the
// window and let pending window events run, so a click on Cancel is seen at once, and they throw
// JobCancelled once cancelling was asked for, by the window (requestCancel) or through the
// dialogs seam (UserDialogs::cancelRequested).
class JobProgress {
public:
    explicit JobProgress(UserDialogs& dialogs);

    // Called whenever what the window shows changed; the owning controller's changed().
    void onChange(std::function<void()> listener) { listener_ = std::move(listener); }

    bool running() const { return running_; }
    // What is being done now ("Reading USER01.STY").
    const std::string& activity() const { return activity_; }
    long long value() const { return value_; }
    long long maximum() const { return maximum_; }
    // The one line the last job ended with; empty before the first and while one runs.
    const std::string& summary() const { return summary_; }
    // True when the last job was stopped by a cancel (set as its checkpoint throws).
    bool cancelled() const { return cancelled_; }

    // Back to no job at all, as a window opens; tells nobody, as its owner shows its whole state
    // next.
    void reset();
    // A job begins: nothing done of `maximum` steps (0 while the amount is not known yet).
    void start(std::string activity, long long maximum);
    void setMaximum(long long maximum);
    void setActivity(std::string activity);
    // `count` more steps are done; a checkpoint.
    void step(long long count = 1);
    void setValue(long long value);
    // Tells the window and lets events run when 50 ms have passed since the last time; throws
    // JobCancelled when cancelling was asked for.
    void checkpoint();
    // All steps are done and the work can no longer be undone (committed, say): the bar is
    // shown full, with no cancel check.
    void complete();
    // The Cancel button: the job stops at its next checkpoint.
    void requestCancel();
    // The job ended (done, failed or cancelled) with `summary`; cancelled() tells which.
    void finish(std::string summary);

private:
    void show();

    UserDialogs& dialogs_;
    std::function<void()> listener_;
    bool running_ = false;
    bool cancelRequested_ = false;
    bool cancelled_ = false;
    std::string activity_;
    long long value_ = 0;
    long long maximum_ = 0;
    std::string summary_;
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace orb
