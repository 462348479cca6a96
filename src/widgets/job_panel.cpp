#include "widgets/job_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "core/job_progress.h"
#include "core/progress_scale.h"

namespace orb {

JobPanel::JobPanel(QWidget& window, JobProgress& job, const char* barName)
    : QWidget(&window), job_(job), heightBack_(window) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (barName != nullptr) {
        bar_ = new QProgressBar(this);
        bar_->setObjectName(barName);
        bar_->hide();
        layout->addWidget(bar_, 0, 0, 1, 2);
    }
    line_ = new QLabel(this);
    line_->setObjectName("lblJob");
    line_->setWordWrap(true);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cmdStopJob");
    cancel_->setAutoDefault(false);
    cancel_->setToolTip("Stops the work at once");
    layout->addWidget(line_, 1, 0);
    layout->addWidget(cancel_, 1, 1);
    layout->setColumnStretch(0, 1);
    connect(cancel_, &QPushButton::clicked, this, [this] { job_.requestCancel(); });
    std::vector<QWidget*> parts = {line_, cancel_};
    if (bar_ != nullptr) {
        parts.push_back(bar_);
    }
    heightBack_.watch(std::move(parts));
    render();
}

void JobPanel::render(bool barVisible) {
    const std::string& text = job_.running() ? job_.activity() : job_.summary();
    line_->setText(QString::fromStdString(text));
    line_->setVisible(!text.empty());
    cancel_->setVisible(job_.running());
    if (bar_ != nullptr) {
        bar_->setVisible(barVisible);
        const ProgressSteps steps = scaleProgress(job_.value(), job_.maximum());
        bar_->setRange(0, steps.maximum);
        bar_->setValue(steps.value);
    }
    heightBack_.update();
}

bool JobPanel::cancelRunningJob() {
    if (!job_.running()) {
        return false;
    }
    job_.requestCancel();
    return true;
}

}  // namespace orb
