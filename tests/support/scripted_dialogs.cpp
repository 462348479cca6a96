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
    if (onQuestion_) {
        onQuestion_();
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "Unexpected question: " << text;
        return defaultAnswer;
    }
    const Answer next = answers_.front();
    answers_.pop_front();
    return next;
}

std::optional<std::string> ScriptedDialogs::nextInput(Call::Kind kind, const std::string& prompt,
                                                      const std::string& title,
                                                      const std::string& proposal) {
    calls_.push_back({kind, prompt, title, Icon::None, Buttons::OkCancel, Answer::Ok, proposal});
    if (inputs_.empty()) {
        ADD_FAILURE() << "Unexpected input box: " << prompt;
        return std::nullopt;
    }
    auto next = inputs_.front();
    inputs_.pop_front();
    return next;
}

std::optional<std::string> ScriptedDialogs::inputBox(const std::string& prompt,
                                                     const std::string& title,
                                                     const std::string& proposal) {
    return nextInput(Call::Kind::InputBox, prompt, title, proposal);
}

std::optional<std::string> ScriptedDialogs::secretInputBox(const std::string& prompt,
                                                           const std::string& title) {
    return nextInput(Call::Kind::SecretInputBox, prompt, title, {});
}

std::string ScriptedDialogs::nextFile(Call::Kind kind, const std::string& text,
                                      const std::string& proposal) {
    calls_.push_back({kind, text, {}, Icon::None, Buttons::Ok, Answer::Ok, proposal});
    if (files_.empty()) {
        ADD_FAILURE() << "Unexpected file or folder dialog: " << text;
        return {};
    }
    auto next = files_.front();
    files_.pop_front();
    return next;
}

std::string ScriptedDialogs::openFileDialog(const std::string& filter,
                                            const std::string& initialFolder) {
    return nextFile(Call::Kind::OpenFile, filter, initialFolder);
}

std::string ScriptedDialogs::saveFileDialog(const std::string& filter,
                                            const std::string& initialName) {
    return nextFile(Call::Kind::SaveFile, filter, initialName);
}

std::string ScriptedDialogs::folderDialog(const std::string& initialFolder) {
    return nextFile(Call::Kind::Folder, {}, initialFolder);
}

}  // namespace orb::test
