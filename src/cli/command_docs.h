#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"

namespace orb {

// What a command's argument, or an option's value, names; the shell completion offers it.
enum class ArgumentKind {
    Other,   // a number, a name, a text: nothing to offer
    Folder,  // DIR
    File,    // FILE, PATH, IN, OUT: a file of the command's file type (or a folder to look in)
    Bank,    // BANK, B1 ... B9: a stored bank
    Words,   // one of the words given ("content|name|all")
};

struct UsageArgument {
    std::string placeholder;  // as the usage writes it, brackets and "..." taken off
    ArgumentKind kind = ArgumentKind::Other;
    bool repeats = false;   // "STYLE...": as many as wanted
    bool optional = false;  // inside brackets or a choice: "[N]", "(--all | STYLE...)"
};

struct UsageOption {
    std::string name;  // "--mode"
    // Its value, or its values when it takes several ("--floppy B1 [B2 [B3]]"); none for a flag.
    std::vector<UsageArgument> values;
};

// A command's syntax as its usage line writes it; the command line's parser is built from it, so
// that what a command accepts, its --help, the manual page and the completion cannot differ.
struct CommandSyntax {
    std::vector<UsageOption> options;
    std::vector<UsageArgument> arguments;  // in order, options aside
    // The extension of the files its FILE, PATH, IN and OUT name (".STY"); empty for any file.
    std::string fileType;
};

// Reads the usage line of `command`. Throws std::logic_error for a command that names a file
// but whose file type is not known here, so that a new command cannot go undescribed.
CommandSyntax commandSyntax(const CliCommand& command);

// The manual page orb(1) in man(7) format, from the same commands that --help lists.
// `date` is the release date (YYYY-MM-DD).
std::string manPage(const std::vector<CliCommand>& commands, std::string_view date);

// The bash completion script for orb, from the same commands.
std::string bashCompletion(const std::vector<CliCommand>& commands);

}  // namespace orb
