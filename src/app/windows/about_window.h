#pragma once

#include <QDialog>

namespace orb {

// The about box: the picture and a few notes; any key, or a click on the picture or a note,
// closes it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPictureToolTip =
        "Version 2.31 (Jan, 2004)  - Press a key or a mouse button to exit!";

    explicit AboutWindow(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace orb
