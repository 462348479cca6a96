#include "core/user_dialogs.h"

namespace orb {

void UserDialogs::message(const std::string& text, Icon icon, const std::string& title) {
    messageBox(text, title, icon, Buttons::Ok, Answer::Ok);
}

bool UserDialogs::question(const std::string& text, const std::string& title) {
    return messageBox(text, title, Icon::Question, Buttons::YesNo, Answer::No) == Answer::Yes;
}

}  // namespace orb
