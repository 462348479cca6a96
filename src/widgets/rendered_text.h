#pragma once

#include <QLineEdit>
#include <string>

namespace orb {

// Shows a controller's text in a line edit. Only a changed text is set, so that rendering while
// the person types keeps the cursor where it is.
inline void showText(QLineEdit* edit, const std::string& text) {
    const QString wanted = QString::fromStdString(text);
    if (edit->text() != wanted) {
        edit->setText(wanted);
    }
}

}  // namespace orb
