#include "songs/windows/song_import_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/rendered_text.h"

namespace orb {

SongImportWindow::SongImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
    setObjectName("frmSongImport");
    setWindowTitle(SongImportController::kCaption);
    setModal(true);
    auto* layout = new QGridLayout(this);

    layout->addWidget(new QLabel("File to search", this), 0, 0);
    txtFolder_ = new QLineEdit(this);
    txtFolder_->setObjectName("txtFolder");
    txtFolder_->setMinimumWidth(360);
    layout->addWidget(txtFolder_, 0, 1, 1, 3);
    auto* search = new QPushButton("Search", this);
    search->setObjectName("cmdSearch");
    search->setAutoDefault(false);
    layout->addWidget(search, 0, 4);

    lbFile_ = new QLabel(this);
    lbFile_->setObjectName("lbFile");
    lbFile_->setFrameShape(QFrame::Box);
    lbFile_->setMinimumHeight(110);
    lbFile_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(lbFile_, 1, 0, 1, 5);

    layout->addWidget(new QLabel("Fields separators", this), 2, 0);
    separator_ = new QComboBox(this);
    separator_->setObjectName("Combo1");
    for (const char separator : SongImportController::kSeparators) {
        separator_->addItem(QString(QChar(separator)));
    }
    layout->addWidget(separator_, 2, 1);

    addFieldSelectors(layout);

    job_ = new JobPanel(*this, controller_.job(), "ProgressBar1");
    layout->addWidget(job_, 6, 0, 1, 5);
    start_ = new QPushButton("Start import process", this);
    start_->setObjectName("cmdOk");
    start_->setDefault(true);
    auto* cancel = new QPushButton("Exit", this);
    cancel->setObjectName("cmdCancel");
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 7, 0, 1, 5);

    connect(txtFolder_, &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.setPath(text.toStdString()); });
    connect(txtFolder_, &QLineEdit::editingFinished, this, [this] { controller_.pathLeft(); });
    connect(search, &QPushButton::clicked, this, [this] { controller_.search(); });
    connect(separator_, &QComboBox::currentIndexChanged, this,
            [this](int index) { controller_.setSeparatorIndex(index); });
    connect(start_, &QPushButton::clicked, this, [this] {
        if (controller_.start()) {
            accept();
        }
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    setTabOrder(txtFolder_, search);
    txtFolder_->setFocus();
    render();
}

// The twelve field selectors, four to a row from row 3: what each column of a line holds.
void SongImportWindow::addFieldSelectors(QGridLayout* layout) {
    for (std::size_t i = 0; i < kSongFieldCount; ++i) {
        const int row = 3 + static_cast<int>(i) / 4;
        const int column = static_cast<int>(i) % 4;
        auto* box = new QWidget(this);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->setContentsMargins(0, 0, 0, 0);
        boxLayout->addWidget(new QLabel(QString("Field #%1").arg(i + 1), box));
        fields_[i] = new QComboBox(box);
        fields_[i]->setObjectName(QString("cmbFields%1").arg(i));
        for (const char* caption : kSongFieldCaptions) {
            fields_[i]->addItem(caption);
        }
        boxLayout->addWidget(fields_[i]);
        layout->addWidget(box, row, column);
        connect(fields_[i], &QComboBox::currentIndexChanged, this, [this, i](int index) {
            controller_.setField(static_cast<int>(i), static_cast<SongField>(index));
        });
    }
}

void SongImportWindow::reject() {
    if (!job_->cancelRunningJob()) {
        QDialog::reject();
    }
}

void SongImportWindow::render() {
    showText(txtFolder_, controller_.path());
    lbFile_->setText(QString::fromStdString(controller_.preview()));
    separator_->setCurrentIndex(controller_.separatorIndex());
    for (std::size_t i = 0; i < kSongFieldCount; ++i) {
        fields_[i]->setCurrentIndex(static_cast<int>(controller_.field(static_cast<int>(i))));
    }
    start_->setEnabled(controller_.startEnabled() && !controller_.job().running());
    job_->render(controller_.progressVisible());
}

}  // namespace orb
