#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace orb {

// The log file viewer: a text and a Cancel button. Its caller sets the caption and the
// text, then shows it modally (the style import shows its log with an empty caption):
//
//     LogWindow::showLog(parent, "", log);
class LogWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Log file viewer";

    explicit LogWindow(QWidget* parent = nullptr);

    void setLog(const QString& caption, const QString& text);
    QString text() const;

    // A modal viewer, made for this one showing and gone when it closes.
    static void showLog(QWidget* parent, const QString& caption, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key closed the window.
    bool closeOnKey(const QKeyEvent& event);

    QPlainTextEdit* txtResult_;
    QPushButton* cmdCancel_;
};

}  // namespace orb
