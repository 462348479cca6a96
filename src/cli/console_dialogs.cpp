#include "cli/console_dialogs.h"

#include <istream>
#include <ostream>
#include <string>

namespace orb {

UserDialogs::Answer ConsoleDialogs::messageBox(const std::string& text, const std::string&,
                                               Icon icon, Buttons buttons, Answer defaultAnswer) {
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) {
        if (assumeYes_) {
            return Answer::Yes;
        }
        if (terminal_ == nullptr) {
            return Answer::No;
        }
        err_ << text << " [y/N] " << std::flush;
        std::string line;
        std::getline(*terminal_, line);
        return !line.empty() && (line[0] == 'y' || line[0] == 'Y') ? Answer::Yes : Answer::No;
    }
    std::ostream& stream = (icon == Icon::Critical || icon == Icon::Exclamation) ? err_ : out_;
    stream << text << '\n';
    return buttons == Buttons::OkCancel ? Answer::Ok : defaultAnswer;
}

std::optional<std::string> ConsoleDialogs::inputBox(const std::string&, const std::string&,
                                                    const std::string&) {
    return std::nullopt;
}

std::string ConsoleDialogs::openFileDialog(const std::string&, const std::string&) {
    return {};
}

std::string ConsoleDialogs::saveFileDialog(const std::string&, const std::string&) {
    return {};
}

}  // namespace orb
