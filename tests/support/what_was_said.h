#pragma once

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/test_environment.h"

namespace orb::test {

// What one run of a command said, as one value: its status, standard output and standard error.
using Said = std::tuple<int, std::string, std::string>;

inline Said said(const CliRun& run) {
    return {run.status, run.out, run.err};
}

// A failed run that wrote only `message`, as one line, to standard error.
inline Said refused(const std::string& message) {
    return {1, "", message + "\n"};
}

// A run that went well and wrote only `output`, as one line, to standard output.
inline Said told(const std::string& output) {
    return {0, output + "\n", ""};
}

// The message boxes shown, each text with its icon.
using Shown = std::vector<std::pair<std::string, UserDialogs::Icon>>;

inline Shown shown(const ScriptedDialogs& dialogs) {
    Shown boxes;
    for (const ScriptedDialogs::Call& call : dialogs.calls()) {
        if (call.kind == ScriptedDialogs::Call::Kind::MessageBox) {
            boxes.emplace_back(call.text, call.icon);
        }
    }
    return boxes;
}

// `text` with every `from` replaced by `to`.
inline std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace orb::test
