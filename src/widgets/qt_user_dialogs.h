#pragma once

#include <QPointer>
#include <QWidget>

#include "core/user_dialogs.h"

class QProgressDialog;

namespace orb {

// The Qt side of UserDialogs: QMessageBox, QInputDialog, QFileDialog and processEvents.
class QtUserDialogs : public UserDialogs {
public:
    QtUserDialogs();
    ~QtUserDialogs() override;

    // The window that dialogs are centred on; the active window when none is set.
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    Answer messageBox(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                      Answer defaultAnswer) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposal) override;
    std::optional<std::string> secretInputBox(const std::string& prompt,
                                              const std::string& title) override;
    std::string openFileDialog(const std::string& filter,
                               const std::string& initialFolder) override;
    std::string folderDialog(const std::string& initialFolder) override;
    std::string saveFileDialog(const std::string& filter, const std::string& initialName) override;
    void setWaitCursor(bool waiting) override;
    void showProgress(const std::string& label, long long value, long long maximum) override;
    void hideProgress() override;
    void processEvents() override;

    // "desc|*.MDB|desc2|*.TXT" as a Qt filter; each pattern matches either letter case.
    static QString toQtFilter(const std::string& filter);

private:
    QWidget* parent() const;

    QPointer<QWidget> parent_;
    QProgressDialog* progress_ = nullptr;
    int waitCursorDepth_ = 0;
};

}  // namespace orb
