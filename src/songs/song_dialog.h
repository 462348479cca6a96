#pragma once

#include <cstdint>
#include <string>

namespace orb {

class AppState;
class UserDialogs;

// Why the song dialog was opened: to add a new song or to edit a stored one.
enum class SongDialogMode { Add = 2, Edit = 3 };

// What the songs window hands to the song dialog.
struct SongDialogRequest {
    SongDialogMode mode = SongDialogMode::Add;
    std::int32_t SongCode = 0;
    std::string SongTitle;
    std::string SongPerformer;
};

// Why `value` cannot be stored in the song column `column` of `table`, or the empty string:
// longer than the column, or holding a character the Windows-1252 files cannot carry. `name`
// is the field as the person knows it.
std::string songTextRefusal(const char* table, const char* column, const std::string& name,
                            const std::string& value);

// frmSong: adds or edits one song (title and performer).
class SongDialogController {
public:
    SongDialogController(AppState& state, UserDialogs& dialogs, SongDialogRequest request);

    // "Insert" when adding, "Update" when editing.
    std::string okCaption() const;
    const SongDialogRequest& fields() const { return fields_; }
    void setTitle(const std::string& text) { fields_.SongTitle = text; }
    void setPerformer(const std::string& text) { fields_.SongPerformer = text; }

    // cmdOk: stores the song; true when stored (the dialog then closes). A text that cannot be
    // stored, or a refusal of the database, is reported and the dialog stays open.
    bool ok();

private:
    AppState& state_;
    UserDialogs& dialogs_;
    SongDialogRequest fields_;
};

}  // namespace orb
