#include "songs/song_links.h"

#include <algorithm>

#include "core/user_dialogs.h"
#include "db/db_korf_son_sty.h"
#include "db/transaction.h"
#include "state/app_state.h"

namespace orb {
namespace {

// The filter is bound, not spliced into the statement, so that an apostrophe in it is matched
// like any other character.
constexpr const char* kAvailableStyles =
    "SELECT KORFSTYLES.STYLEPROG, KORFStyles.StyleName1 From KORFStyles WHERE "
    "KORFStyles.StyleName1 LIKE pFilter ORDER BY KORFSTYLES.STYLENAME1";
constexpr const char* kAllStyles =
    "SELECT KORFSTYLES.STYLEPROG, KORFStyles.StyleName1 From KORFStyles ORDER BY "
    "KORFSTYLES.STYLENAME1";
constexpr const char* kLinkedStyles =
    "SELECT KORFSONSTY.STYLEPROG, KORFSTYLES.STYLENAME1,KORFSONSTY.SONGNOTE,KORFSONSTY.STYLETEMPO,"
    "KORFSONSTY.STYLETRANSPOSE FROM KORFSONSTY LEFT OUTER JOIN KORFSTYLES ON KORFSONSTY.STYLEPROG "
    "= KORFSTYLES.STYLEPROG WHERE KORFSONSTY.SONGCODE = pSongCode ORDER BY KORFSTYLES.STYLENAME1";
constexpr const char* kAvailableSongs =
    "SELECT KORFSONGS.SONGCODE, KORFSONGS.SONGTITLE From KORFSONGS WHERE KORFSONGS.SONGTITLE LIKE "
    "pFilter ORDER BY KORFSONGS.SONGTITLE";
constexpr const char* kAllSongs =
    "SELECT KORFSONGS.SONGCODE, KORFSONGS.SONGTITLE From KORFSONGS ORDER BY KORFSONGS.SONGTITLE";
constexpr const char* kLinkedSongs =
    "SELECT KORFSONGS.SONGCODE, KORFSONGS.SONGTITLE,KORFSONSTY.SONGNOTE,KORFSONSTY.STYLETEMPO,"
    "KORFSONSTY.STYLETRANSPOSE FROM KORFSONSTY LEFT OUTER JOIN KORFSONGS ON KORFSONSTY.SONGCODE = "
    "KORFSONGS.SONGCODE WHERE KORFSONSTY.STYLEPROG = pStyleProg ORDER BY KORFSONGS.SONGTITLE";

std::string shownName(std::string name) {
    std::erase(name, '\0');
    return name;
}

}  // namespace

SongLinksController::SongLinksController(AppState& state, UserDialogs& dialogs, LinkSubject kind,
                                         std::int32_t subject, std::string caption,
                                         LinkEditor editor)
    : state_(state),
      dialogs_(dialogs),
      kind_(kind),
      subject_(subject),
      caption_(std::move(caption)),
      editor_(std::move(editor)) {}

std::string SongLinksController::filterCaption() const {
    return kind_ == LinkSubject::Song ? "Styles filtering" : "Songs filtering";
}

std::string SongLinksController::availableLabel() const {
    return kind_ == LinkSubject::Song ? " Available styles" : " Available songs";
}

std::string SongLinksController::linkedLabel() const {
    return kind_ == LinkSubject::Song ? " Linked styles" : " Linked songs";
}

std::int32_t SongLinksController::idOf(const KORFSonSty& element) const {
    return kind_ == LinkSubject::Song ? element.StyleProg : element.SongCode;
}

const std::string& SongLinksController::nameOf(const KORFSonSty& element) const {
    return kind_ == LinkSubject::Song ? element.StyleDesc : element.SongDesc;
}

void SongLinksController::load() {
    const bool songs = kind_ == LinkSubject::Song;
    Database& db = state_.connection;
    available_.clear();
    {
        Rows rows = filter_ == "%"
                        ? db.query(songs ? kAllStyles : kAllSongs)
                        : db.query(songs ? kAvailableStyles : kAvailableSongs, {filter_});
        while (rows.next()) {
            const auto id = static_cast<std::int32_t>(rows.integer(0));
            const std::string name = shownName(rows.text(1));
            available_.Add(songs ? subject_ : id, songs ? id : subject_, songs ? "" : name,
                           songs ? name : "", "", "", "", std::to_string(id));
        }
    }
    local_.clear();
    Rows rows = db.query(songs ? kLinkedStyles : kLinkedSongs, {subject_});
    while (rows.next()) {
        const auto id = static_cast<std::int32_t>(rows.integer(0));
        const std::string name = shownName(rows.text(1));
        local_.Add(songs ? subject_ : id, songs ? id : subject_, songs ? "" : name,
                   songs ? name : "", rows.text(2), rows.text(3), rows.text(4), std::to_string(id));
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
    for (const KORFSonSty& element : local_) {
        if (idOf(element) == id) {
            return true;
        }
    }
    return false;
}

void SongLinksController::addOne(const KORFSonSty& element) {
    const std::int32_t id = idOf(element);
    if (isLinked(id)) {
        dialogs_.message(kind_ == LinkSubject::Song ? "Style already linked to song"
                                                    : "Song already linked to style",
                         UserDialogs::Icon::Critical);
        return;
    }
    LinkValues values{" ", " ", " "};
    if (kind_ == LinkSubject::Style) {
        // A song joins a style with its values asked at once.
        values = editor_(caption_ + " - " + element.SongDesc, LinkValues{}).value_or(LinkValues{});
    }
    local_.Add(element.SongCode, element.StyleProg, element.SongDesc, element.StyleDesc,
               values.SongNote, values.StyleTempo, values.StyleTranspose, std::to_string(id));
}

void SongLinksController::addAvailable(std::vector<int> rows) {
    // The rows in grid order, whichever end of the selection the person started from.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row >= 0 && row < available_.Count()) {
            const KORFSonSty element = available_.Item(row + 1);
            addOne(element);
        }
    }
    changed();
}

void SongLinksController::removeLocal(int row) {
    if (row >= 0 && row < local_.Count()) {
        local_.Remove(row + 1);
        changed();
    }
}

void SongLinksController::editLocal(int row) {
    if (row < 0 || row >= local_.Count()) {
        return;
    }
    KORFSonSty& element = local_.Item(row + 1);
    const auto edited =
        editor_(caption_ + " - " + nameOf(element),
                LinkValues{element.SongNote, element.StyleTempo, element.StyleTranspose});
    if (edited) {
        element.SongNote = edited->SongNote;
        element.StyleTempo = edited->StyleTempo;
        element.StyleTranspose = edited->StyleTranspose;
        changed();
    }
}

bool SongLinksController::store() {
    DBKORFSonSty link(state_.connection);
    try {
        Transaction transaction(state_.connection);
        bool stored = true;
        if (kind_ == LinkSubject::Song) {
            link.SongCode = subject_;
            stored = link.DelKORFSonStySong();
        } else {
            state_.connection.execute("DELETE FROM KORFSonSty WHERE StyleProg = pStyleProg",
                                      {subject_});
        }
        for (auto element = local_.begin(); stored && element != local_.end(); ++element) {
            link.SongCode = element->SongCode;
            link.StyleProg = element->StyleProg;
            link.SongNote = element->SongNote;
            link.StyleTempo = element->StyleTempo;
            link.StyleTranspose = element->StyleTranspose;
            stored = link.InsKORFSonSty();
        }
        if (!stored) {
            dialogs_.message("The links cannot be stored: " + link.clsKORFSonStyError +
                                 "\nThe stored links have been left as they were.",
                             UserDialogs::Icon::Critical);
            return false;
        }
        transaction.commit();
    } catch (const DbError& failure) {
        dialogs_.message("The links cannot be stored: " + std::string(failure.what()) +
                             "\nThe stored links have been left as they were.",
                         UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

}  // namespace orb
