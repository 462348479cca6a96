#include "stylefiles/windows/style_import_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "stylefiles/windows/style_content_window.h"
#include "widgets/log_window.h"
#include "widgets/rendered_text.h"

namespace orb {
StyleImportWindow::StyleImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, this) {
    setObjectName("frmStyImport");
    setWindowTitle(StyleImportController::kCaption);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeValuesFrame());
    layout->addWidget(makeOptionsFrame());
    makePathAndButtons(layout);
    layout->addLayout(makeStatusRows());
    controller_.onChange([this] { render(); });
    render();
}

// The family, group and author given to every imported style.
QGroupBox* StyleImportWindow::makeValuesFrame() {
    auto* values = new QGroupBox(" Attach these values to each style ", this);
    auto* valuesLayout = new QGridLayout(values);
    const char* captions[3] = {"Family ", "Group ", "Author "};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(captions[i], values);
        label->setObjectName(QString("lbField%1").arg(i));
        fields_[i] = new QLineEdit(values);
        fields_[i]->setObjectName(QString("txtField%1").arg(i));
        // The column's size, so that no value is refused by the database later.
        fields_[i]->setMaxLength(kStyleValueLengths[static_cast<std::size_t>(i)]);
        valuesLayout->addWidget(label, i, 0);
        valuesLayout->addWidget(fields_[i], i, 1);
        connect(fields_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            controller_.setValue(static_cast<std::size_t>(i), text.toStdString());
        });
    }

    return values;
}

QGroupBox* StyleImportWindow::makeOptionsFrame() {
    auto* options = new QGroupBox(" Styles import options ", this);
    auto* optionsLayout = new QVBoxLayout(options);
    chkBank_ = new QCheckBox("Save bank structure", options);
    chkBank_->setObjectName("chkBank");
    chkErrors_ = new QCheckBox("Confirm import for each style in each bank", options);
    chkErrors_->setObjectName("chkErrors");
    optionsLayout->addWidget(chkBank_);
    optionsLayout->addWidget(chkErrors_);
    const char* optionCaptions[3] = {
        "Do not check for duplicated styles, but import everything",
        "Do not check for duplicated styles, but overwrite styles with same name",
        "Do not import duplicated styles, regardless their name"};
    for (int i = 2; i >= 0; --i) {
        opImport_[i] = new QRadioButton(optionCaptions[i], options);
        opImport_[i]->setObjectName(QString("opImport%1").arg(i));
        optionsLayout->addWidget(opImport_[i]);
        connect(opImport_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                controller_.setMode(static_cast<DuplicateMode>(i));
            }
        });
    }
    connect(chkBank_, &QCheckBox::toggled, this,
            [this](bool checked) { controller_.setSaveBankStructure(checked); });
    connect(chkErrors_, &QCheckBox::toggled, this,
            [this](bool checked) { controller_.setConfirmEachStyle(checked); });

    return options;
}

// The path with Search, then Subfolders beside the start and Exit buttons.
void StyleImportWindow::makePathAndButtons(QVBoxLayout* layout) {
    chkSubFolders_ = new QCheckBox("Subfolders", this);
    chkSubFolders_->setObjectName("chkSubFolders");
    connect(chkSubFolders_, &QCheckBox::toggled, this,
            [this](bool checked) { controller_.setIncludeSubFolders(checked); });
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    txtFolder_ = new QLineEdit(this);
    txtFolder_->setObjectName("txtFolder");
    txtFolder_->setMinimumWidth(360);
    connect(txtFolder_, &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.setPath(text.toStdString()); });
    cmdSearch_ = new QPushButton("Search", this);
    cmdSearch_->setObjectName("cmdSearch");
    cmdOk_ = new QPushButton("Start Import Process", this);
    cmdOk_->setObjectName("cmdOk");
    cmdCancel_ = new QPushButton("Exit", this);
    cmdCancel_->setObjectName("cmdCancel");
    // Enter starts the import; it never opens the file dialog.
    cmdSearch_->setAutoDefault(false);
    cmdCancel_->setAutoDefault(false);
    cmdOk_->setDefault(true);
    connect(cmdSearch_, &QPushButton::clicked, this, [this] { controller_.search(); });
    connect(cmdOk_, &QPushButton::clicked, this, [this] {
        controller_.run();
        if (afterRun_) {
            afterRun_();
        }
    });
    connect(cmdCancel_, &QPushButton::clicked, this, &StyleImportWindow::reject);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(label1_);
    pathRow->addWidget(txtFolder_, 1);
    pathRow->addWidget(cmdSearch_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(chkSubFolders_);
    buttonRow->addStretch();
    buttonRow->addWidget(cmdOk_);
    buttonRow->addWidget(cmdCancel_);

    layout->addLayout(pathRow);
    layout->addLayout(buttonRow);
}

// The three status lines and the job's bar.
QGridLayout* StyleImportWindow::makeStatusRows() {
    auto* statusRow = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        lbStato_[i] = new QLabel(this);
        lbStato_[i]->setObjectName(QString("lbStato%1").arg(i));
    }
    statusRow->addWidget(lbStato_[2], 0, 0, 1, 2);
    statusRow->addWidget(lbStato_[0], 1, 0);
    statusRow->addWidget(lbStato_[1], 1, 1);
    job_ = new JobPanel(*this, controller_.job(), "ProgressBar1");
    statusRow->addWidget(job_, 2, 0, 1, 2);

    return statusRow;
}

void StyleImportWindow::prepare(ImportRequest::Source source) {
    controller_.reopen(source);
    fields_[0]->setFocus();  // each opening starts on the first field
}

ImportOutcome StyleImportWindow::importStyles(ImportRequest::Source source) {
    prepare(source);
    exec();
    return controller_.outcome();
}

void StyleImportWindow::reject() {
    if (controller_.exit()) {
        QDialog::reject();
    } else {
        controller_.job().requestCancel();
    }
}

void StyleImportWindow::render() {
    const ImportRequest& request = controller_.request();
    for (int i = 0; i < 3; ++i) {
        showText(fields_[i], request.values[static_cast<std::size_t>(i)]);
    }
    showText(txtFolder_, request.path);
    label1_->setText(QString::fromStdString(controller_.pathCaption()));
    chkSubFolders_->setVisible(controller_.subFoldersVisible());
    chkBank_->setChecked(request.saveBankStructure);
    chkErrors_->setChecked(request.confirmEachStyle);
    chkSubFolders_->setChecked(request.includeSubFolders);
    opImport_[static_cast<int>(request.mode)]->setChecked(true);

    const bool enabled = controller_.controlsEnabled();
    for (QWidget* control : std::initializer_list<QWidget*>{cmdOk_, cmdCancel_, cmdSearch_,
                                                            chkErrors_, chkSubFolders_, chkBank_}) {
        control->setEnabled(enabled);
    }
    for (int i = 0; i < 3; ++i) {
        lbStato_[i]->setVisible(controller_.statusVisible());
        lbStato_[i]->setText(QString::fromStdString(controller_.status(i)));
    }
    job_->render(controller_.progressVisible());
}

std::optional<StyleSelection> StyleImportWindow::confirmStyles(StyleConfirmation& confirmation) {
    StyleContentWindow dialog(confirmation, this);
    return dialog.ask();
}

void StyleImportWindow::showLog(const std::string& log) {
    LogWindow::showLog(this, "", QString::fromStdString(log));
}

}  // namespace orb
