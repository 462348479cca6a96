#include "stylefiles/style_import.h"

#include <cstdio>

#include "core/ascii_text.h"
#include "core/file_choice.h"
#include "core/text.h"
#include "state/app_state.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

}  // namespace

std::string importedBankName(const std::string& shortName, std::int32_t bankProg) {
    const std::string stem = fs::path(shortName).stem().string();
    const std::string name = upperAscii(stem.substr(0, 5));
    char number[16];
    std::snprintf(number, sizeof number, "%03d", static_cast<int>(bankProg));
    return name + number;
}

StyleImportController::StyleImportController(AppState& state, UserDialogs& dialogs,
                                             ImportWindows* windows)
    : state_(state), dialogs_(dialogs), windows_(windows), job_(dialogs) {
    job_.onChange([this] { changed(); });
}

std::string StyleImportController::pathCaption() const {
    return folderMode() ? "Folder to scan" : "File to search";
}

const std::string& StyleImportController::status(int index) const {
    return status_.at(static_cast<std::size_t>(index));
}

void StyleImportController::load(const ImportRequest& request) {
    request_ = request;
    statusVisible_ = false;
    controlsEnabled_ = true;
    progressVisible_ = false;
    runStarted_ = false;
    job_.reset();
    changed();
}

void StyleImportController::reopen(ImportRequest::Source source) {
    ImportRequest request;
    request.source = source;
    request.path = request_.path;
    request.values = request_.values;
    request.includeSubFolders = request_.includeSubFolders;
    load(request);
}

void StyleImportController::setValue(std::size_t index, const std::string& text) {
    if (request_.values.at(index) != text) {
        request_.values[index] = text;
        changed();
    }
}

void StyleImportController::setPath(const std::string& text) {
    if (request_.path != text) {
        request_.path = text;
        changed();
    }
}

void StyleImportController::setMode(DuplicateMode mode) {
    if (request_.mode != mode) {
        request_.mode = mode;
        changed();
    }
}

void StyleImportController::setSaveBankStructure(bool save) {
    if (request_.saveBankStructure != save) {
        request_.saveBankStructure = save;
        changed();
    }
}

void StyleImportController::setConfirmEachStyle(bool confirm) {
    if (request_.confirmEachStyle != confirm) {
        request_.confirmEachStyle = confirm;
        changed();
    }
}

void StyleImportController::setIncludeSubFolders(bool include) {
    if (request_.includeSubFolders != include) {
        request_.includeSubFolders = include;
        changed();
    }
}

void StyleImportController::search() {
    FileChoice choice(dialogs_, state_.settings);
    const std::string chosen = folderMode()
                                   ? choice.folder(FileKind::Styles, trimmed(request_.path))
                                   : choice.openFile(FileKind::Styles, kFileFilter);
    if (!chosen.empty()) {
        request_.path = chosen;
    }
    controlsEnabled_ = true;
    changed();
}

bool StyleImportController::run() {
    StyleImportListener listener;
    listener.started = [this] {
        runStarted_ = true;
        log_.clear();
        tally_ = {};
        statusVisible_ = true;
        status_ = {};
        controlsEnabled_ = false;
        changed();
    };
    listener.reading = [this](const std::array<std::string, 3>& status, bool counted) {
        status_ = status;
        progressVisible_ = counted;
        changed();
    };
    listener.ended = [this](const std::array<std::string, 3>& status) {
        status_ = status;
        controlsEnabled_ = true;
        progressVisible_ = false;
        changed();
    };
    const StyleImportResult result =
        ImportStyles(state_, dialogs_, job_, windows_, request_, listener);
    tally_ = result.tally;
    log_ = result.log;
    return result.committed;
}

std::string importSummary(const ImportTally& tally) {
    const auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::string summary = count(tally.stylesImported, "style", "styles") + " imported, " +
                          std::to_string(tally.duplicatesSkipped) + " skipped as duplicates, " +
                          count(tally.banksStored, "bank", "banks") + " stored";
    if (tally.stylesReplaced > 0) {
        summary += ", " + count(tally.stylesReplaced, "style", "styles") + " replaced";
    }
    return summary;
}

}  // namespace orb
