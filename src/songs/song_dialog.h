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

// The song dialog: adds or edits one song (title and performer).
class SongDialogController {
public:
    SongDialogController(AppState& state, UserDialogs& dialogs, SongDialogRequest request);

    // "Insert" when adding, "Update" when editing.
    std::string okCaption() const;
    const SongDialogRequest& fields() const { return fields_; }
    void setTitle(const std::string& text) { fields_.SongTitle = text; }
    void setPerformer(const std::string& text) { fields_.SongPerformer = text; }

    // Ok ("Insert" or "Update"): stores the song; true when stored (the dialog then closes). A text
    // the text gate refuses, or a refusal of the database, is reported and the dialog stays open.
    bool ok();

private:
    AppState& state_;
    UserDialogs& dialogs_;
    SongDialogRequest fields_;
};

}  // namespace orb
