#pragma once

#include <array>

class QDialog;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace orb {

// The controls both single style file windows share, laid out the same way: Label1 and
// txtFolder with cmdSearch, the two opStyle options, cmdOk (the default button) and cmdCancel,
// and a progress bar.
struct SsfWindowControls {
    QLineEdit* txtFolder = nullptr;
    std::array<QRadioButton*, 2> opStyle{};
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QProgressBar* progress = nullptr;
};

struct SsfWindowTexts {
    const char* label;
    std::array<const char*, 2> options;
    const char* ok;
    const char* progressName;
};

SsfWindowControls layOutSsfWindow(QDialog& window, const SsfWindowTexts& texts);

// Shows a controller's progress in the bar.
void showSsfProgress(QProgressBar* bar, bool visible, long long value, long long maximum);

}  // namespace orb
