#include "songs/song_links.h"

#include <algorithm>

#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/link_store.h"
#include "db/song_store.h"
#include "db/style_store.h"
#include "songs/style_label.h"
#include "state/app_state.h"

namespace orb {
namespace {

std::string shownName(std::string name) {
    std::erase(name, '\0');
    return name;
}

}  // namespace

SongLinksController::SongLinksController(AppState& state, UserDialogs& dialogs, LinkSubject kind,
                                         std::int32_t subject, std::string caption)
    : state_(state),
      dialogs_(dialogs),
      kind_(kind),
      subject_(subject),
      caption_(std::move(caption)) {}

std::string SongLinksController::filterCaption() const {
    return kind_ == LinkSubject::Song ? "Styles filtering" : "Songs filtering";
}

std::string SongLinksController::availableLabel() const {
    return kind_ == LinkSubject::Song ? " Available styles" : " Available songs";
}

std::string SongLinksController::linkedLabel() const {
    return kind_ == LinkSubject::Song ? " Linked styles" : " Linked songs";
}

std::int32_t SongLinksController::idOf(const ListedLink& element) const {
    return kind_ == LinkSubject::Song ? element.StyleProg : element.SongCode;
}

const std::string& SongLinksController::nameOf(const ListedLink& element) const {
    return kind_ == LinkSubject::Song ? element.styleName : element.songTitle;
}

std::string SongLinksController::labelOf(const ListedLink& element) const {
    if (kind_ == LinkSubject::Style) {
        return element.songTitle;
    }
    return styleLabelText(labels_, element.styleName, element.StyleProg);
}

void SongLinksController::load() {
    const bool songs = kind_ == LinkSubject::Song;
    available_.clear();
    const auto addAvailable = [&](std::int32_t id, const std::string& stored) {
        const std::string name = shownName(stored);
        available_.push_back({songs ? id : subject_, songs ? subject_ : id, songs ? name : "",
                              songs ? "" : name, "", "", ""});
    };
    labels_.clear();
    if (songs) {
        for (StyleLabel& style : StyleStore(state_.connection).labelsLike(filter_)) {
            addAvailable(style.StyleProg, style.StyleName1);
            labels_[style.StyleProg] = std::move(style);
        }
    } else {
        for (const SongRow& song : SongStore(state_.connection).titlesLike(filter_)) {
            addAvailable(song.SongCode, song.SongTitle);
        }
    }
    local_.clear();
    LinkStore links(state_.connection);
    for (const NamedLink& link : songs ? links.stylesOf(subject_) : links.songsOf(subject_)) {
        const std::int32_t id = link.number;
        local_.push_back({songs ? id : subject_, songs ? subject_ : id, songs ? link.name : "",
                          songs ? "" : link.name, link.SongNote, link.StyleTempo,
                          link.StyleTranspose});
        // A linked style the filter leaves out is looked up on its own.
        if (songs && labels_.count(id) == 0) {
            if (const auto style = StyleStore(state_.connection).findWithoutBlocks(id)) {
                labels_[id] = {id, style->StyleName1, style->StyleDesc, style->StyleFamily};
            }
        }
    }
    changed();
}

void SongLinksController::askFilter() {
    const std::string prompt = kind_ == LinkSubject::Song
                                   ? "Insert styles filtering value (% = no filter)"
                                   : "Insert songs filtering value (% = no filter)";
    const auto answer = dialogs_.inputBox(prompt, "ORB - Set filter", filter_);
    std::string next = answer.value_or("");
    if (next.empty()) {
        next = "%";
    } else if (next.find('%') == std::string::npos) {
        next = "%" + next + "%";
    }
    if (next != filter_) {
        filter_ = next;
        load();
    }
}

bool SongLinksController::isLinked(std::int32_t id) const {
    for (const ListedLink& element : local_) {
        if (idOf(element) == id) {
            return true;
        }
    }
    return false;
}

bool SongLinksController::addOne(const ListedLink& element) {
    const std::int32_t id = idOf(element);
    if (isLinked(id)) {
        dialogs_.message(kind_ == LinkSubject::Song ? "Style already linked to song"
                                                    : "Song already linked to style",
                         UserDialogs::Icon::Critical);
        return false;
    }
    // A song joining a style starts empty: its values are asked at once.
    const LinkValues values =
        kind_ == LinkSubject::Style ? LinkValues{} : LinkValues{" ", " ", " "};
    ListedLink linked = element;
    linked.SongNote = values.SongNote;
    linked.StyleTempo = values.StyleTempo;
    linked.StyleTranspose = values.StyleTranspose;
    local_.push_back(std::move(linked));
    return true;
}

std::vector<LinkEditRequest> SongLinksController::addAvailable(std::vector<int> rows) {
    std::vector<LinkEditRequest> asked;
    // The rows in grid order, whichever end of the selection the person started from.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row >= 0 && static_cast<std::size_t>(row) < available_.size()) {
            const ListedLink element = available_[static_cast<std::size_t>(row)];
            if (addOne(element) && kind_ == LinkSubject::Style) {
                asked.push_back({static_cast<int>(local_.size()) - 1,
                                 caption_ + " - " + element.songTitle, LinkValues{}});
            }
        }
    }
    changed();
    return asked;
}

void SongLinksController::removeLocal(int row) {
    if (row >= 0 && static_cast<std::size_t>(row) < local_.size()) {
        local_.erase(local_.begin() + row);
        changed();
    }
}

std::optional<LinkEditRequest> SongLinksController::editLocal(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= local_.size()) {
        return std::nullopt;
    }
    const ListedLink& element = local_[static_cast<std::size_t>(row)];
    return LinkEditRequest{
        row, caption_ + " - " + trimmed(nameOf(element)),
        LinkValues{element.SongNote, element.StyleTempo, element.StyleTranspose}};
}

void SongLinksController::localEdited(int row, const LinkValues& values) {
    if (row < 0 || static_cast<std::size_t>(row) >= local_.size()) {
        return;
    }
    ListedLink& element = local_[static_cast<std::size_t>(row)];
    element.SongNote = values.SongNote;
    element.StyleTempo = values.StyleTempo;
    element.StyleTranspose = values.StyleTranspose;
    changed();
}

bool SongLinksController::store() {
    std::vector<LinkRow> links;
    for (const ListedLink& element : local_) {
        links.push_back({element.SongCode, element.StyleProg, element.StyleTempo,
                         element.StyleTranspose, element.SongNote});
    }
    try {
        const StepPoint point(state_.restorePoints(), state_.connection,
                              "changing the links of " +
                                  std::string(kind_ == LinkSubject::Song ? "song " : "style ") +
                                  std::to_string(subject_));
        LinkStore store(state_.connection);
        if (kind_ == LinkSubject::Song) {
            store.replaceOfSong(subject_, links);
        } else {
            store.replaceOfStyle(subject_, links);
        }
    } catch (const StoreError& failure) {
        dialogs_.message(failureMessage(failure, "The links cannot be stored: ",
                                        "\nThe stored links have been left as they were.",
                                        "The stored links have been left as they were."),
                         UserDialogs::Icon::Critical);
        return false;
    } catch (const RestorePointError& e) {
        dialogs_.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

}  // namespace orb
