#include "cli/command_docs.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "core/version.h"

namespace orb {
namespace {

// The file type each command's FILE, PATH, IN and OUT name; "" accepts any file.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kFileTypes = {{
    {"backup", ".ODD"},
    {"restore", ".ODD"},
    {"sty-info", ".STY"},
    {"sty-rewrite", ".STY"},
    {"import", ".STY"},
    {"identify", ".STY"},
    {"make-sty", ".STY"},
    {"ssf-import", ".SSF"},
    {"song-import", ""},
}};

struct Token {
    std::string text;  // brackets taken off
    int depth = 0;     // brackets open before it
    int depthAfter = 0;
};

std::vector<Token> tokens(const std::string& usage) {
    std::vector<Token> result;
    std::istringstream words(usage);
    std::string word;
    int depth = 0;
    while (words >> word) {
        Token token;
        std::size_t start = 0;
        while (start < word.size() && (word[start] == '[' || word[start] == '(')) {
            ++depth;
            ++start;
        }
        token.depth = depth;
        for (std::size_t i = start; i < word.size(); ++i) {
            const char c = word[i];
            if (c == '[' || c == '(') {
                ++depth;
            } else if (c == ']' || c == ')') {
                --depth;
            } else {
                token.text += c;
            }
        }
        token.depthAfter = depth;
        result.push_back(token);
    }
    return result;
}

UsageArgument argument(std::string placeholder) {
    UsageArgument result;
    if (placeholder.ends_with("...")) {
        placeholder.resize(placeholder.size() - 3);
        result.repeats = true;
    }
    result.placeholder = placeholder;
    const bool bankPlace = placeholder.size() == 2 && placeholder[0] == 'B' &&
                           placeholder[1] >= '1' && placeholder[1] <= '9';
    if (placeholder == "DIR") {
        result.kind = ArgumentKind::Folder;
    } else if (placeholder == "FILE" || placeholder == "PATH" || placeholder == "IN" ||
               placeholder == "OUT") {
        result.kind = ArgumentKind::File;
    } else if (placeholder == "BANK" || bankPlace) {
        result.kind = ArgumentKind::Bank;
    } else if (placeholder.find('|') != std::string::npos) {
        result.kind = ArgumentKind::Words;
    }
    return result;
}

bool isOption(const std::string& text) {
    return text.starts_with("--");
}

// Escapes text for man(7): backslashes, and a dash in an option name stays a minus sign.
std::string roff(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            result += "\\e";
        } else if (c == '-' && (i + 1 < text.size() && text[i + 1] == '-')) {
            result += "\\-\\-";
            ++i;
        } else if (c == '-' && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '[')) {
            result += "\\-";
        } else {
            result += c;
        }
    }
    // A line that starts with a dot or an apostrophe would be read as a request.
    if (!result.empty() && (result[0] == '.' || result[0] == '\'')) {
        result.insert(0, "\\&");
    }
    return result;
}

// A command or placeholder name with its hyphens as they are typed.
std::string roffName(std::string_view name) {
    std::string result;
    for (char c : name) {
        result += c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return result;
}

std::string kindWord(const UsageArgument& argument, const CommandSyntax& syntax) {
    switch (argument.kind) {
        case ArgumentKind::Folder:
            return "folder";
        case ArgumentKind::File:
            return "file:" + syntax.fileType;
        case ArgumentKind::Bank:
            return "bank";
        case ArgumentKind::Words: {
            std::string words = argument.placeholder;
            std::replace(words.begin(), words.end(), '|', ',');
            return "words:" + words;
        }
        case ArgumentKind::Other:
            break;
    }
    return "other";
}

// The shell part of the completion that does not depend on the commands.
constexpr const char* kCompletionRuntime = R"bash(

# Offers the files of the extensions given (in any letter case), and folders to look in.
_orb_files() {
    local IFS=$'\n' path extension
    compopt -o filenames 2>/dev/null
    for path in $(compgen -f -- "$cur"); do
        if [[ -d $path || $# -eq 0 ]]; then
            COMPREPLY+=("$path")
            continue
        fi
        for extension in "$@"; do
            if [[ ${path^^} == *"$extension" ]]; then
                COMPREPLY+=("$path")
                break
            fi
        done
    done
}

# Offers the names of the stored banks, as `orb banks` lists them (the name is its second field).
_orb_banks() {
    local name database=()
    [[ -n $db ]] && database=(--db "$db")
    while IFS=$'\t' read -r _ name _; do
        [[ -n $name && $name == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done < <("${COMP_WORDS[0]}" "${database[@]}" banks 2>/dev/null)
}

_orb() {
    local cur=${COMP_WORDS[COMP_CWORD]} word command="" db="" pending="" group=""
    local position=0 kind="" i
    COMPREPLY=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ -n $pending ]]; then
            [[ $pending == --db ]] && db=$word
            pending=""
        elif [[ $word == --db ]]; then
            pending=--db
        elif [[ -z $command ]]; then
            [[ $word == -* ]] || command=$word
        elif [[ $word == -* ]]; then
            group=""
            kind=$(_orb_value "$command" "$word")
            if [[ $kind == banks ]]; then
                group=banks
            elif [[ -n $kind ]]; then
                pending=$word
            fi
        elif [[ -z $group ]]; then
            ((position++))
        fi
    done

    if [[ $pending == --db ]]; then
        kind=file:.MDB
    elif [[ -n $pending ]]; then
        kind=$(_orb_value "$command" "$pending")
    elif [[ $cur == -* ]]; then
        if [[ -z $command ]]; then
            COMPREPLY=($(compgen -W "--db --help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$(_orb_options "$command") --db --help" -- "$cur"))
        fi
        return
    elif [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$_orb_commands" -- "$cur"))
        kind=file:.STY,.SSF,.ODD  # a file given alone opens in the windows
    elif [[ -n $group ]]; then
        kind=bank
    else
        local kinds=($(_orb_arguments "$command"))
        kind=other
        for ((i = 0; i < ${#kinds[@]}; i++)); do
            if [[ ${kinds[i]} == *... ]]; then
                # A repeated argument takes every place from here; what follows it may too.
                if ((i + 1 < ${#kinds[@]})); then
                    kind=${kinds[i + 1]}
                else
                    kind=${kinds[i]%...}
                fi
                break
            elif ((i == position)); then
                kind=${kinds[i]}
                break
            fi
        done
    fi

    case $kind in
        folder)
            compopt -o filenames 2>/dev/null
            local IFS=$'\n'
            COMPREPLY+=($(compgen -d -- "$cur"))
            ;;
        file:*)
            local extensions=${kind#file:}
            if [[ -n $extensions ]]; then
                local IFS=,
                _orb_files $extensions
            else
                _orb_files
            fi
            ;;
        bank | banks) _orb_banks ;;
        words:*)
            local IFS=$' \t\n,'
            COMPREPLY=($(compgen -W "${kind#words:}" -- "$cur"))
            ;;
    esac
} &&
    complete -F _orb orb
)bash";

}  // namespace

CommandSyntax commandSyntax(const CliCommand& command) {
    CommandSyntax syntax;
    const std::vector<Token> words = tokens(command.usage);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Token& word = words[i];
        if (word.text.empty() || word.text == "|") {
            continue;
        }
        if (!isOption(word.text)) {
            syntax.arguments.push_back(argument(word.text));
            syntax.arguments.back().optional = word.depth > 0;
            continue;
        }
        UsageOption option{word.text, {}};
        // Its values follow it inside its own brackets, up to the next option or choice.
        int depth = word.depthAfter;
        while (i + 1 < words.size() && depth >= word.depth && words[i + 1].depth >= word.depth &&
               !isOption(words[i + 1].text) && words[i + 1].text != "|") {
            ++i;
            if (words[i].text != "...") {
                option.values.push_back(argument(words[i].text));
            }
            depth = words[i].depthAfter;
        }
        syntax.options.push_back(option);
    }

    bool namesFile = false;
    for (const UsageArgument& argument : syntax.arguments) {
        namesFile = namesFile || argument.kind == ArgumentKind::File;
    }
    const auto type =
        std::find_if(kFileTypes.begin(), kFileTypes.end(),
                     [&command](const auto& entry) { return entry.first == command.name; });
    if (type != kFileTypes.end()) {
        syntax.fileType = type->second;
    } else if (namesFile) {
        throw std::logic_error("The command " + command.name +
                               " names a file whose type is not known to the documentation.");
    }
    return syntax;
}

std::string manPage(const std::vector<CliCommand>& commands, std::string_view date) {
    std::ostringstream page;
    page << ".TH ORB 1 \"" << date << "\" \"ORB " << kVersion
         << "\" \"User Commands\"\n"
         // Options and file names are not broken at their hyphens.
         << ".nh\n.ad l\n"
         << ".SH NAME\n"
         << "orb \\- style librarian for Korg Pa60 and Pa80 arranger keyboards\n"
         << ".SH SYNOPSIS\n"
         << ".B orb\n.RI [ FILE ]\n.br\n"
         << ".B orb\n.RB [ \\-\\-db\n.IR PATH ]\n.I COMMAND\n.RI [ ARGUMENTS ]\n.br\n"
         << ".B orb \\-\\-help\n.br\n.B orb \\-\\-version\n"
         << ".SH DESCRIPTION\n"
         << "ORB keeps every style of your .STY bank files once, byte for byte, in one catalogue "
            "and builds new banks from it for the keyboard's floppy, stick or hard disk.\n"
         << ".PP\n"
         << "Without a command ORB opens its windows. Given a file alone, it opens the window "
            "for it: a bank file (.STY) in the styles window's import, a single style file "
            "(.SSF) in the single style import, a backup (.ODD) in the backup window, checked. "
            "Nothing is stored or restored before you confirm.\n"
         << ".PP\n"
         << "With a command ORB works without windows, on the same catalogue and with the same "
            "rules as the windows.\n"
         << ".SH OPTIONS\n"
         << ".TP\n.BI \\-\\-db \" PATH\"\n"
         << "Use the database PATH instead of the one in the settings (before or after the "
            "command word).\n"
         << ".TP\n.B \\-\\-help\n"
         << "List the commands; after a command word, that command's usage.\n"
         << ".TP\n.B \\-\\-version\nPrint the version.\n"
         << ".SH COMMANDS\n";
    for (const CliCommand& command : commands) {
        const CommandSyntax syntax = commandSyntax(command);
        page << ".TP\n\\fB" << roffName(command.name) << "\\fR";
        if (!command.usage.empty()) {
            page << " \\fI" << roff(command.usage) << "\\fR";
        }
        page << "\n" << roff(command.summary);
        if (!syntax.fileType.empty()) {
            page << " Its files are " << syntax.fileType << " files.";
        }
        page << "\n";
    }
    page << ".SH EXIT STATUS\n"
         << ".TP\n.B 0\nThe command did what it was asked.\n"
         << ".TP\n.B 1\nIt failed; the message on standard error says why. What the command "
            "changes happens whole or not at all.\n"
         << ".TP\n.B 2\nThe file given is no Pa bank file, or the database file is damaged.\n"
         << ".TP\n.B 64\nThe command line was wrong: an unknown command, a missing or unknown "
            "argument.\n"
         << ".SH FILES\n"
         << ".TP\n.I ~/.local/share/ORB/ORB/ORB.MDB\n"
            "The catalogue (an SQLite database), created empty on the first run.\n"
         << ".TP\n.I ~/.config/ORB/ORB.ini\n"
            "The settings: the paths of the parameters window, the windows' places and the "
            "folders last used.\n"
         << ".TP\n.I ~/.local/share/ORB/ORB/Restore points/\n"
            "A copy of the catalogue, or of what a step changed, before each step that changes "
            "much; \\fBorb restore\\-points\\fR lists them and \\fBorb undo\\fR brings one "
            "back.\n"
         << ".SH ENVIRONMENT\n"
         << ".TP\n.B XDG_DATA_HOME\nWhere the catalogue and the restore points are kept "
            "(default ~/.local/share).\n"
         << ".TP\n.B XDG_CONFIG_HOME\nWhere the settings are kept (default ~/.config).\n"
         << ".TP\n.BR DISPLAY \", \" WAYLAND_DISPLAY\nThe desktop the windows open on; without "
            "either ORB runs only commands.\n"
         << ".TP\n.B QT_QPA_PLATFORM\nThe Qt platform for the windows (offscreen draws them "
            "without a desktop).\n"
         << ".SH EXAMPLES\n"
         << ".EX\norb import \\-\\-subfolders ~/Styles\norb bank\\-save \"My Gig\" 12 40 7\n"
            "orb floppy \"My Gig\" \\-\\-to /media/floppy\norb backup ~/orb.ODD\n.EE\n"
         << ".SH SEE ALSO\n"
         << "The README of ORB, which shows every window.\n";
    return page.str();
}

std::string bashCompletion(const std::vector<CliCommand>& commands) {
    std::ostringstream script;
    script << "# bash completion for orb(1)                              -*- shell-script -*-\n"
           << "# Made from orb's command table when ORB is built.\n\n";
    script << "_orb_commands=\"";
    for (std::size_t i = 0; i < commands.size(); ++i) {
        script << (i ? " " : "") << commands[i].name;
    }
    script << "\"\n\n";

    std::ostringstream options;
    std::ostringstream values;
    std::ostringstream arguments;
    for (const CliCommand& command : commands) {
        const CommandSyntax syntax = commandSyntax(command);
        options << "        " << command.name << ") echo \"";
        for (std::size_t i = 0; i < syntax.options.size(); ++i) {
            const UsageOption& option = syntax.options[i];
            options << (i ? " " : "") << option.name;
            if (option.values.empty()) {
                continue;
            }
            // Several values (bank places) are offered until the next option.
            const std::string kind =
                option.values.size() > 1 && option.values.front().kind == ArgumentKind::Bank
                    ? std::string("banks")
                    : kindWord(option.values.front(), syntax);
            values << "        \"" << command.name << " " << option.name << "\") echo " << kind
                   << " ;;\n";
        }
        options << "\" ;;\n";
        arguments << "        " << command.name << ") echo \"";
        for (std::size_t i = 0; i < syntax.arguments.size(); ++i) {
            const UsageArgument& argument = syntax.arguments[i];
            arguments << (i ? " " : "") << kindWord(argument, syntax)
                      << (argument.repeats ? "..." : "");
        }
        arguments << "\" ;;\n";
    }
    script << "# The options of command $1.\n_orb_options() {\n    case $1 in\n"
           << options.str() << "    esac\n}\n\n"
           << "# What option $2 of command $1 takes: other, folder, bank, banks (several), "
              "file:EXTENSIONS, words:A,B; nothing for a flag.\n"
           << "_orb_value() {\n    case \"$1 $2\" in\n"
           << values.str() << "    esac\n}\n\n"
           << "# What the arguments of command $1 are, in order (\"...\": repeated).\n"
           << "_orb_arguments() {\n    case $1 in\n"
           << arguments.str() << "    esac\n}\n"
           << kCompletionRuntime;
    return script.str();
}

}  // namespace orb
