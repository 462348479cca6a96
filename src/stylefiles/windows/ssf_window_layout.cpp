#include "stylefiles/windows/ssf_window_layout.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/job_panel.h"

namespace orb {

SsfWindowControls layOutSsfWindow(QDialog& window, JobProgress& job, const SsfWindowTexts& texts) {
    SsfWindowControls controls;
    auto* label = new QLabel(texts.label, &window);
    label->setObjectName("Label1");
    controls.txtFolder = new QLineEdit(&window);
    controls.txtFolder->setObjectName("txtFolder");
    controls.txtFolder->setMinimumWidth(360);
    label->setBuddy(controls.txtFolder);
    controls.cmdSearch = new QPushButton("Search", &window);
    controls.cmdSearch->setObjectName("cmdSearch");
    controls.cmdSearch->setAutoDefault(false);
    for (std::size_t i = 0; i < 2; ++i) {
        controls.opStyle[i] = new QRadioButton(texts.options[i], &window);
        controls.opStyle[i]->setObjectName(QString("opStyle%1").arg(i));
    }
    controls.cmdOk = new QPushButton(texts.ok, &window);
    controls.cmdOk->setObjectName("cmdOk");
    controls.cmdOk->setDefault(true);
    controls.cmdCancel = new QPushButton("Exit", &window);
    controls.cmdCancel->setObjectName("cmdCancel");
    controls.cmdCancel->setAutoDefault(false);
    controls.job = new JobPanel(window, job, texts.progressName);
    QObject::connect(controls.cmdCancel, &QPushButton::clicked, &window, &QDialog::reject);

    auto* layout = new QGridLayout(&window);
    layout->addWidget(label, 0, 0);
    layout->addWidget(controls.txtFolder, 0, 1);
    layout->addWidget(controls.cmdSearch, 0, 2);
    layout->addWidget(controls.opStyle[0], 1, 1);
    layout->addWidget(controls.opStyle[1], 2, 1);
    int row = 3;
    if (texts.optionCaption != nullptr) {
        controls.option = new QCheckBox(texts.optionCaption, &window);
        controls.option->setObjectName(texts.optionName);
        layout->addWidget(controls.option, row++, 1);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(controls.cmdOk);
    buttons->addWidget(controls.cmdCancel);
    layout->addLayout(buttons, row, 0, 1, 3);
    layout->addWidget(controls.job, row + 1, 0, 1, 3);
    QWidget::setTabOrder(controls.txtFolder, controls.cmdSearch);
    QWidget::setTabOrder(controls.cmdSearch, controls.opStyle[0]);
    QWidget::setTabOrder(controls.opStyle[0], controls.opStyle[1]);
    QWidget* beforeOk = controls.opStyle[1];
    if (controls.option != nullptr) {
        QWidget::setTabOrder(controls.opStyle[1], controls.option);
        beforeOk = controls.option;
    }
    QWidget::setTabOrder(beforeOk, controls.cmdOk);
    QWidget::setTabOrder(controls.cmdOk, controls.cmdCancel);
    return controls;
}

}  // namespace orb
