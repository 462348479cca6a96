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
    if (trimmed(path_).empty()) {
        return false;
    }
    files_.clear();
    allImported_ = false;
    controlsEnabled_ = false;
    changed();
    if (choice_ == Choice::File) {
        ImportSsfFile();
    } else {
        ImportSsfFolder();
    }
    controlsEnabled_ = true;
    progressVisible_ = false;
    changed();
    return allImported_;
}

SsfFileOutcome SsfImportController::record(const fs::path& file, SsfFileOutcome outcome) {
    files_.push_back({file, outcome});
    if (outcome.kind == Kind::Imported) {
        importedAny_ = true;
    }
    return outcome;
}

void SsfImportController::ImportSsfFile() {
    const fs::path file(trimmed(path_));
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        dialogs_.message(kNotFound, UserDialogs::Icon::Critical);
        return;
    }
    SsfFileOutcome outcome;
    {
        const WaitCursor wait(dialogs_);
        outcome = record(file, ReadSsfFile(file));
    }
    switch (outcome.kind) {
        case Kind::Imported:
            allImported_ = true;
            dialogs_.message(kEnded, UserDialogs::Icon::Information);
            break;
        case Kind::AlreadyPresent:
            dialogs_.message(kAborted, UserDialogs::Icon::Information);
            break;
        case Kind::NotSsf:
        case Kind::Unreadable:
        case Kind::Refused:
            dialogs_.message(outcome.problem, UserDialogs::Icon::Critical);
            break;
    }
}

void SsfImportController::ImportSsfFolder() {
    const fs::path folder(trimmed(path_));
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return;
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
        dialogs_.message(
            "The folder " + folder.string() + " cannot be read: " + error.message() + ".",
            UserDialogs::Icon::Critical);
        return;
    }
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().string() < b.filename().string();
    });

    progressVisible_ = true;
    std::string passedOver;
    std::optional<SsfImportedFile> stop;
    SsfFolderCounts counts;
    const bool importedBefore = importedAny_;
    job_.start("Reading " + folder.string(), static_cast<long long>(files.size()));
    try {
        const WaitCursor wait(dialogs_);
        WriteTransaction transaction(state_.connection);
        for (const fs::path& file : files) {
            job_.setActivity("Reading " + file.filename().string());
            const SsfFileOutcome outcome = record(file, ReadSsfFile(file));
            if (outcome.kind == Kind::Imported) {
                ++counts.imported;
            } else if (outcome.kind == Kind::NotSsf || outcome.kind == Kind::Unreadable) {
                ++counts.unreadable;
                passedOver += "\n" + outcome.problem;
            } else if (outcome.kind == Kind::AlreadyPresent && skipPresent_) {
                ++counts.present;
            } else {
                stop = SsfImportedFile{file, outcome};
                job_.step();
                break;
            }
            job_.step();
        }
        transaction.commit();
    } catch (const JobCancelled&) {
        // The transaction has rolled back: no style of this run is stored.
        importedAny_ = importedBefore;
        files_.clear();
        progressVisible_ = false;
        job_.finish(kCancelled);
        dialogs_.message(kCancelled, UserDialogs::Icon::Information);
        return;
    } catch (const StoreError& error) {
        importedAny_ = importedBefore;
        progressVisible_ = false;
        job_.finish(failureMessage(error, "The SSF file import failed: ", ".",
                                   "Nothing of this run was stored."));
        dialogs_.message(job_.summary(), UserDialogs::Icon::Critical);
        return;
    }
    progressVisible_ = false;
    changed();
    counts.notRead = static_cast<long long>(files.size() - files_.size());

    allImported_ = !stop && passedOver.empty();
    job_.finish(ssfFolderSummary(counts));
    const std::string summary = "\n" + job_.summary();
    if (stop && stop->outcome.kind == Kind::Refused) {
        dialogs_.message(
            stop->outcome.problem + "\nThe import stopped at this file." + passedOver + summary,
            UserDialogs::Icon::Critical);
        return;
    }
    const std::string headline =
        stop ? std::string(kAborted) + " (" + stop->path.string() + ")" : std::string(kEnded);
    dialogs_.message(headline + passedOver + summary, passedOver.empty() && !stop
                                                          ? UserDialogs::Icon::Information
                                                          : UserDialogs::Icon::Exclamation);
}

SsfFileOutcome SsfImportController::ReadSsfFile(const fs::path& file) {
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
        StyleStore store(state_.connection);
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
