#include "widgets/log_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orb {

LogWindow::LogWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLog");
    setWindowTitle(kCaption);
    setModal(true);

    txtResult_ = new QPlainTextEdit(this);
    txtResult_->setObjectName("txtResult");
    txtResult_->setReadOnly(true);
    txtResult_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtResult_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtResult_->installEventFilter(this);

    cmdCancel_ = new QPushButton("Close", this);
    cmdCancel_->setObjectName("Command1");
    cmdCancel_->installEventFilter(this);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtResult_);
    layout->addLayout(buttons);
    resize(640, 420);
}

void LogWindow::setLog(const QString& caption, const QString& text) {
    setWindowTitle(caption);
    txtResult_->setPlainText(text);
}

QString LogWindow::text() const {
    return txtResult_->toPlainText();
}

void LogWindow::showLog(QWidget* parent, const QString& caption, const QString& text) {
    LogWindow window(parent);
    window.setLog(caption, text);
    window.exec();
}

bool LogWindow::closeOnKey(const QKeyEvent& event) {
    // Any typed character of the ASCII range closes the viewer, Enter and Escape included;
    // keys that type nothing (arrows, Shift, page keys) leave it open for reading, and Tab
    // keeps moving the focus.
    const QString typed = event.text();
    if (typed.isEmpty() || typed.front().unicode() >= 128 || event.key() == Qt::Key_Tab ||
        event.key() == Qt::Key_Backtab) {
        return false;
    }
    reject();
    return true;
}

void LogWindow::keyPressEvent(QKeyEvent* event) {
    if (!closeOnKey(*event)) {
        QDialog::keyPressEvent(event);
    }
}

bool LogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && closeOnKey(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orb
