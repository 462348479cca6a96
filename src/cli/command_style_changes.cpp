#include <charconv>
#include <optional>
#include <ostream>

#include "catalogue/style_changes.h"
#include "cli/cli.h"
#include "db/db_korf_style.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kUpdateUsage =
    "[--name N] [--description D] [--family F] [--group G] [--file S] [--author A] STYLE...";
constexpr const char* kDeleteUsage = "[--yes] STYLE...";

std::optional<std::int32_t> styleNumber(const std::string& text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// Loads each listed style without its blocks; false, with a message, at the first number that
// names no style (or when the database fails).
bool loadStyles(DbKORFStyle& access, const std::vector<std::int32_t>& styles,
                std::vector<KORFStylesRow>& rows, std::ostream& err) {
    for (const std::int32_t style : styles) {
        access.StyleProg = style;
        if (!access.GetKORFStylesNoContent()) {
            if (access.clsKORFStylesError.empty()) {
                err << "There is no style " << style << ".\n";
            } else {
                err << "The style " << style << " could not be read: " << access.clsKORFStylesError
                    << "\n";
            }
            return false;
        }
        rows.push_back(access);
    }
    return true;
}

int runStyleUpdate(CliContext& context, const std::vector<std::string>& args) {
    StyleColumnChanges changes;
    std::vector<std::int32_t> styles;
    bool usageError = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        std::optional<std::string>* column = arg == "--name"          ? &changes.StyleName1
                                             : arg == "--description" ? &changes.StyleDesc
                                             : arg == "--family"      ? &changes.StyleFamily
                                             : arg == "--group"       ? &changes.StyleCat
                                             : arg == "--file"        ? &changes.StyleFile
                                             : arg == "--author"      ? &changes.StyleAuthor
                                                                      : nullptr;
        if (column != nullptr && hasValue) {
            *column = args[++i];
        } else if (auto number = styleNumber(arg)) {
            styles.push_back(*number);
        } else {
            usageError = true;
        }
    }
    if (usageError || styles.empty() || changes.empty()) {
        context.err << "Usage: orb style-update " << kUpdateUsage << "\n";
        return kExitUsage;
    }
    if (auto refusal = textRefusal(changes)) {
        context.err << *refusal << "\n";
        return kExitFailure;
    }
    DbKORFStyle access(context.state.connection);
    std::vector<KORFStylesRow> rows;
    if (!loadStyles(access, styles, rows, context.err)) {
        return kExitFailure;
    }
    try {
        const int written = ApplyGroupUpdate(context.state.connection, access, styles, changes);
        context.out << written << (written == 1 ? " style" : " styles") << " updated.\n";
    } catch (const StyleChangeError& e) {
        context.err << "The styles could not be updated; none was changed: " << e.what() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int runStyleDelete(CliContext& context, const std::vector<std::string>& args) {
    std::vector<std::int32_t> styles;
    bool confirmed = false;
    bool usageError = false;
    for (const std::string& arg : args) {
        if (arg == "--yes") {
            confirmed = true;
        } else if (auto number = styleNumber(arg)) {
            styles.push_back(*number);
        } else {
            usageError = true;
        }
    }
    if (usageError || styles.empty()) {
        context.err << "Usage: orb style-delete " << kDeleteUsage << "\n";
        return kExitUsage;
    }
    DbKORFStyle access(context.state.connection);
    std::vector<KORFStylesRow> rows;
    if (!loadStyles(access, styles, rows, context.err)) {
        return kExitFailure;
    }
    for (const KORFStylesRow& row : rows) {
        // The name as the style list shows it, without the padding of code 0.
        std::string name = row.StyleName1;
        std::erase(name, '\0');
        context.out << row.StyleProg << '\t' << name << '\n';
    }
    if (!confirmed) {
        context.out << "Without --yes nothing is deleted.\n";
        return kExitOk;
    }
    try {
        DeleteStylesEverywhere(context.state.connection, access, styles);
    } catch (const StyleChangeError& e) {
        context.err << "The styles could not be deleted; none was changed: " << e.what() << "\n";
        return kExitFailure;
    }
    context.out << rows.size() << (rows.size() == 1 ? " style" : " styles")
                << " deleted from the catalogue, the banks and the song links.\n";
    return kExitOk;
}

}  // namespace

CliCommand makeStyleUpdateCommand() {
    return CliCommand{"style-update", kUpdateUsage,
                      "Sets the given columns of the styles numbered STYLE..., all in one "
                      "transaction; if the database refuses a value, no style changes.",
                      CliCommand::DatabaseUse::OpenExisting, runStyleUpdate};
}

CliCommand makeStyleDeleteCommand() {
    return CliCommand{"style-delete", kDeleteUsage,
                      "Lists the styles numbered STYLE...; with --yes deletes them from the "
                      "catalogue, from every bank and from every song link, in one transaction.",
                      CliCommand::DatabaseUse::OpenExisting, runStyleDelete};
}

}  // namespace orb
