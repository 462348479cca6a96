#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/user_dialogs.h"

namespace orb::test {

// UserDialogs for tests: records every call exactly and answers from queues. A question (a box
// with Yes/No buttons), an input box or a file dialog without a queued answer fails the test.
class ScriptedDialogs : public UserDialogs {
public:
    struct Call {
        enum class Kind { MessageBox, InputBox, SecretInputBox, OpenFile, SaveFile, Folder };
        Kind kind;
        std::string text;  // message or prompt; the filter for file dialogs
        std::string title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        Answer defaultAnswer = Answer::Ok;
        std::string proposal;  // input box proposal; initial name or folder of file dialogs
    };

    // Answers, used in order.
    void answer(Answer next) { answers_.push_back(next); }
    void input(std::optional<std::string> next) { inputs_.push_back(std::move(next)); }
    // Answers of file and folder dialogs alike.
    void file(std::string next) { files_.push_back(std::move(next)); }

    const std::vector<Call>& calls() const { return calls_; }
    // The texts of all message boxes, in order.
    std::vector<std::string> messages() const;
    void clear() { calls_.clear(); }
    // True when every queued answer has been used.
    bool allAnswersUsed() const { return answers_.empty() && inputs_.empty() && files_.empty(); }

    int processEventsCount() const { return processEvents_; }
    bool waitCursor() const { return waitCursorDepth_ > 0; }

    Answer messageBox(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                      Answer defaultAnswer) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposal) override;
    std::optional<std::string> secretInputBox(const std::string& prompt,
                                              const std::string& title) override;
    std::string openFileDialog(const std::string& filter,
                               const std::string& initialFolder) override;
    std::string folderDialog(const std::string& initialFolder) override;
    std::string saveFileDialog(const std::string& filter, const std::string& initialName) override;
    void setWaitCursor(bool waiting) override { waitCursorDepth_ += waiting ? 1 : -1; }
    void showProgress(const std::string&, long long, long long) override {}
    void hideProgress() override {}
    void processEvents() override {
        ++processEvents_;
        if (onProcessEvents_) {
            onProcessEvents_();
        }
    }
    // Runs `hook` each time a question is asked, before it is answered: what another program
    // may do while the person reads.
    void onQuestion(std::function<void()> hook) { onQuestion_ = std::move(hook); }
    // Runs `hook` each time pending events are let run, as a person's click would be seen then.
    void onProcessEvents(std::function<void()> hook) { onProcessEvents_ = std::move(hook); }
    // The cancel check of long jobs answers true from its `nth` call on (1 = the first).
    void cancelAtCheck(int nth) { cancelAt_ = nth; }
    bool cancelRequested() override { return cancelAt_ > 0 && ++cancelChecks_ >= cancelAt_; }
    int cancelChecks() const { return cancelChecks_; }

private:
    std::string nextFile(Call::Kind kind, const std::string& text, const std::string& proposal);
    std::optional<std::string> nextInput(Call::Kind kind, const std::string& prompt,
                                         const std::string& title, const std::string& proposal);

    std::vector<Call> calls_;
    std::function<void()> onQuestion_;
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> inputs_;
    std::deque<std::string> files_;
    int processEvents_ = 0;
    std::function<void()> onProcessEvents_;
    int cancelAt_ = 0;
    int cancelChecks_ = 0;
    int waitCursorDepth_ = 0;
};

}  // namespace orb::test
