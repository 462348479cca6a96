#include "catalogue/windows/disk_identify_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/user_dialogs.h"
#include "widgets/failure_shown.h"
#include "widgets/log_window.h"

namespace orb {
namespace {

// New styles stand out: they are what the disk adds to the catalogue.
const QColor kNewColour(0x00, 0x80, 0x00);
const QColor kSameNameColour(0xC0, 0x60, 0x00);

}  // namespace

DiskIdentifyWindow::DiskIdentifyWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, this) {
    setObjectName("frmDisk");
    setWindowTitle(DiskIdentifyController::kCaption);
    setModal(true);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName("tvDisk");
    tree_->setColumnCount(3);
    tree_->setHeaderLabels({"Bank file / slot", "Bank number / style", "In the catalogue"});
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->setMinimumSize(720, 360);
    summary_ = new QLabel(this);
    summary_->setObjectName("lbSummary");
    cmdImportNew_ = new QPushButton("Import the new ones", this);
    cmdImportNew_->setObjectName("cmdImportNew");
    cmdImportNew_->setAutoDefault(false);
    cmdImportNew_->setToolTip("Imports only the styles marked new, without storing banks");
    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("cmdExit");
    exit->setAutoDefault(false);
    exit->setDefault(true);
    job_ = new JobPanel(*this, controller_.job());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(job_, 1);
    buttons->addWidget(cmdImportNew_);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addWidget(summary_);
    layout->addLayout(buttons);

    connect(cmdImportNew_, &QPushButton::clicked, this,
            [this, &dialogs] { runShowingFailure(dialogs, [this] { controller_.importNew(); }); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    render();
}

bool DiskIdentifyWindow::run() {
    if (!controller_.chooseAndLook()) {
        return false;
    }
    exec();
    return controller_.imported();
}

void DiskIdentifyWindow::reject() {
    if (!job_->cancelRunningJob()) {
        QDialog::reject();
    }
}

void DiskIdentifyWindow::showLog(const std::string& log) {
    LogWindow::showLog(this, "", QString::fromStdString(log));
}

void DiskIdentifyWindow::render() {
    const DiskContents& contents = controller_.contents();
    if (!(shownContents_.path == contents.path && shownContents_.files == contents.files)) {
        shownContents_ = contents;
        tree_->clear();
        for (const IdentifiedFile& file : contents.files) {
            const QString path = QString::fromStdString(file.path.string());
            if (!file.problem.empty()) {
                new QTreeWidgetItem(tree_, {path, "", QString::fromStdString(file.problem)});
                continue;
            }
            for (const IdentifiedBank& bank : file.banks) {
                auto* node =
                    new QTreeWidgetItem(tree_, {path, QString("bank %1").arg(bank.bankNumber),
                                                QString::fromStdString(storedBankText(bank))});
                for (const IdentifiedStyle& style : bank.styles) {
                    auto* item = new QTreeWidgetItem(
                        node, {QString::number(style.slot), QString::fromStdString(style.name),
                               QString::fromStdString(styleVerdict(style))});
                    if (style.kind != IdentifiedStyle::Kind::Stored) {
                        item->setForeground(2, style.kind == IdentifiedStyle::Kind::New
                                                   ? kNewColour
                                                   : kSameNameColour);
                    }
                }
            }
        }
        tree_->expandAll();
    }
    summary_->setText(QString("%1 new %2 on %3")
                          .arg(contents.newStyles())
                          .arg(contents.newStyles() == 1 ? "style" : "styles")
                          .arg(QString::fromStdString(contents.path.string())));
    cmdImportNew_->setEnabled(controller_.importEnabled());
    job_->render();
}

}  // namespace orb
