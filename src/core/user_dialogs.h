#pragma once

#include <optional>
#include <string>

namespace orb {

// The one road from the logic to the person: every message box, question, input box and file
// dialog goes through here. The windows supply a Qt implementation, the command line a console
// one, and tests a scripted one that records each call and answers from a queue.
class UserDialogs {
public:
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~UserDialogs() = default;

    // A modal message box. `defaultAnswer` is the button that Enter presses.
    virtual Answer messageBox(const std::string& text, const std::string& title, Icon icon,
                              Buttons buttons, Answer defaultAnswer) = 0;

    // Input box; nullopt when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& proposal) = 0;

    // An input box whose text is masked as it is typed (a password); nullopt when cancelled.
    virtual std::optional<std::string> secretInputBox(const std::string& prompt,
                                                      const std::string& title) = 0;

    // File dialogs with a filter of the form "description|pattern|description|pattern".
    // They return the chosen path, or the empty string when cancelled. The open dialog starts
    // in `initialFolder`; the save dialog in the folder of `initialName`, which may be a path.
    virtual std::string openFileDialog(const std::string& filter,
                                       const std::string& initialFolder) = 0;
    virtual std::string saveFileDialog(const std::string& filter,
                                       const std::string& initialName) = 0;

    // A folder dialog starting at `initialFolder`; the chosen folder, or "" when cancelled.
    virtual std::string folderDialog(const std::string& initialFolder) = 0;

    virtual void setWaitCursor(bool waiting) = 0;

    // Progress of long work that has no bar of its own in its window; maximum 0 means unknown.
    virtual void showProgress(const std::string& label, long long value, long long maximum) = 0;
    virtual void hideProgress() = 0;

    // Lets pending window events run, so that windows repaint during long loops.
    virtual void processEvents() = 0;

    // Asked at every checkpoint of a long job (after processEvents): true stops the job as its
    // Cancel button does. Windows cancel through their own button, so by default nobody asks.
    virtual bool cancelRequested() { return false; }

    // Conveniences with the usual titles and icons.
    void message(const std::string& text, Icon icon, const std::string& title = "ORB");
    // Yes/No with the question icon and No as the default button; true on Yes.
    bool question(const std::string& text, const std::string& title = "ORB");
};

// The wait cursor for as long as the object lives, whatever way the work ends.
class WaitCursor {
public:
    explicit WaitCursor(UserDialogs& dialogs) : dialogs_(dialogs) { dialogs_.setWaitCursor(true); }
    ~WaitCursor() { dialogs_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserDialogs& dialogs_;
};

}  // namespace orb
