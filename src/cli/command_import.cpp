#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/job_progress.h"
#include "state/app_state.h"
#include "stylefiles/style_import.h"

namespace orb {
namespace {

// The console has no windows: the log goes to standard output, one line per log line.
class ConsoleImportHooks : public ImportWindows {
public:
    explicit ConsoleImportHooks(std::ostream& out) : out_(out) {}
    // Nobody to ask: every style as listed, with the values as given.
    std::optional<StyleSelection> confirmStyles(StyleConfirmation& confirmation) override {
        return StyleSelection{confirmation.checked(), confirmation.values()};
    }
    void showLog(const std::string& log) override {
        std::string::size_type start = 0;
        while (start < log.size()) {
            auto end = log.find("\r\n", start);
            if (end == std::string::npos) {
                end = log.size();
            }
            out_ << log.substr(start, end - start) << '\n';
            start = end + 2;
        }
    }

private:
    std::ostream& out_;
};

}  // namespace

// The same import run as the import window; PATH decides between a folder and one file.
CliCommand makeImportCommand() {
    return CliCommand{
        "import",
        "[--mode content|name|all] [--family F] [--group G] [--author A] [--subfolders] "
        "[--no-bank] "
        "PATH",
        "Imports the styles of the .STY bank file PATH, or of every .STY file of the folder "
        "PATH (with --subfolders also of its sub-folders), in one transaction. --mode says what "
        "happens to a style already stored: content (default) skips a style of the same "
        "content, name overwrites the style of the same name, all imports everything. Family, "
        "group and author are attached to every style; a bank row is stored for every bank "
        "read unless --no-bank. Prints the import log.",
        CliCommand::DatabaseUse::OpenExisting,
        [](CliContext& context, const CommandArguments& args) {
            ConsoleImportHooks hooks(context.out);
            const std::string mode = args.value("mode").value_or("content");
            const std::string& path = args.positional()[0];
            if (mode != "content" && mode != "name" && mode != "all") {
                return usageError(context);
            }
            std::error_code error;
            ImportRequest request;
            request.source = std::filesystem::is_directory(path, error)
                                 ? ImportRequest::Source::Folder
                                 : ImportRequest::Source::File;
            request.mode = mode == "content" ? DuplicateMode::SkipSameContent
                           : mode == "name"  ? DuplicateMode::OverwriteByName
                                             : DuplicateMode::ImportEverything;
            request.values = {args.value("family").value_or(""), args.value("group").value_or(""),
                              args.value("author").value_or("")};
            request.includeSubFolders = args.has("subfolders");
            request.saveBankStructure = !args.has("no-bank");
            request.path = path;
            // The question whether to show the log is answered Yes: the log is printed.
            context.dialogs.setAssumeYes(true);
            JobProgress job(context.dialogs);
            // The run ends with its summary line, printed as its last message.
            return ImportStyles(context.state, context.dialogs, job, &hooks, request).committed
                       ? kExitOk
                       : kExitFailure;
        }};
}

}  // namespace orb
