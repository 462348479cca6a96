#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

#include "catalogue/current_bank.h"
#include "catalogue/style_list.h"
#include "cli/cli.h"
#include "cli/console_dialogs.h"
#include "state/app_state.h"
#include "stylefiles/ssf_export.h"
#include "stylefiles/ssf_import.h"

namespace orb {
namespace {

constexpr const char* kExportUsage = "(--all | --bank BANK | STYLE...) DIR";
constexpr const char* kImportUsage = "[--skip-present] PATH";

std::optional<std::int32_t> number(const std::string& text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// Makes the stored bank named by its number or name the current bank; false when none is.
bool loadBank(AppState& state, const std::string& bank) {
    const std::optional<BankRow> found = StoredBankGiven(state.connection, bank);
    return found && LoadCurrentBank(state, found->BankProg);
}

int runExport(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() < 2) {
        context.err << "Usage: orb ssf-export " << kExportUsage << "\n";
        return kExitUsage;
    }
    const std::string& folder = args.back();
    const std::vector<std::string> sources(args.begin(), args.end() - 1);
    SsfExportRequest request;
    auto choice = SsfExportController::Choice::SelectedStyles;
    if (sources.size() == 1 && sources[0] == "--all") {
        for (const StyleListRow& row : GetAllStyles(context.state)) {
            request.allStyles.push_back(row.StyleProg);
        }
        choice = SsfExportController::Choice::AllStyles;
    } else if (sources.size() == 2 && sources[0] == "--bank") {
        if (!loadBank(context.state, sources[1])) {
            context.err << "There is no bank " << sources[1] << ".\n";
            return kExitFailure;
        }
        request.forBank = true;
        choice = SsfExportController::Choice::None;
    } else {
        for (const std::string& source : sources) {
            const auto style = number(source);
            if (!style) {
                context.err << "Usage: orb ssf-export " << kExportUsage << "\n";
                return kExitUsage;
            }
            request.selectedStyles.push_back(*style);
        }
    }
    SsfExportController controller(context.state, context.dialogs);
    controller.load(request);
    controller.setFolder(folder);
    controller.setChoice(choice);
    const bool ran = controller.run();
    std::error_code error;
    if (!ran && !std::filesystem::is_directory(folder, error)) {
        context.err << "The folder " << folder << " does not exist.\n";
    }
    for (const std::filesystem::path& file : controller.result().written) {
        context.out << file.string() << "\n";
    }
    if (!controller.result().leftOut.empty()) {
        context.err << ssfLeftOutLog(controller.result().leftOut);
    }
    return ran && controller.result().leftOut.empty() ? kExitOk : kExitFailure;
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

int runImport(CliContext& context, const std::vector<std::string>& args) {
    const bool skipPresent = !args.empty() && args[0] == "--skip-present";
    const std::size_t first = skipPresent ? 1 : 0;
    if (args.size() != first + 1 || args[first].rfind("--", 0) == 0) {
        context.err << "Usage: orb ssf-import " << kImportUsage << "\n";
        return kExitUsage;
    }
    const std::string& path = args[first];
    CollectingDialogs dialogs(context.out, context.err, false);
    SsfImportController controller(context.state, dialogs);
    controller.load();
    controller.setPath(path);
    std::error_code error;
    controller.setChoice(std::filesystem::is_directory(path, error)
                             ? SsfImportController::Choice::Folder
                             : SsfImportController::Choice::File);
    controller.setSkipPresent(skipPresent);
    const bool all = controller.run();
    for (const SsfImportedFile& file : controller.files()) {
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
    return CliCommand{"ssf-export", kExportUsage,
                      "Writes one single style file (.SSF) per style into the folder DIR: every "
                      "style of the catalogue, the styles of the stored bank BANK (its number or "
                      "name), or the styles numbered STYLE. Prints the files written; the styles "
                      "that cannot be written are listed on standard error (exit 1).",
                      CliCommand::DatabaseUse::OpenExisting, runExport};
}

CliCommand makeSsfImportCommand() {
    return CliCommand{"ssf-import", kImportUsage,
                      "Imports the single style file PATH, or every .SSF file of the folder PATH "
                      "in name order, stopping at the first style already stored; with "
                      "--skip-present a folder import passes over styles already stored and "
                      "goes on. Prints the files imported and a summary line; exit 1 with the "
                      "messages on standard error when the import stopped or a file could not "
                      "be read.",
                      CliCommand::DatabaseUse::OpenExisting, runImport};
}

}  // namespace orb
