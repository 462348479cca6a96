#include "widgets/qt_user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStringList>

#include "core/progress_scale.h"

namespace orb {
namespace {

const QString kAllFiles = "All files (*)";

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon toQtIcon(UserDialogs::Icon icon) {
    switch (icon) {
        case UserDialogs::Icon::Critical:
            return QMessageBox::Critical;
        case UserDialogs::Icon::Question:
            return QMessageBox::Question;
        case UserDialogs::Icon::Exclamation:
            return QMessageBox::Warning;
        case UserDialogs::Icon::Information:
            return QMessageBox::Information;
        case UserDialogs::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQtButton(UserDialogs::Answer answer) {
    switch (answer) {
        case UserDialogs::Answer::Ok:
            return QMessageBox::Ok;
        case UserDialogs::Answer::Cancel:
            return QMessageBox::Cancel;
        case UserDialogs::Answer::Yes:
            return QMessageBox::Yes;
        case UserDialogs::Answer::No:
            return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QString casePatterns(const QString& patterns) {
    QStringList all;
    for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
        // "*.*" would miss names without a dot here; "*" is what it means.
        const QString trimmed = pattern.trimmed() == "*.*" ? "*" : pattern.trimmed();
        for (const QString& variant : {trimmed, trimmed.toUpper(), trimmed.toLower()}) {
            if (!all.contains(variant)) {
                all << variant;
            }
        }
    }
    return all.join(' ');
}

}  // namespace

QtUserDialogs::QtUserDialogs() = default;

QtUserDialogs::~QtUserDialogs() {
    delete progress_;
}

QWidget* QtUserDialogs::parent() const {
    return parent_ ? parent_.data() : QApplication::activeWindow();
}

UserDialogs::Answer QtUserDialogs::messageBox(const std::string& text, const std::string& title,
                                              Icon icon, Buttons buttons, Answer defaultAnswer) {
    QMessageBox box(toQtIcon(icon), q(title), q(text), QMessageBox::NoButton, parent());
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    box.setDefaultButton(toQtButton(defaultAnswer));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return Answer::Ok;
    }
}

std::optional<std::string> QtUserDialogs::inputBox(const std::string& prompt,
                                                   const std::string& title,
                                                   const std::string& proposal) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent(), q(title), q(prompt), QLineEdit::Normal, q(proposal), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return answer.toStdString();
}

std::optional<std::string> QtUserDialogs::secretInputBox(const std::string& prompt,
                                                         const std::string& title) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent(), q(title), q(prompt), QLineEdit::Password, QString(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return answer.toStdString();
}

std::string QtUserDialogs::folderDialog(const std::string& initialFolder) {
    return QFileDialog::getExistingDirectory(parent(), QString(), q(initialFolder)).toStdString();
}

QString QtUserDialogs::toQtFilter(const std::string& filter) {
    const QStringList parts = q(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        // The description often names the pattern already, as in "Styles (*.STY)".
        const int bracket = description.indexOf('(');
        if (bracket >= 0) {
            description = description.left(bracket).trimmed();
        }
        filters << description + " (" + casePatterns(parts[i + 1]) + ")";
    }
    // Every filter also lets the person pick a file of any name.
    if (!filters.join(";;").endsWith("(*)")) {
        filters << kAllFiles;
    }
    return filters.join(";;");
}

std::string QtUserDialogs::openFileDialog(const std::string& filter,
                                          const std::string& initialFolder) {
    return QFileDialog::getOpenFileName(parent(), QString(), q(initialFolder), toQtFilter(filter))
        .toStdString();
}

std::string QtUserDialogs::saveFileDialog(const std::string& filter,
                                          const std::string& initialName) {
    return QFileDialog::getSaveFileName(parent(), QString(), q(initialName), toQtFilter(filter))
        .toStdString();
}

void QtUserDialogs::setWaitCursor(bool waiting) {
    if (waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++waitCursorDepth_;
    } else if (waitCursorDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --waitCursorDepth_;
    }
}

void QtUserDialogs::showProgress(const std::string& label, long long value, long long maximum) {
    if (progress_ == nullptr) {
        progress_ = new QProgressDialog(parent());
        progress_->setCancelButton(nullptr);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(300);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
    }
    progress_->setLabelText(q(label));
    const ProgressSteps steps = scaleProgress(value, maximum);
    progress_->setMaximum(steps.maximum);
    progress_->setValue(steps.value);
}

void QtUserDialogs::hideProgress() {
    delete progress_;
    progress_ = nullptr;
}

void QtUserDialogs::processEvents() {
    QCoreApplication::processEvents();
}

}  // namespace orb
