#pragma once

#include <gtest/gtest.h>

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
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const Call& call : calls_) {
            if (call.kind == Call::Kind::MessageBox) {
                texts.push_back(call.text);
            }
        }
        return texts;
    }
    void clear() { calls_.clear(); }
    // True when every queued answer has been used.
    bool allAnswersUsed() const { return answers_.empty() && inputs_.empty() && files_.empty(); }

    int processEventsCount() const { return processEvents_; }
    bool waitCursor() const { return waitCursorDepth_ > 0; }

    Answer messageBox(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                      Answer defaultAnswer) override {
        calls_.push_back({Call::Kind::MessageBox, text, title, icon, buttons, defaultAnswer, {}});
        if (buttons == Buttons::Ok) {
            return Answer::Ok;
        }
        if (onQuestion_) {
            onQuestion_();
        }
        return next(answers_, defaultAnswer, "question", text);
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposal) override {
        return nextInput(Call::Kind::InputBox, prompt, title, proposal);
    }
    std::optional<std::string> secretInputBox(const std::string& prompt,
                                              const std::string& title) override {
        return nextInput(Call::Kind::SecretInputBox, prompt, title, {});
    }
    std::string openFileDialog(const std::string& filter,
                               const std::string& initialFolder) override {
        return nextFile(Call::Kind::OpenFile, filter, initialFolder);
    }
    std::string folderDialog(const std::string& initialFolder) override {
        return nextFile(Call::Kind::Folder, {}, initialFolder);
    }
    std::string saveFileDialog(const std::string& filter, const std::string& initialName) override {
        return nextFile(Call::Kind::SaveFile, filter, initialName);
    }
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
    // The next queued answer; without one the test fails and `none` is the answer.
    template <typename T>
    static T next(std::deque<T>& queue, T none, const char* what, const std::string& text) {
        if (queue.empty()) {
            ADD_FAILURE() << "Unexpected " << what << ": " << text;
            return none;
        }
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
    std::string nextFile(Call::Kind kind, const std::string& text, const std::string& proposal) {
        calls_.push_back({kind, text, {}, Icon::None, Buttons::Ok, Answer::Ok, proposal});
        return next<std::string>(files_, {}, "file or folder dialog", text);
    }
    std::optional<std::string> nextInput(Call::Kind kind, const std::string& prompt,
                                         const std::string& title, const std::string& proposal) {
        calls_.push_back(
            {kind, prompt, title, Icon::None, Buttons::OkCancel, Answer::Ok, proposal});
        return next<std::optional<std::string>>(inputs_, std::nullopt, "input box", prompt);
    }

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
