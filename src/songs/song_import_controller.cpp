#include "songs/song_import_controller.h"

#include <algorithm>
#include <filesystem>

#include "core/file_access.h"
#include "core/file_choice.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/store_error.h"
#include "state/app_state.h"

namespace orb {
SongImportController::SongImportController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs), job_(dialogs) {
    fields_.fill(SongField::Skip);
    job_.onChange([this] { changed(); });
}

void SongImportController::setPath(const std::string& text) {
    if (path_ != text) {
        path_ = text;
        changed();
    }
}

void SongImportController::pathLeft() {
    preview_ = songListPreview(trimmed(path_));
    changed();
}

void SongImportController::search() {
    const std::string chosen =
        FileChoice(dialogs_, state_.settings)
            .openFile(FileKind::SongList, "Suggested songs (*.TXT)|*.TXT|All files (*)|*");
    if (!chosen.empty()) {
        path_ = chosen;
        pathLeft();
    }
}

void SongImportController::setSeparatorIndex(int index) {
    separatorIndex_ = std::clamp(index, 0, static_cast<int>(kSeparators.size()) - 1);
    changed();
}

void SongImportController::setField(int index, SongField meaning) {
    fields_.at(static_cast<std::size_t>(index)) = meaning;
    changed();
}

bool SongImportController::start() {
    const std::string path = trimmed(path_);
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) {
        return false;
    }
    const auto chosen = [this](SongField meaning) {
        return std::find(fields_.begin(), fields_.end(), meaning) != fields_.end();
    };
    if (!chosen(SongField::Title) || !chosen(SongField::Style)) {
        dialogs_.message("WARNING: song title and style name are mandatory!",
                         UserDialogs::Icon::Critical, "ORB song import");
        return false;
    }
    SongImportOptions options;
    options.separator = kSeparators.at(static_cast<std::size_t>(separatorIndex_));
    options.fields = fields_;
    SongImportSummary summary;
    try {
        const std::vector<std::string> lines = readSongList(path);
        progressVisible_ = true;
        job_.start("Importing " + path, static_cast<long long>(lines.size()));
        summary = ImportSongLines(state_, dialogs_, lines, options,
                                  [this](long long done, long long total) {
                                      // The last call comes after the commit: no cancel then.
                                      if (done < total) {
                                          job_.setValue(done);
                                      }
                                  });
        job_.complete();
    } catch (const JobCancelled&) {
        // The import's transaction has rolled back.
        progressVisible_ = false;
        job_.finish(kCancelled);
        dialogs_.message(kCancelled, UserDialogs::Icon::Information, "ORB song import");
        return false;
    } catch (const OrbError& failure) {
        progressVisible_ = false;
        job_.finish("Song import failed: nothing of this run was stored.");
        dialogs_.message(
            failureMessage(failure, "The song list " + path + " was not imported. ", ""),
            UserDialogs::Icon::Critical, "ORB song import");
        return false;
    }
    progressVisible_ = false;
    changed();
    if (!summary.unmatchedStyles.empty()) {
        std::string text = "No stored style has the style name of these lines:";
        constexpr std::size_t kShown = 20;  // a box of thousands of lines helps nobody
        const std::size_t count = summary.unmatchedStyles.size();
        for (std::size_t i = 0; i < std::min(count, kShown); ++i) {
            text += "\n" + summary.unmatchedStyles[i];
        }
        if (count > kShown) {
            text += "\n... and " + std::to_string(count - kShown) + " more";
        }
        dialogs_.message(text, UserDialogs::Icon::Exclamation, "ORB song import");
    }
    job_.finish(songImportEnding(summary));
    dialogs_.message(job_.summary(), UserDialogs::Icon::Information, "ORB song import");
    return true;
}

}  // namespace orb
