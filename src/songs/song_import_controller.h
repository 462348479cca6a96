#pragma once

#include <array>
#include <string>

#include "core/job_progress.h"
#include "core/observable.h"
#include "songs/song_import.h"

namespace orb {

// The song list import window: the song list file, its preview, the separator, the twelve
// field selectors and the import with its progress bar.
class SongImportController : public Observable {
public:
    static constexpr std::array<char, 6> kSeparators = {';', ':', ',', '$', '%', '#'};
    static constexpr const char* kCaption = "Import song list from external file";
    static constexpr const char* kCancelled =
        "Song import cancelled: nothing of this run was stored.";

    SongImportController(AppState& state, UserDialogs& dialogs);

    const std::string& path() const { return path_; }
    const std::string& preview() const { return preview_; }
    int separatorIndex() const { return separatorIndex_; }
    SongField field(int index) const { return fields_.at(static_cast<std::size_t>(index)); }
    bool startEnabled() const { return !path_.empty(); }
    bool progressVisible() const { return progressVisible_; }
    // The import's progress, its Cancel and its summary line.
    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }

    void setPath(const std::string& text);
    // Leaving the path box: the path typed is previewed.
    void pathLeft();
    // Search: the open dialog; a chosen file becomes the path and is previewed.
    void search();
    void setSeparatorIndex(int index);
    void setField(int index, SongField meaning);

    // "Start import process": imports the list; true when songs were stored (the window then
    // closes). It ends with the summary line; a cancel stores nothing.
    bool start();

private:
    AppState& state_;
    UserDialogs& dialogs_;
    std::string path_;
    std::string preview_;
    int separatorIndex_ = 0;
    SongFieldChoices fields_{};
    bool progressVisible_ = false;
    JobProgress job_;
};

}  // namespace orb
