#pragma once

#include <iostream>
#include <optional>
#include <string>

#include "core/user_dialogs.h"

namespace orb::bench {

// Dialogs that never appear: a benchmark asks no questions; messages go to standard error.
class SilentDialogs : public UserDialogs {
public:
    Answer messageBox(const std::string& text, const std::string&, Icon, Buttons,
                      Answer answer) override {
        std::cerr << "message: " << text << "\n";
        return answer;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::string openFileDialog(const std::string&) override { return {}; }
    std::string saveFileDialog(const std::string&, const std::string&) override { return {}; }
    void setWaitCursor(bool) override {}
    void showProgress(const std::string&, long long, long long) override {}
    void hideProgress() override {}
    void processEvents() override {}
};

}  // namespace orb::bench
