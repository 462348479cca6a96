#include <optional>
#include <ostream>

#include "catalogue/style_changes.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "core/ascii_text.h"
#include "db/restore_points.h"
#include "db/style_store.h"
#include "state/app_state.h"

namespace orb {
namespace {

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

int runStyleUpdate(CliContext& context, const CommandArguments& args) {
    const StyleColumnChanges changes{args.value("name"),   args.value("description"),
                                     args.value("family"), args.value("group"),
                                     args.value("file"),   args.value("author")};
    const auto styles = args.numbers();
    if (!styles || changes.empty()) {
        return usageError(context);
    }
    std::vector<StyleRow> rows;
    if (!loadStyles(context.state.connection, *styles, rows, context.err)) {
        return kExitFailure;
    }
    try {
        const int written = ApplyGroupUpdate(context.state, *styles, changes);
        context.out << written << (written == 1 ? " style" : " styles") << " updated.\n";
    } catch (const StoreError& e) {
        context.err << failureMessage(e, "The styles could not be updated; none was changed: ", "",
                                      "None was changed.")
                    << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int runStyleDelete(CliContext& context, const CommandArguments& args) {
    const auto styles = args.numbers();
    if (!styles) {
        return usageError(context);
    }
    std::vector<StyleRow> rows;
    if (!loadStyles(context.state.connection, *styles, rows, context.err)) {
        return kExitFailure;
    }
    for (const StyleRow& row : rows) {
        // The name as the style list shows it, without the padding of code 0.
        std::string name = row.StyleName1;
        std::erase(name, '\0');
        context.out << row.StyleProg << '\t' << name << '\n';
    }
    if (!args.has("yes")) {
        context.out << "Without --yes nothing is deleted.\n";
        return kExitOk;
    }
    try {
        DeleteStylesEverywhere(context.state, *styles);
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
    return CliCommand{
        "style-update",
        "[--name N] [--description D] [--family F] [--group G] [--file S] [--author A] STYLE...",
        "Sets the given columns of the styles numbered STYLE..., all in one "
        "transaction; if the database refuses a value, no style changes.",
        CliCommand::DatabaseUse::OpenExisting, runStyleUpdate};
}

CliCommand makeStyleDeleteCommand() {
    return CliCommand{"style-delete", "[--yes] STYLE...",
                      "Lists the styles numbered STYLE...; with --yes deletes them from the "
                      "catalogue, from every bank and from every song link, in one transaction.",
                      CliCommand::DatabaseUse::OpenExisting, runStyleDelete};
}

}  // namespace orb
