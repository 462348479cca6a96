#pragma once

#include <filesystem>
#include <string>

#include "catalogue/disk_identify.h"
#include "core/job_progress.h"
#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// The "What is on this disk?" window: a floppy, a stick or the keyboard's disk looked through
// against the catalogue, bank file by bank file and style by style; "Import the new ones" brings
// in the styles the catalogue lacks.
class DiskIdentifyController : public Observable {
public:
    static constexpr const char* kCaption = "What is on this disk?";

    // `logWindows` shows the import's log; may be none.
    DiskIdentifyController(AppState& state, UserDialogs& dialogs,
                           ImportWindows* logWindows = nullptr);

    // Asks for the folder (starting in the floppy folder) and looks through it; false when the
    // person cancelled or it holds no bank file, which is said.
    bool chooseAndLook();
    // Looks through `path` (a bank file or a folder); false, said, when it holds no bank file.
    bool look(const std::filesystem::path& path);

    const DiskContents& contents() const { return contents_; }
    // "Import the new ones": needs a new style and no import going on.
    bool importEnabled() const;
    // Imports the new styles (ImportNewStyles), then looks through the disk again.
    bool importNew();
    // True once an import stored something, so that the catalogue is listed again.
    bool imported() const { return imported_; }

    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }

private:
    AppState& state_;
    UserDialogs& dialogs_;
    ImportWindows* logWindows_;
    DiskContents contents_;
    bool imported_ = false;
    JobProgress job_;
};

}  // namespace orb
