#include "core/job_progress.h"

#include <utility>

#include "core/user_dialogs.h"

namespace orb {
namespace {

// Well under the 0.2 s within which a click on Cancel must be seen.
constexpr std::chrono::milliseconds kShowEvery{50};

}  // namespace

JobProgress::JobProgress(UserDialogs& dialogs) : dialogs_(dialogs) {}

void JobProgress::reset() {
    running_ = false;
    cancelRequested_ = false;
    cancelled_ = false;
    activity_.clear();
    value_ = 0;
    maximum_ = 0;
    summary_.clear();
}

void JobProgress::start(std::string activity, long long maximum) {
    running_ = true;
    cancelRequested_ = false;
    cancelled_ = false;
    activity_ = std::move(activity);
    value_ = 0;
    maximum_ = maximum;
    summary_.clear();
    show();
}

void JobProgress::setMaximum(long long maximum) {
    maximum_ = maximum;
    show();
}

void JobProgress::setActivity(std::string activity) {
    activity_ = std::move(activity);
    checkpoint();
}

void JobProgress::step(long long count) {
    value_ += count;
    checkpoint();
}

void JobProgress::setValue(long long value) {
    value_ = value;
    checkpoint();
}

void JobProgress::checkpoint() {
    if (!running_) {
        return;
    }
    if (std::chrono::steady_clock::now() - lastShown_ >= kShowEvery) {
        show();
    }
    if (cancelRequested_ || dialogs_.cancelRequested()) {
        cancelRequested_ = true;
        cancelled_ = true;
        throw JobCancelled();
    }
}

void JobProgress::complete() {
    value_ = maximum_;
    show();
}

void JobProgress::requestCancel() {
    if (running_ && !cancelRequested_) {
        cancelRequested_ = true;
        if (listener_) {
            listener_();
        }
    }
}

void JobProgress::finish(std::string summary) {
    running_ = false;
    cancelRequested_ = false;
    summary_ = std::move(summary);
    if (listener_) {
        listener_();
    }
}

void JobProgress::show() {
    lastShown_ = std::chrono::steady_clock::now();
    if (listener_) {
        listener_();
    }
    dialogs_.processEvents();
}

}  // namespace orb
