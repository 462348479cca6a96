#include "songs/songs_controller.h"

#include <algorithm>

#include "core/print_service.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/version.h"
#include "db/link_store.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "songs/floppy_style.h"
#include "songs/song_deletion.h"
#include "songs/song_list_print.h"
#include "songs/style_label.h"
#include "state/app_state.h"

namespace orb {

SongsController::SongsController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs) {}

std::string SongsController::caption() {
    return std::string(kMainCaption) + " - Songs Management";
}

void SongsController::load() {
    sorts_.fill(SongSort::None);
    order_ = {};
    refill();
}

void SongsController::refill() {
    rows_ = SongStore(state_.connection).grid(order_);
    styleDetails_.clear();
    for (StyleLabel& style : StyleStore(state_.connection).linkedLabels()) {
        styleDetails_[style.StyleProg] = std::move(style);
    }
    changed();
}

std::string SongsController::styleLabel(const SongGridRow& row) const {
    if (row.StyleProg == 0) {
        return row.StyleName1;
    }
    return styleLabelText(styleDetails_, row.StyleName1, row.StyleProg);
}

bool SongsController::songMenuEnabled(SongCommand command) const {
    return command == SongCommand::Add || !rows_.empty();
}

void SongsController::headerClicked(int button) {
    const auto index = static_cast<std::size_t>(button);
    const SongSort next = sorts_.at(index) == SongSort::None        ? SongSort::Ascending
                          : sorts_.at(index) == SongSort::Ascending ? SongSort::Descending
                                                                    : SongSort::None;
    sorts_.fill(SongSort::None);
    sorts_[index] = next;
    order_ = next == SongSort::None
                 ? SongGridOrder{}
                 : SongGridOrder{static_cast<SongGridColumn>(index), next == SongSort::Descending};
    refill();
}

SongDialogRequest SongsController::addRequest() {
    SongDialogRequest request;
    request.mode = SongDialogMode::Add;
    request.SongCode = SongStore(state_.connection).next();
    return request;
}

std::optional<SongDialogRequest> SongsController::editRequest(int row) {
    if (!validRow(row)) {
        return std::nullopt;
    }
    std::optional<SongRow> song;
    try {
        song = SongStore(state_.connection).find(rows_[static_cast<std::size_t>(row)].SongCode);
    } catch (const StoreError& e) {
        dialogs_.message(e.what(), UserDialogs::Icon::Critical);
        return std::nullopt;
    }
    if (!song) {
        return std::nullopt;
    }
    return SongDialogRequest{SongDialogMode::Edit, song->SongCode, song->SongTitle,
                             song->SongPerformer};
}

void SongsController::songDialogClosed(bool stored) {
    if (stored) {
        refill();
    }
}

std::string songDeleteQuestion(const std::vector<std::string>& titles) {
    constexpr std::size_t kNamed = 10;
    std::string listed;
    const std::size_t named = std::min(titles.size(), kNamed);
    for (std::size_t i = 0; i < named; ++i) {
        listed += (i == 0 ? "" : i + 1 == titles.size() ? " and " : ", ") + titles[i];
    }
    if (titles.size() > kNamed) {
        listed += " and " + std::to_string(titles.size() - kNamed) + " more";
    }
    return counted(static_cast<long long>(titles.size()), "song is", "songs are") +
           " about to be deleted: " + listed + ". Are you sure?";
}

void SongsController::deleteSongs(int currentRow, int otherEnd) {
    if (!validRow(currentRow) || !validRow(otherEnd)) {
        return;
    }
    // A song stands in a row per linked style: each is named once.
    std::vector<std::int32_t> codes;
    std::vector<std::string> titles;
    for (int row = std::min(currentRow, otherEnd); row <= std::max(currentRow, otherEnd); ++row) {
        const SongGridRow& song = rows_[static_cast<std::size_t>(row)];
        if (std::find(codes.begin(), codes.end(), song.SongCode) == codes.end()) {
            codes.push_back(song.SongCode);
            titles.push_back(trimmed(song.SongTitle));
        }
    }
    if (currentRow != otherEnd && !dialogs_.question(songDeleteQuestion(titles))) {
        return;
    }
    const SongDeletion deletion = DeleteSongs(state_, codes);
    if (!deletion.deleted) {
        dialogs_.message(deletion.refusal, UserDialogs::Icon::Critical);
    }
    refill();
}

void SongsController::eraseLink(int row) {
    if (!validRow(row) ||
        !dialogs_.question("The link between song and style will be deleted. Are you sure?")) {
        return;
    }
    const SongGridRow& link = rows_[static_cast<std::size_t>(row)];
    try {
        const StepPoint point(state_.restorePoints(), state_.connection,
                              "deleting the link of song " + std::to_string(link.SongCode) +
                                  " to style " + std::to_string(link.StyleProg));
        WriteTransaction transaction(state_.connection);
        LinkStore(state_.connection).remove(link.SongCode, link.StyleProg);
        transaction.commit();
    } catch (const OrbError& e) {
        dialogs_.message(e.what(), UserDialogs::Icon::Critical);
    }
    refill();
}

std::optional<SongLinkRequest> SongsController::linkRequest(int row) const {
    if (!validRow(row)) {
        return std::nullopt;
    }
    const SongGridRow& song = rows_[static_cast<std::size_t>(row)];
    return SongLinkRequest{song.SongCode, song.SongTitle + " (" + song.SongPerformer + ")"};
}

bool SongsController::saveToFloppy(int row) {
    if (!validRow(row)) {
        return false;
    }
    const SongGridRow& link = rows_[static_cast<std::size_t>(row)];
    return SaveStyleToFloppy(state_, dialogs_, link.StyleProg, link.SongTitle);
}

bool SongsController::print(PrintService& printer) const {
    return printer.print(SongListLines(rows_), "Songs");
}

}  // namespace orb
