#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "songs/link_edit.h"

class QLineEdit;

namespace orb {

// The link edit window (a link's note, tempo and transposition) over its controller.
class LinkEditWindow : public QDialog {
    Q_OBJECT
public:
    LinkEditWindow(const std::string& caption, const LinkValues& values, QWidget* parent = nullptr);

    LinkEditController& controller() { return controller_; }

    // Shows the dialog modally: the edited values after "Ok", nothing after "Exit".
    static std::optional<LinkValues> edit(QWidget* parent, const std::string& caption,
                                          const LinkValues& values);

private:
    void render();

    LinkEditController controller_;
    std::array<QLineEdit*, 3> fields_{};
};

}  // namespace orb
