#include <optional>
#include <ostream>

#include "catalogue/style_changes.h"
#include "cli/cli.h"
#include "core/ascii_text.h"
#include "db/restore_points.h"
#include "db/style_store.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kUpdateUsage =
    "[--name N] [--description D] [--family F] [--group G] [--file S] [--author A] STYLE...";
constexpr const char* kDeleteUsage = "[--yes] STYLE...";

// Loads each listed style without its blocks; false, with a message, at the first number that
// names no style.
bool loadStyles(Database& database, const std::vector<std::int32_t>& styles,
                std::vector<StyleRow>& rows, std::ostream& err) {
    StyleStore store(database);
    for (const std::int32_t style : styles) {
        std::optional<StyleRow> row = store.findWithoutBlocks(style);
        if (!row) {
            err << "There is no style " << style << ".\n";
            return false;
        }
        rows.push_back(std::move(*row));
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
        } else if (auto number = wholeNumber<std::int32_t>(arg)) {
            styles.push_back(*number);
        } else {
            usageError = true;
        }
    }
    if (usageError || styles.empty() || changes.empty()) {
        context.err << "Usage: orb style-update " << kUpdateUsage << "\n";
        return kExitUsage;
    }
    std::vector<StyleRow> rows;
    if (!loadStyles(context.state.connection, styles, rows, context.err)) {
        return kExitFailure;
    }
    try {
        const int written = ApplyGroupUpdate(context.state, styles, changes);
        context.out << written << (written == 1 ? " style" : " styles") << " updated.\n";
    } catch (const StoreError& e) {
        context.err << failureMessage(e, "The styles could not be updated; none was changed: ", "",
                                      "None was changed.")
                    << "\n";
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
        } else if (auto number = wholeNumber<std::int32_t>(arg)) {
            styles.push_back(*number);
        } else {
            usageError = true;
        }
    }
    if (usageError || styles.empty()) {
        context.err << "Usage: orb style-delete " << kDeleteUsage << "\n";
        return kExitUsage;
    }
    std::vector<StyleRow> rows;
    if (!loadStyles(context.state.connection, styles, rows, context.err)) {
        return kExitFailure;
    }
    for (const StyleRow& row : rows) {
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
        DeleteStylesEverywhere(context.state, styles);
    } catch (const RestorePointError& e) {
        context.err << e.what() << "\n";
        return kExitFailure;
    } catch (const StoreError& e) {
        context.err << failureMessage(e, "The styles could not be deleted; none was changed: ", "")
                    << "\n";
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
