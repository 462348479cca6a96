#include "core/job_progress.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/scripted_dialogs.h"

namespace orb {
namespace {

TEST(JobProgress, ShowsAtMostEvery50MsStopsWhenCancelledAndEndsWithItsLine) {
    test::ScriptedDialogs dialogs;
    JobProgress job(dialogs);
    int shown = 0;
    job.onChange([&] { ++shown; });

    const auto begun = std::chrono::steady_clock::now();
    job.start("Reading LIVE.STY", 30);
    EXPECT_TRUE(job.running());
    EXPECT_EQ(job.activity(), "Reading LIVE.STY");
    EXPECT_EQ(dialogs.processEventsCount(), 1) << "the start is shown at once";
    for (int i = 0; i < 20000; ++i) {
        job.step(i < 20 ? 1 : 0);
    }
    EXPECT_EQ(job.value(), 20);
    // At most once in 50 ms besides the start (a busy machine may pause the test).
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - begun);
    EXPECT_LE(dialogs.processEventsCount(), 1 + elapsed.count() / 50);
    EXPECT_EQ(shown, dialogs.processEventsCount());
    const int before = dialogs.processEventsCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    job.step(3);
    EXPECT_EQ(dialogs.processEventsCount(), before + 1) << "shown again after 50 ms";
    EXPECT_EQ(shown, before + 1);

    // The window's Cancel: the next checkpoint throws, the job ends with its line.
    job.requestCancel();
    EXPECT_THROW(job.checkpoint(), JobCancelled);
    EXPECT_TRUE(job.cancelled());
    EXPECT_TRUE(job.running()) << "running until the work has been undone";
    job.finish("Import cancelled.");
    EXPECT_FALSE(job.running());
    EXPECT_EQ(job.summary(), "Import cancelled.");
    EXPECT_EQ(job.value(), 23);
    job.checkpoint();  // a finished job never throws

    // The dialogs seam's cancel check stops the next job at its second checkpoint.
    dialogs.cancelAtCheck(2);
    job.start("Writing", 4);
    EXPECT_FALSE(job.cancelled());
    EXPECT_TRUE(job.summary().empty());
    job.step();
    EXPECT_THROW(job.step(), JobCancelled);
    EXPECT_EQ(dialogs.cancelChecks(), 2);
    job.finish("Stopped after 1 of 4.");

    job.reset();
    EXPECT_FALSE(job.running());
    EXPECT_TRUE(job.summary().empty());
    EXPECT_EQ(job.maximum(), 0);
}

}  // namespace
}  // namespace orb
