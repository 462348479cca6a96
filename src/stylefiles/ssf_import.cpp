#include "stylefiles/ssf_import.h"

#include <algorithm>
#include <fstream>

#include "core/file_access.h"
#include "core/file_choice.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "state/app_state.h"
#include "stylefiles/ssf_format.h"
#include "stylefiles/ssf_reader.h"
#include "stylefiles/style_file_error.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

using Kind = SsfFileOutcome::Kind;

SsfFileOutcome failed(Kind kind, std::string problem) {
    SsfFileOutcome outcome;
    outcome.kind = kind;
    outcome.problem = std::move(problem);
    return outcome;
}

std::string counted(long long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string ssfFolderSummary(const SsfFolderCounts& counts) {
    std::string line = counted(counts.imported, "style imported", "styles imported");
    if (counts.present > 0) {
        line += ", " + counted(counts.present, "style already stored passed over",
                               "styles already stored passed over");
    }
    if (counts.unreadable > 0) {
        line +=
            ", " + counted(counts.unreadable, "file could not be read", "files could not be read");
    }
    if (counts.notRead > 0) {
        line += ", " + counted(counts.notRead, "file not read", "files not read");
    }
    return line + ".";
}

SsfImportController::SsfImportController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs), job_(dialogs) {
    job_.onChange([this] { changed(); });
}

void SsfImportController::load() {
    path_.clear();
    choice_ = Choice::File;
    controlsEnabled_ = true;
    progressVisible_ = false;
    files_.clear();
    allImported_ = false;
    importedAny_ = false;
    skipPresent_ = false;
    job_.reset();
    changed();
}

void SsfImportController::setPath(const std::string& text) {
    if (path_ != text) {
        path_ = text;
        changed();
    }
}

void SsfImportController::setChoice(Choice choice) {
    if (choice_ != choice) {
        choice_ = choice;
        changed();
    }
}

void SsfImportController::setSkipPresent(bool skip) {
    if (skipPresent_ != skip) {
        skipPresent_ = skip;
        changed();
    }
}

void SsfImportController::search() {
    FileChoice fileChoice(dialogs_, state_.settings);
    const std::string chosen = choice_ == Choice::Folder
                                   ? fileChoice.folder(FileKind::SingleStyles, trimmed(path_))
                                   : fileChoice.openFile(FileKind::SingleStyles, kFilter);
    if (!chosen.empty()) {
        path_ = chosen;
        changed();
    }
}

bool SsfImportController::run() {
    const fs::path path(trimmed(path_));
    if (path.empty()) {
        return false;
    }
    files_.clear();
    allImported_ = false;
    controlsEnabled_ = false;
    progressVisible_ = choice_ == Choice::Folder;
    changed();
    SsfImport import;
    if (choice_ == Choice::File) {
        import = ImportSsfFile(state_.connection, dialogs_, path);
    } else {
        import = ImportSsfFolder(state_.connection, dialogs_, job_, path,
                                 skipPresent_ ? SsfPresentStyle::PassOver : SsfPresentStyle::Stop);
    }
    files_ = std::move(import.files);
    allImported_ = import.allImported;
    importedAny_ = importedAny_ || std::any_of(files_.begin(), files_.end(), [](const auto& file) {
                       return file.outcome.kind == Kind::Imported;
                   });
    controlsEnabled_ = true;
    progressVisible_ = false;
    changed();
    return allImported_;
}

SsfImport ImportSsfFile(Database& connection, UserDialogs& dialogs, const fs::path& file) {
    SsfImport import;
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        dialogs.message(SsfImportController::kNotFound, UserDialogs::Icon::Critical);
        return import;
    }
    SsfFileOutcome outcome;
    {
        const WaitCursor wait(dialogs);
        outcome = ReadSsfFile(connection, file);
    }
    import.files.push_back({file, outcome});
    switch (outcome.kind) {
        case Kind::Imported:
            import.allImported = true;
            dialogs.message(SsfImportController::kEnded, UserDialogs::Icon::Information);
            break;
        case Kind::AlreadyPresent:
            dialogs.message(SsfImportController::kAborted, UserDialogs::Icon::Information);
            break;
        case Kind::NotSsf:
        case Kind::Unreadable:
        case Kind::Refused:
            dialogs.message(outcome.problem, UserDialogs::Icon::Critical);
            break;
    }
    return import;
}

namespace {

// The folder's single style files in name order; nothing when it is no folder or cannot be read
// (then a message says why).
std::optional<std::vector<fs::path>> ssfFilesOf(const fs::path& folder, UserDialogs& dialogs) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return std::nullopt;
    }
    std::vector<fs::path> files;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code kindError;
        if (entries->is_regular_file(kindError) &&
            hasExtensionInAnyCase(entries->path(), ssf::kExtension)) {
            files.push_back(entries->path());
        }
    }
    if (error) {
        dialogs.message(
            "The folder " + folder.string() + " cannot be read: " + error.message() + ".",
            UserDialogs::Icon::Critical);
        return std::nullopt;
    }
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().string() < b.filename().string();
    });
    return files;
}

}  // namespace

SsfImport ImportSsfFolder(Database& connection, UserDialogs& dialogs, JobProgress& job,
                          const fs::path& folder, SsfPresentStyle present) {
    SsfImport import;
    const std::optional<std::vector<fs::path>> found = ssfFilesOf(folder, dialogs);
    if (!found) {
        return import;
    }
    const std::vector<fs::path>& files = *found;

    std::string passedOver;
    std::optional<SsfImportedFile> stop;
    SsfFolderCounts counts;
    job.start("Reading " + folder.string(), static_cast<long long>(files.size()));
    try {
        const WaitCursor wait(dialogs);
        WriteTransaction transaction(connection);
        for (const fs::path& file : files) {
            job.setActivity("Reading " + file.filename().string());
            const SsfFileOutcome outcome = ReadSsfFile(connection, file);
            import.files.push_back({file, outcome});
            if (outcome.kind == Kind::Imported) {
                ++counts.imported;
            } else if (outcome.kind == Kind::NotSsf || outcome.kind == Kind::Unreadable) {
                ++counts.unreadable;
                passedOver += "\n" + outcome.problem;
            } else if (outcome.kind == Kind::AlreadyPresent &&
                       present == SsfPresentStyle::PassOver) {
                ++counts.present;
            } else {
                stop = SsfImportedFile{file, outcome};
                job.step();
                break;
            }
            job.step();
        }
        transaction.commit();
    } catch (const JobCancelled&) {
        // The transaction has rolled back: no style of this run is stored.
        import.files.clear();
        job.finish(SsfImportController::kCancelled);
        dialogs.message(SsfImportController::kCancelled, UserDialogs::Icon::Information);
        return import;
    } catch (const StoreError& error) {
        // Rolled back as well: no file of the run counts as imported.
        import.files.clear();
        job.finish(failureMessage(error, "The SSF file import failed: ", ".",
                                  "Nothing of this run was stored."));
        dialogs.message(job.summary(), UserDialogs::Icon::Critical);
        return import;
    }
    counts.notRead = static_cast<long long>(files.size() - import.files.size());

    import.allImported = !stop && passedOver.empty();
    job.finish(ssfFolderSummary(counts));
    const std::string summary = "\n" + job.summary();
    if (stop && stop->outcome.kind == Kind::Refused) {
        dialogs.message(
            stop->outcome.problem + "\nThe import stopped at this file." + passedOver + summary,
            UserDialogs::Icon::Critical);
        return import;
    }
    const std::string headline =
        stop ? std::string(SsfImportController::kAborted) + " (" + stop->path.string() + ")"
             : std::string(SsfImportController::kEnded);
    dialogs.message(headline + passedOver + summary, passedOver.empty() && !stop
                                                         ? UserDialogs::Icon::Information
                                                         : UserDialogs::Icon::Exclamation);
    return import;
}

SsfFileOutcome ReadSsfFile(Database& connection, const fs::path& file) {
    std::optional<StyleRow> style;
    try {
        std::ifstream in = openRegularFile(file, "The file");
        style = readSsf(in, file.string());
    } catch (const OrbError& error) {
        return failed(Kind::Unreadable,
                      std::string(error.what()) + " Nothing was imported from it.");
    }
    if (!style) {
        return failed(Kind::NotSsf, file.string() + " is not a single style file.");
    }
    try {
        StyleStore store(connection);
        if (store.findByContent(style->StyleContent1, style->StyleContent2)) {
            SsfFileOutcome present;
            present.kind = Kind::AlreadyPresent;
            present.name = style->StyleName1;
            return present;
        }
        SsfFileOutcome imported;
        imported.styleProg = store.insert(*style, TextPlace("the style in " + file.string()));
        imported.name = style->StyleName1;
        return imported;
    } catch (const StoreError& error) {
        return failed(
            Kind::Refused,
            failureMessage(error,
                           "The style of the file " + file.string() + " could not be stored: ", ".",
                           "Nothing was imported from it."));
    }
}

}  // namespace orb
