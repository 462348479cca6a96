#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/observable.h"
#include "db/song_store.h"
#include "songs/song_dialog.h"
#include "songs/style_label.h"

namespace orb {

class AppState;
class Database;
class PrintService;
class UserDialogs;

// How a header button sorts its column.
enum class SongSort { None = 0, Ascending = 1, Descending = 2 };

// The commands of the Songs menu.
enum class SongCommand { Add, Update, Delete, EraseLink, LinkToStyle, SaveToFloppy };

// What the songs window hands to the window that links styles to one song.
struct SongLinkRequest {
    std::int32_t LinkSongCode = 0;
    std::string caption;  // the title, " (", the performer and ")"
};

// The songs window: the song catalogue grid (one row per link, one per song without links),
// its sorting by header buttons, and the song commands.
class SongsController : public Observable {
public:
    static constexpr std::array<const char*, 6> kHeaderCaptions = {"Title", "Performer", "Style",
                                                                   "Tempo", "Tran",      "Notes"};

    SongsController(AppState& state, UserDialogs& dialogs);

    // "ORB 2.31 - Songs Management".
    static std::string caption();

    // Opening: headers unsorted, the grid filled in the statement's own order.
    void load();
    const std::vector<SongGridRow>& rows() const { return rows_; }
    // The row's style as the grid shows it: its name with its number, description and family
    // (styleLabelText); empty for a song without a style.
    std::string styleLabel(const SongGridRow& row) const;
    const SongGridOrder& order() const { return order_; }
    SongSort headerSort(int button) const { return sorts_.at(static_cast<std::size_t>(button)); }
    bool songMenuEnabled(SongCommand command) const;

    // A click on header button `button`: ascending, descending, then back to the statement's order;
    // the other buttons return to unsorted.
    void headerClicked(int button);

    // "Add": the song dialog's request for a new song with the next free code.
    SongDialogRequest addRequest();
    // "Update" or a double click: the stored song of the row, or nothing when it is gone.
    std::optional<SongDialogRequest> editRequest(int row);
    // After the song dialog: the grid is filled again when the song was stored.
    void songDialogClosed(bool stored);

    // "Delete" over the block from `currentRow` to `otherEnd`: one row without a question,
    // several after songDeleteQuestion; each row's song and all its links are deleted.
    void deleteSongs(int currentRow, int otherEnd);
    // "Erase link": the link of the row, after the question.
    void eraseLink(int row);
    // "Link to style": the request for the linking window, nothing when the row has no song.
    std::optional<SongLinkRequest> linkRequest(int row) const;
    // After the linking or the import window: the grid is filled again.
    void refill();
    // "Save to .STY for DIRECT FD": the row's style alone on the floppy.
    bool saveToFloppy(int row);
    // "Print": the song list as the grid shows it.
    bool print(PrintService& printer) const;

private:
    bool validRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

    AppState& state_;
    UserDialogs& dialogs_;
    std::vector<SongGridRow> rows_;
    // Description and family of the linked styles, by number.
    StyleLabels styleDetails_;
    SongGridOrder order_;
    std::array<SongSort, 6> sorts_{};
};

// "2 songs are about to be deleted: Its me and Yesterday. Are you sure?" (ten titles at most,
// then how many more).
std::string songDeleteQuestion(const std::vector<std::string>& titles);

}  // namespace orb
