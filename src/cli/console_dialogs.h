#pragma once

#include <iosfwd>

#include "core/user_dialogs.h"

namespace orb {

// Dialogs of the command line: messages go to the streams (errors and warnings to `err`),
// questions are answered Yes when the command was given --yes, else asked on the terminal when
// the command allows it (askOn) and answered No otherwise; there is nobody to type into an
// input box or pick a file.
class ConsoleDialogs : public UserDialogs {
public:
    ConsoleDialogs(std::ostream& out, std::ostream& err, bool assumeYes)
        : out_(out), err_(err), assumeYes_(assumeYes) {}

    Answer messageBox(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                      Answer defaultAnswer) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposal) override;
    std::optional<std::string> secretInputBox(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::string openFileDialog(const std::string& filter, const std::string&) override;
    std::string folderDialog(const std::string&) override { return {}; }
    std::string saveFileDialog(const std::string& filter, const std::string& initialName) override;
    void setWaitCursor(bool) override {}
    void showProgress(const std::string&, long long, long long) override {}
    void hideProgress() override {}
    void processEvents() override {}

    void setAssumeYes(bool assumeYes) { assumeYes_ = assumeYes; }
    // Questions are asked on `err` and answered by a line of `terminal`: Yes when it starts
    // with "y" or "Y".
    void askOn(std::istream& terminal) { terminal_ = &terminal; }

private:
    std::ostream& out_;
    std::ostream& err_;
    bool assumeYes_;
    std::istream* terminal_ = nullptr;
};

}  // namespace orb
