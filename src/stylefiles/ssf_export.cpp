#include "stylefiles/ssf_export.h"

#include <algorithm>

#include "core/file_access.h"
#include "core/file_choice.h"
#include "core/file_replacement.h"
#include "core/settings_store.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/style_store.h"
#include "state/app_state.h"
#include "stylefiles/ssf_format.h"
#include "stylefiles/ssf_writer.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSection = "SSF";
constexpr const char* kKey = "EXPORT";

// A failure that stops the export: a file that cannot be written, a style that cannot be read.
class ExportStopped : public OrbError {
public:
    using OrbError::OrbError;
};

std::string shownName(const std::string& name) {
    std::string shown = name;
    std::erase(shown, '\0');
    return trimmed(shown);
}

}  // namespace

std::string SsfFileNames::next(const StyleRow& style) {
    std::string base = ssfBaseName(style.StyleName1);
    if (base.empty()) {
        base = "STYLE" + std::to_string(style.StyleProg);
    }
    std::string name = base + std::string(ssf::kExtension);
    for (int copy = 2; given_.count(name) > 0; ++copy) {
        name = base + "_" + std::to_string(copy) + std::string(ssf::kExtension);
    }
    given_.insert(name);
    return name;
}

std::string ssfLeftOutLog(const std::vector<SsfLeftOut>& leftOut) {
    std::string log = "These styles were not exported:\n";
    for (const SsfLeftOut& style : leftOut) {
        log += "Style " + std::to_string(style.styleProg) +
               (style.name.empty() ? "" : " " + style.name) + ": " + style.reason + ".\n";
    }
    return log;
}

SsfExportController::SsfExportController(AppState& state, UserDialogs& dialogs,
                                         SsfExportWindows* windows)
    : state_(state), dialogs_(dialogs), windows_(windows), job_(dialogs) {
    job_.onChange([this] { changed(); });
}

void SsfExportController::load(const SsfExportRequest& request) {
    request_ = request;
    caption_ = request.forBank ? kBankCaption : kStylesCaption;
    folder_ = state_.settings.get(kSection, kKey, "");
    choice_ = request.forBank ? Choice::None : Choice::SelectedStyles;
    controlsEnabled_ = true;
    progressVisible_ = false;
    job_.reset();
    result_ = {};
    changed();
}

void SsfExportController::setFolder(const std::string& text) {
    if (folder_ != text) {
        folder_ = text;
        changed();
    }
}

void SsfExportController::setChoice(Choice choice) {
    if (choice_ != choice) {
        choice_ = choice;
        changed();
    }
}

void SsfExportController::search() {
    const std::string chosen =
        FileChoice(dialogs_, state_.settings).folder(FileKind::SingleStyles, trimmed(folder_));
    if (chosen.empty()) {
        return;
    }
    folder_ = chosen;
    changed();
}

void SsfExportController::close() {
    const std::string folder = trimmed(folder_);
    if (!folder.empty()) {
        state_.settings.set(kSection, kKey, folder);
    }
}

bool SsfExportController::run() {
    const std::string folder = trimmed(folder_);
    if (folder.empty() || !ensureFolderExists(folder, dialogs_)) {
        return false;
    }
    std::vector<std::int32_t> styles;
    std::string notice;
    switch (choice_) {
        case Choice::SelectedStyles:
            styles = request_.selectedStyles;
            notice = kSelectedDone;
            break;
        case Choice::AllStyles:
            styles = request_.allStyles;
            notice = kAllDone;
            break;
        case Choice::None:
            for (const KORFStyle& style : state_.currentBank.styles) {
                styles.push_back(style.StyleProg);
            }
            notice = ssfBankExportDone(state_.currentBank.name);
            break;
    }
    controlsEnabled_ = false;
    // A few selected styles are written at once; the longer exports show their progress.
    progressVisible_ = choice_ != Choice::SelectedStyles;
    changed();
    result_ = ExportSsfFiles(state_.connection, dialogs_, job_, styles, folder, notice);
    controlsEnabled_ = true;
    progressVisible_ = false;
    changed();
    if (result_.outcome != SsfExportResult::Outcome::Done) {
        return false;
    }
    // The next dialog for single style files, the import's Open among them, starts where
    // these went.
    state_.settings.set(FileChoice::kSection, FileChoice::key(FileKind::SingleStyles), folder);
    if (!result_.leftOut.empty() && windows_ != nullptr) {
        windows_->showLeftOut(ssfLeftOutLog(result_.leftOut));
    }
    return true;
}

std::string ssfBankExportDone(const std::string& bankName) {
    return "Export of bank " + bankName + " to SSF files terminated without errors!";
}

SsfExportResult ExportSsfFiles(Database& connection, UserDialogs& dialogs, JobProgress& job,
                               const std::vector<std::int32_t>& styles, const fs::path& folder,
                               const std::string& doneNotice) {
    SsfExportResult result;
    const auto writtenCount = [&] {
        const std::size_t count = result.written.size();
        return std::to_string(count) + (count == 1 ? " single style file" : " single style files");
    };
    // Every file is made whole under a temporary name first and the disk synced once for all of
    // them; only then are they renamed, so a cancel or a failure leaves the older files as they
    // were.
    FileReplacement files(SsfExportController::kFileLabel);
    try {
        const WaitCursor wait(dialogs);
        job.start("Writing single style files to " + folder.string(),
                  static_cast<long long>(styles.size()));
        StyleStore store(connection);
        SsfFileNames names;
        for (const std::int32_t number : styles) {
            std::optional<StyleRow> style;
            try {
                style = store.find(number);
            } catch (const StoreError& e) {
                throw ExportStopped(failureMessage(
                    e, "The style " + std::to_string(number) + " could not be read: ", ""));
            }
            if (!style) {
                result.leftOut.push_back({number, "", "it is no longer in the catalogue"});
            } else if (std::string refusal = ssfRefusal(*style); !refusal.empty()) {
                result.leftOut.push_back({number, shownName(style->StyleName1), refusal});
            } else {
                const fs::path path = folder / names.next(*style);
                files.add(path, [&](std::ostream& out) { writeSsf(out, *style, path.string()); });
            }
            job.step();
        }
        try {
            files.commit();
        } catch (...) {
            result.written = files.replaced();
            throw;
        }
        result.written = files.replaced();
    } catch (const JobCancelled&) {
        result.outcome = SsfExportResult::Outcome::Cancelled;
        job.finish("SSF export cancelled: nothing written to " + folder.string() +
                   "; the files there are as they were.");
        dialogs.message(job.summary(), UserDialogs::Icon::Information);
        return result;
    } catch (const OrbError& error) {
        result.outcome = SsfExportResult::Outcome::Stopped;
        const std::string written =
            result.written.empty()
                ? "nothing written to " + folder.string() + "; the files there are as they were."
                : writtenCount() + " written to " + folder.string() + ".";
        job.finish("SSF export stopped: " + written);
        dialogs.message(std::string(error.what()) + "\nSSF export stopped: " + written,
                        UserDialogs::Icon::Critical);
        return result;
    }
    std::string summary = writtenCount() + " written to " + folder.string();
    if (!result.leftOut.empty()) {
        summary += ", " + std::to_string(result.leftOut.size()) + " left out";
    }
    job.finish(summary + ".");
    dialogs.message(doneNotice, UserDialogs::Icon::Information);
    return result;
}

}  // namespace orb
