#include "widgets/job_controls.h"

#include <QLabel>
#include <QPushButton>

#include "core/job_progress.h"

namespace orb {

JobControls makeJobControls(QWidget& window, JobProgress& job) {
    JobControls controls;
    controls.line = new QLabel(&window);
    controls.line->setObjectName("lblJob");
    controls.line->setWordWrap(true);
    controls.cancel = new QPushButton("Cancel", &window);
    controls.cancel->setObjectName("cmdStopJob");
    controls.cancel->setAutoDefault(false);
    controls.cancel->setToolTip("Stops the work at once");
    QObject::connect(controls.cancel, &QPushButton::clicked, &window,
                     [&job] { job.requestCancel(); });
    showJob(controls, job);
    return controls;
}

void showJob(const JobControls& controls, const JobProgress& job) {
    const std::string& text = job.running() ? job.activity() : job.summary();
    controls.line->setText(QString::fromStdString(text));
    controls.line->setVisible(!text.empty());
    controls.cancel->setVisible(job.running());
}

}  // namespace orb
