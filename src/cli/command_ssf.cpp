#include <filesystem>
#include <optional>
#include <ostream>

#include "catalogue/current_bank.h"
#include "catalogue/style_list.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/ascii_text.h"
#include "core/file_choice.h"
#include "core/job_progress.h"
#include "core/text.h"
#include "state/app_state.h"
#include "stylefiles/ssf_export.h"
#include "stylefiles/ssf_import.h"

namespace orb {
namespace {

int runExport(CliContext& context, const CommandArguments& args) {
    const std::vector<std::string>& given = args.positional();
    const std::string& folder = given.back();
    // One of --all, --bank or the style numbers, then the folder.
    const bool chosen = args.has("all") || args.has("bank");
    if ((args.has("all") && args.has("bank")) || chosen != (given.size() == 1)) {
        return usageError(context);
    }
    std::vector<std::int32_t> styles;
    std::string notice = SsfExportController::kSelectedDone;
    if (args.has("all")) {
        for (const StyleListRow& row : GetAllStyles(context.state)) {
            styles.push_back(row.StyleProg);
        }
        notice = SsfExportController::kAllDone;
    } else if (const auto named = args.value("bank")) {
        // The stored bank's styles in slot order, as loading it would give them; the bank being
        // edited stays as it is.
        const std::optional<BankRow> bank = StoredBankGiven(context.state.connection, *named);
        if (!bank) {
            context.err << "There is no bank " << *named << ".\n";
            return kExitFailure;
        }
        for (const std::int32_t style : bank->BankStyle) {
            if (style != 0) {
                styles.push_back(style);
            }
        }
        notice = ssfBankExportDone(bank->BankName);
    } else {
        for (std::size_t i = 0; i + 1 < given.size(); ++i) {
            const auto style = wholeNumber<std::int32_t>(given[i]);
            if (!style) {
                return usageError(context);
            }
            styles.push_back(*style);
        }
    }
    const std::string target = trimmed(folder);
    SsfExportResult result;
    bool ran = false;
    if (!target.empty() && ensureFolderExists(target, context.dialogs)) {
        JobProgress job(context.dialogs);
        result =
            ExportSsfFiles(context.state.connection, context.dialogs, job, styles, target, notice);
        ran = result.outcome == SsfExportResult::Outcome::Done;
    }
    std::error_code error;
    if (!ran && !std::filesystem::is_directory(folder, error)) {
        context.err << "The folder " << folder << " does not exist.\n";
    }
    for (const std::filesystem::path& file : result.written) {
        context.out << file.string() << "\n";
    }
    if (!result.leftOut.empty()) {
        context.err << ssfLeftOutLog(result.leftOut);
    }
    return ran && result.leftOut.empty() ? kExitOk : kExitFailure;
}

// Keeps the messages of the import, so that they go to standard error when it failed.
class CollectingDialogs : public ConsoleDialogs {
public:
    using ConsoleDialogs::ConsoleDialogs;
    Answer messageBox(const std::string& text, const std::string&, Icon, Buttons,
                      Answer defaultAnswer) override {
        messages.push_back(text);
        return defaultAnswer;
    }
    std::vector<std::string> messages;
};

int runImport(CliContext& context, const CommandArguments& args) {
    const bool skipPresent = args.has("skip-present");
    const std::filesystem::path path(trimmed(args.positional()[0]));
    if (path.empty()) {
        return kExitFailure;
    }
    CollectingDialogs dialogs(context.out, context.err, false);
    std::error_code error;
    SsfImport import;
    if (std::filesystem::is_directory(path, error)) {
        JobProgress job(dialogs);
        import = ImportSsfFolder(context.state.connection, dialogs, job, path,
                                 skipPresent ? SsfPresentStyle::PassOver : SsfPresentStyle::Stop);
    } else {
        import = ImportSsfFile(context.state.connection, dialogs, path);
    }
    const bool all = import.allImported;
    for (const SsfImportedFile& file : import.files) {
        if (file.outcome.kind == SsfFileOutcome::Kind::Imported) {
            context.out << file.path.string() << "\timported as style " << file.outcome.styleProg
                        << "\t" << file.outcome.name << "\n";
        }
    }
    std::ostream& messages = all ? context.out : context.err;
    for (const std::string& message : dialogs.messages) {
        messages << message << "\n";
    }
    return all ? kExitOk : kExitFailure;
}

}  // namespace

CliCommand makeSsfExportCommand() {
    return CliCommand{"ssf-export", "(--all | --bank BANK | STYLE...) DIR",
                      "Writes one single style file (.SSF) per style into the folder DIR: every "
                      "style of the catalogue, the styles of the stored bank BANK (its number or "
                      "name), or the styles numbered STYLE. Prints the files written; the styles "
                      "that cannot be written are listed on standard error (exit 1).",
                      CliCommand::DatabaseUse::OpenExisting, runExport};
}

CliCommand makeSsfImportCommand() {
    return CliCommand{"ssf-import", "[--skip-present] PATH",
                      "Imports the single style file PATH, or every .SSF file of the folder PATH "
                      "in name order, stopping at the first style already stored; with "
                      "--skip-present a folder import passes over styles already stored and "
                      "goes on. Prints the files imported and a summary line; exit 1 with the "
                      "messages on standard error when the import stopped or a file could not "
                      "be read.",
                      CliCommand::DatabaseUse::OpenExisting, runImport};
}

}  // namespace orb
