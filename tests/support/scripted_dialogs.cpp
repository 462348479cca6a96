#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace orb::test {

std::vector<std::string> ScriptedDialogs::messages() const {
    std::vector<std::string> texts;
    for (const Call& call : calls_) {
        if (call.kind == Call::Kind::MessageBox) {
            texts.push_back(call.text);
        }
    }
    return texts;
}

UserDialogs::Answer ScriptedDialogs::messageBox(const std::string& text, const std::string& title,
                                                Icon icon, Buttons buttons, Answer defaultAnswer) {
    calls_.push_back({Call::Kind::MessageBox, text, title, icon, buttons, defaultAnswer, {}});
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "Unexpected question: " << text;
        return defaultAnswer;
    }
    const Answer next = answers_.front();
    answers_.pop_front();
    return next;
}

std::optional<std::string> ScriptedDialogs::inputBox(const std::string& prompt,
                                                     const std::string& title,
                                                     const std::string& proposal) {
    calls_.push_back(
        {Call::Kind::InputBox, prompt, title, Icon::None, Buttons::OkCancel, Answer::Ok, proposal});
    if (inputs_.empty()) {
        ADD_FAILURE() << "Unexpected input box: " << prompt;
        return std::nullopt;
    }
    auto next = inputs_.front();
    inputs_.pop_front();
    return next;
}

std::string ScriptedDialogs::openFileDialog(const std::string& filter) {
    calls_.push_back({Call::Kind::OpenFile, filter, {}, Icon::None, Buttons::Ok, Answer::Ok, {}});
    if (files_.empty()) {
        ADD_FAILURE() << "Unexpected open-file dialog: " << filter;
        return {};
    }
    auto next = files_.front();
    files_.pop_front();
    return next;
}

std::string ScriptedDialogs::saveFileDialog(const std::string& filter,
                                            const std::string& initialName) {
    calls_.push_back(
        {Call::Kind::SaveFile, filter, {}, Icon::None, Buttons::Ok, Answer::Ok, initialName});
    if (files_.empty()) {
        ADD_FAILURE() << "Unexpected save-file dialog: " << filter;
        return {};
    }
    auto next = files_.front();
    files_.pop_front();
    return next;
}

}  // namespace orb::test
