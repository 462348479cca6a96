#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/observable.h"
#include "db/style_store.h"
#include "songs/style_label.h"

namespace orb {

class AppState;
class UserDialogs;

// One row of either list of a linking window: a song and a style, their names as listed and
// the link's values.
struct ListedLink {
    std::int32_t StyleProg = 0;
    std::int32_t SongCode = 0;
    std::string styleName;
    std::string songTitle;
    std::string SongNote;
    std::string StyleTempo;
    std::string StyleTranspose;

    bool operator==(const ListedLink&) const = default;
};

// Whose links a linking window edits: one song's styles or one style's songs.
enum class LinkSubject { Song, Style };

// The three values of one link, as the link edit window shows them.
struct LinkValues {
    std::string SongNote;
    std::string StyleTempo;
    std::string StyleTranspose;

    bool operator==(const LinkValues&) const = default;
};

// What the link edit window is opened with for a local row: its caption and the link's values.
struct LinkEditRequest {
    int row = 0;
    std::string caption;
    LinkValues values;
};

// The linking windows: the available styles (songs) beside the subject's links, held in
// memory until "Update" stores the whole list.
class SongLinksController : public Observable {
public:
    // `subject` is the song code (LinkSubject::Song) or the style number (LinkSubject::Style);
    // `caption` the window's caption.
    SongLinksController(AppState& state, UserDialogs& dialogs, LinkSubject kind,
                        std::int32_t subject, std::string caption);

    LinkSubject kind() const { return kind_; }
    const std::string& caption() const { return caption_; }
    std::string filterCaption() const;
    std::string availableLabel() const;
    std::string linkedLabel() const;
    const std::string& filterText() const { return filter_; }

    // Opening, and after a changed filter: both lists read from the database again.
    void load();
    // The lists: the left grid shows available() and the right one local().
    const std::vector<ListedLink>& available() const { return available_; }
    const std::vector<ListedLink>& local() const { return local_; }
    // The number and the name (style name or song title) of an element.
    std::int32_t idOf(const ListedLink& element) const;
    const std::string& nameOf(const ListedLink& element) const;
    // The element as the grids show it: a song's title, or a style's name with its number,
    // description and family (styleLabelText), so that styles of one name can be told apart.
    std::string labelOf(const ListedLink& element) const;

    // Asks for a new filter; a changed one loads the lists again.
    void askFilter();
    // Links the selected available rows (from 0, in any order): the add button or a double click.
    // On a style's window each song added asks for its link's values at once: the requests of
    // the link edit window, in order.
    std::vector<LinkEditRequest> addAvailable(std::vector<int> rows);
    // The remove button: the link of the local row (from 0) leaves the local list.
    void removeLocal(int row);
    // Double click on a local row: what the link edit window shows for it; nothing without one.
    std::optional<LinkEditRequest> editLocal(int row) const;
    // The link edit window handed back the edited values of the local row.
    void localEdited(int row, const LinkValues& values);
    // "Update": replaces the subject's stored links with the local list, all at once;
    // false (and a message) when the database refuses, and then nothing changed.
    bool store();

private:
    bool isLinked(std::int32_t id) const;
    bool addOne(const ListedLink& element);

    AppState& state_;
    UserDialogs& dialogs_;
    LinkSubject kind_;
    std::int32_t subject_;
    std::string caption_;
    std::string filter_ = "%";
    std::vector<ListedLink> available_;
    std::vector<ListedLink> local_;
    // Description and family of the styles listed, by number.
    StyleLabels labels_;
};

}  // namespace orb
