#include "cli/console_dialogs.h"

#include <ostream>

namespace orb {

UserDialogs::Answer ConsoleDialogs::messageBox(const std::string& text, const std::string&,
                                               Icon icon, Buttons buttons, Answer defaultAnswer) {
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) {
        return assumeYes_ ? Answer::Yes : Answer::No;
    }
    std::ostream& stream = (icon == Icon::Critical || icon == Icon::Exclamation) ? err_ : out_;
    stream << text << '\n';
    return buttons == Buttons::OkCancel ? Answer::Ok : defaultAnswer;
}

std::optional<std::string> ConsoleDialogs::inputBox(const std::string&, const std::string&,
                                                    const std::string&) {
    return std::nullopt;
}

std::string ConsoleDialogs::openFileDialog(const std::string&) {
    return {};
}

std::string ConsoleDialogs::saveFileDialog(const std::string&, const std::string&) {
    return {};
}

}  // namespace orb
