#pragma once

#include <array>

class QCheckBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orb {

class JobPanel;
class JobProgress;

// The controls both single style file windows share, laid out the same way: the labelled path
// box with its Search button, the two options, the start button (the default) and Exit, and
// the job's panel with its bar; below the options, a check box when the window has one.
struct SsfWindowControls {
    QLineEdit* txtFolder = nullptr;
    std::array<QRadioButton*, 2> opStyle{};
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    JobPanel* job = nullptr;
    QCheckBox* option = nullptr;
};

struct SsfWindowTexts {
    const char* label;
    std::array<const char*, 2> options;
    const char* ok;
    const char* progressName;
    // The check box's caption and name; none when null.
    const char* optionCaption = nullptr;
    const char* optionName = nullptr;
};

SsfWindowControls layOutSsfWindow(QDialog& window, JobProgress& job, const SsfWindowTexts& texts);

}  // namespace orb
