#include "stylefiles/windows/style_import_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/windows/log_window.h"
#include "stylefiles/windows/style_content_window.h"

namespace orb {
namespace {

void setTextKeepingCursor(QLineEdit* edit, const std::string& text) {
    const QString wanted = QString::fromStdString(text);
    if (edit->text() != wanted) {
        edit->setText(wanted);
    }
}

}  // namespace

StyleImportWindow::StyleImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, this) {
    setObjectName("frmStyImport");
    setWindowTitle(StyleImportController::kCaption);
    setModal(true);

    auto* values = new QGroupBox(" Attach these values to each style ", this);
    auto* valuesLayout = new QGridLayout(values);
    const char* captions[3] = {"Family ", "Group ", "Author "};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(captions[i], values);
        label->setObjectName(QString("lbField%1").arg(i));
        fields_[i] = new QLineEdit(values);
        fields_[i]->setObjectName(QString("txtField%1").arg(i));
        // The column's size, so that no value is refused by the database later.
        fields_[i]->setMaxLength(StyleImportController::kFieldLengths[static_cast<std::size_t>(i)]);
        valuesLayout->addWidget(label, i, 0);
        valuesLayout->addWidget(fields_[i], i, 1);
        connect(fields_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            controller_.fields[static_cast<std::size_t>(i)] = text.toStdString();
        });
    }

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
                controller_.mode = static_cast<DuplicateMode>(i);
            }
        });
    }
    connect(chkBank_, &QCheckBox::toggled, this,
            [this](bool checked) { controller_.saveBankStructure = checked; });
    connect(chkErrors_, &QCheckBox::toggled, this,
            [this](bool checked) { controller_.confirmEachStyle = checked; });

    chkSubFolders_ = new QCheckBox("Subfolders", this);
    chkSubFolders_->setObjectName("chkSubFolders");
    connect(chkSubFolders_, &QCheckBox::toggled, this,
            [this](bool checked) { controller_.includeSubFolders = checked; });
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    txtFolder_ = new QLineEdit(this);
    txtFolder_->setObjectName("txtFolder");
    txtFolder_->setMinimumWidth(360);
    connect(txtFolder_, &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.path = text.toStdString(); });
    cmdSearch_ = new QPushButton("Search", this);
    cmdSearch_->setObjectName("cmdSearch");
    cmdOk_ = new QPushButton("Start Import Process", this);
    cmdOk_->setObjectName("cmdOk");
    cmdCancel_ = new QPushButton("Exit", this);
    cmdCancel_->setObjectName("cmdCancel");
    connect(cmdSearch_, &QPushButton::clicked, this, [this] { controller_.search(); });
    connect(cmdOk_, &QPushButton::clicked, this, [this] { controller_.run(); });
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

    auto* statusRow = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        lbStato_[i] = new QLabel(this);
        lbStato_[i]->setObjectName(QString("lbStato%1").arg(i));
    }
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar1");
    statusRow->addWidget(lbStato_[2], 0, 0, 1, 2);
    statusRow->addWidget(lbStato_[0], 1, 0);
    statusRow->addWidget(lbStato_[1], 1, 1);
    statusRow->addWidget(progress_, 2, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(values);
    layout->addWidget(options);
    layout->addLayout(pathRow);
    layout->addLayout(buttonRow);
    layout->addLayout(statusRow);
    refresh();
}

void StyleImportWindow::showEvent(QShowEvent* event) {
    controller_.load();
    QDialog::showEvent(event);
}

void StyleImportWindow::reject() {
    if (!controller_.controlsEnabled()) {
        return;
    }
    controller_.exit();
    QDialog::reject();
}

void StyleImportWindow::refresh() {
    for (int i = 0; i < 3; ++i) {
        setTextKeepingCursor(fields_[i], controller_.fields[static_cast<std::size_t>(i)]);
    }
    setTextKeepingCursor(txtFolder_, controller_.path);
    label1_->setText(QString::fromStdString(controller_.pathCaption()));
    chkSubFolders_->setVisible(controller_.subFoldersVisible());
    chkBank_->setChecked(controller_.saveBankStructure);
    chkErrors_->setChecked(controller_.confirmEachStyle);
    chkSubFolders_->setChecked(controller_.includeSubFolders);
    opImport_[static_cast<int>(controller_.mode)]->setChecked(true);

    const bool enabled = controller_.controlsEnabled();
    for (QWidget* control : std::initializer_list<QWidget*>{cmdOk_, cmdCancel_, cmdSearch_,
                                                            chkErrors_, chkSubFolders_, chkBank_}) {
        control->setEnabled(enabled);
    }
    for (int i = 0; i < 3; ++i) {
        lbStato_[i]->setVisible(controller_.statusVisible());
        lbStato_[i]->setText(QString::fromStdString(controller_.status(i)));
    }
    progress_->setVisible(controller_.progressVisible());
    // One file of a folder without bank files still shows a bar, not a busy indicator.
    const long long maximum = std::max(1LL, controller_.progressMaximum());
    progress_->setRange(0, static_cast<int>(std::min<long long>(maximum, 1'000'000'000)));
    progress_->setValue(static_cast<int>(std::min(controller_.progressValue(), maximum)));
}

bool StyleImportWindow::confirmStyles(StyleConfirmation& confirmation) {
    StyleContentWindow dialog(confirmation, this);
    return dialog.ask();
}

void StyleImportWindow::showLog(const std::string& log) {
    LogWindow::showLog(this, "", QString::fromStdString(log));
}

}  // namespace orb
