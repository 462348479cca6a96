#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orb {

struct CliCommand;

// A command's arguments as QCommandLineParser read them against its usage line: the options
// given (by name, without the dashes) with their values, and the other arguments in order.
class CommandArguments {
public:
    bool has(std::string_view option) const { return options_.contains(std::string(option)); }
    // The value of an option that takes one, when it is given.
    std::optional<std::string> value(std::string_view option) const;
    // Every value of an option that takes several ("--floppy B1 B2 B3").
    std::vector<std::string> values(std::string_view option) const;
    const std::vector<std::string>& positional() const { return positional_; }
    // The arguments from `first` on as whole numbers; nothing when one is not a number.
    std::optional<std::vector<std::int32_t>> numbers(std::size_t first = 0) const;

private:
    friend struct CommandLineReading;
    std::map<std::string, std::vector<std::string>> options_;
    std::vector<std::string> positional_;
};

// What reading a command's words gave: the arguments, or a usage error's message; --help asked
// for; the --db path when the words carry one.
struct CommandLineReading {
    std::optional<CommandArguments> arguments;
    std::string usageError;
    bool help = false;
    std::optional<std::string> database;

    static CommandLineReading read(const CliCommand& command,
                                   const std::vector<std::string>& words);
};

// The top level of `orb [--db PATH] [--help] [--version] COMMAND ...`.
struct GlobalReading {
    std::string usageError;  // set when the words are wrong
    bool help = false;
    bool version = false;
    std::optional<std::string> database;
    std::vector<std::string> command;  // the command word and its words

    static GlobalReading read(const std::vector<std::string>& args);
};

// "Usage: orb NAME USAGE\n".
std::string usageLine(const CliCommand& command);

}  // namespace orb
