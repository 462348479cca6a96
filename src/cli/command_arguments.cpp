#include "cli/command_arguments.h"

#include <QCommandLineParser>
#include <algorithm>

#include "cli/cli.h"
#include "cli/command_docs.h"
#include "core/ascii_text.h"

namespace orb {
namespace {

// Words go into the parser one byte to one character and come back the same way, so that an
// argument that is not UTF-8 reaches the command as it was typed, for the text gate to refuse.
QString qt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string bytes(const QString& text) {
    return text.toLatin1().toStdString();
}

std::vector<std::string> strings(const QStringList& list) {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& text : list) {
        result.push_back(bytes(text));
    }
    return result;
}

// The first option named more than once, when one is.
std::optional<QString> repeatedOption(const QStringList& names) {
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.indexOf(names[i], i + 1) >= 0) {
            return names[i];
        }
    }
    return std::nullopt;
}

std::string repeatedMessage(const QString& name) {
    return "The option --" + bytes(name) + " is given more than once.\n";
}

}  // namespace

std::optional<std::string> CommandArguments::value(std::string_view option) const {
    const auto found = options_.find(std::string(option));
    if (found == options_.end() || found->second.empty()) {
        return std::nullopt;
    }
    return found->second.back();
}

std::vector<std::string> CommandArguments::values(std::string_view option) const {
    const auto found = options_.find(std::string(option));
    return found == options_.end() ? std::vector<std::string>() : found->second;
}

std::optional<std::vector<std::int32_t>> CommandArguments::numbers(std::size_t first) const {
    std::vector<std::int32_t> result;
    for (std::size_t i = first; i < positional_.size(); ++i) {
        const auto number = wholeNumber<std::int32_t>(positional_[i]);
        if (!number) {
            return std::nullopt;
        }
        result.push_back(*number);
    }
    return result;
}

std::string usageLine(const CliCommand& command) {
    return "Usage: orb " + command.name + (command.usage.empty() ? "" : " ") + command.usage + "\n";
}

CommandLineReading CommandLineReading::read(const CliCommand& command,
                                            const std::vector<std::string>& words) {
    const CommandSyntax syntax = commandSyntax(command);
    CommandLineReading reading;
    CommandArguments arguments;

    QCommandLineParser parser;
    parser.addOption(QCommandLineOption("db", {}, "PATH"));
    parser.addOption(QCommandLineOption("help"));
    // An option of several values ("--floppy B1 B2 B3") takes the words up to the next option;
    // QCommandLineParser knows one value per option, so those are gathered here.
    std::vector<std::string> severalValues;
    for (const UsageOption& option : syntax.options) {
        const std::string name = option.name.substr(2);
        if (option.values.size() > 1) {
            severalValues.push_back(name);
        }
        parser.addOption(QCommandLineOption(
            qt(name), {}, option.values.empty() ? QString() : qt(option.values[0].placeholder)));
    }
    QStringList list{"orb"};
    QStringList gathered;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool several =
            word.starts_with("--") && std::find(severalValues.begin(), severalValues.end(),
                                                word.substr(2)) != severalValues.end();
        if (!several) {
            list << qt(word);
            continue;
        }
        const std::string name = word.substr(2);
        gathered << qt(name);
        std::vector<std::string>& values = arguments.options_[name];
        while (i + 1 < words.size() && !words[i + 1].starts_with("--")) {
            values.push_back(words[++i]);
        }
    }
    if (!parser.parse(list)) {
        reading.usageError = bytes(parser.errorText()) + "\n" + usageLine(command);
        return reading;
    }
    const QStringList names = parser.optionNames() + gathered;
    if (const auto repeated = repeatedOption(names)) {
        reading.usageError = repeatedMessage(*repeated) + "Usage: orb [--db PATH] " + command.name +
                             " " + command.usage + "\n";
        return reading;
    }
    if (parser.isSet("help")) {
        reading.help = true;
        return reading;
    }
    if (parser.isSet("db")) {
        reading.database = bytes(parser.value("db"));
    }
    for (const UsageOption& option : syntax.options) {
        const std::string name = option.name.substr(2);
        if (parser.isSet(qt(name))) {
            arguments.options_[name] = strings(parser.values(qt(name)));
        }
    }
    arguments.positional_ = strings(parser.positionalArguments());

    std::size_t fewest = 0;
    bool endless = false;
    for (const UsageArgument& argument : syntax.arguments) {
        fewest += argument.optional ? 0 : 1;
        endless = endless || argument.repeats;
    }
    const std::size_t given = arguments.positional_.size();
    if (given < fewest || (!endless && given > syntax.arguments.size())) {
        reading.usageError = usageLine(command);
        return reading;
    }
    reading.arguments = std::move(arguments);
    return reading;
}

GlobalReading GlobalReading::read(const std::vector<std::string>& args) {
    GlobalReading reading;
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(QCommandLineOption("db", {}, "PATH"));
    parser.addOption(QCommandLineOption(QStringList{"h", "help"}));
    parser.addOption(QCommandLineOption("version"));
    QStringList list{"orb"};
    for (const std::string& arg : args) {
        list << qt(arg);
    }
    if (!parser.parse(list)) {
        reading.usageError = !args.empty() && args.back() == "--db"
                                 ? "--db needs a path.\n"
                                 : bytes(parser.errorText()) + " Try orb --help.\n";
        return reading;
    }
    if (const auto repeated = repeatedOption(parser.optionNames())) {
        reading.usageError = repeatedMessage(*repeated);
        return reading;
    }
    reading.help = parser.isSet("help");
    reading.version = parser.isSet("version");
    if (parser.isSet("db")) {
        reading.database = bytes(parser.value("db"));
    }
    reading.command = strings(parser.positionalArguments());
    return reading;
}

}  // namespace orb
