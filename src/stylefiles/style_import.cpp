#include "stylefiles/style_import.h"

#include <algorithm>
#include <cstdio>

#include "core/clock.h"
#include "core/errors.h"
#include "core/file_access.h"
#include "core/file_choice.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "db/bank_store.h"
#include "db/page_cache.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "state/app_state.h"
#include "stylefiles/short_name.h"
#include "stylefiles/style_confirmation.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

// A failure that stops the run: a store the database refused, a folder that cannot be read.
class ImportError : public OrbError {
public:
    explicit ImportError(const std::string& message) : OrbError(message) {}
};

void sortByName(std::vector<fs::path>& paths) {
    std::sort(paths.begin(), paths.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().string() < b.filename().string();
    });
}

// A style as refusals name it: its name without the padding of bank files, and its file.
TextPlace placeOf(const std::string& name, const std::string& shortName) {
    std::string shown = name;
    std::erase(shown, '\0');
    return TextPlace("the style " + trimmed(shown) + " of " + shortName);
}

}  // namespace

std::string importedBankName(const std::string& shortName, std::int32_t bankProg) {
    const std::string stem = fs::path(shortName).stem().string();
    std::string name = stem.substr(0, 5);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
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

std::string StyleImportController::refusedValue() const {
    for (std::size_t i = 0; i < request_.values.size(); ++i) {
        std::string refusal = styleValueRefusal(i, request_.values[i]);
        if (!refusal.empty()) {
            return refusal;
        }
    }
    return {};
}

std::string StyleImportController::runRefused(const StoreError& refusal) const {
    return failureMessage(refusal,
                          "The import into the database " + state_.DatabasePath +
                              " failed; nothing of this run was stored (",
                          ").", "Nothing of this run was stored.");
}

bool StyleImportController::run() {
    const std::string target = trimmed(request_.path);
    if (target.empty()) {
        return false;
    }
    // Refused before anything is stored, so that no style carries a value its files cannot.
    const std::string refusal = refusedValue();
    if (!refusal.empty()) {
        dialogs_.message(refusal, UserDialogs::Icon::Exclamation);
        return false;
    }
    if (!keepRestorePointBeforeOverwriting(target)) {
        return false;
    }

    runStarted_ = true;
    log_.clear();
    tally_ = {};
    statusVisible_ = true;
    status_ = {};
    attached_ = {request_.values[0], request_.values[1], request_.values[2], ""};
    controlsEnabled_ = false;
    today_ = formatStyleDate(state_.clock.today());
    library_.letEventsRunThrough(dialogs_);
    changed();

    job_.start("Reading " + target, 0);
    try {
        const LargerPageCache cache(state_.connection);
        WriteTransaction transaction(state_.connection);
        // Read once: within the run's transaction only the run adds styles.
        nextStyleProg_ = StyleStore(state_.connection).next();
        if (folderMode()) {
            std::vector<FolderListing> listings;
            listFolder(target, listings);
            long long files = 0;
            for (const FolderListing& listing : listings) {
                files += static_cast<long long>(std::count_if(
                    listing.files.begin(), listing.files.end(),
                    [](const fs::path& file) { return hasExtensionInAnyCase(file, ".STY"); }));
            }
            job_.setMaximum(files);
            progressVisible_ = true;
            changed();
            for (const FolderListing& listing : listings) {
                importFolder(listing);
            }
        } else {
            job_.setMaximum(1);
            progressVisible_ = true;
            const fs::path file(target);
            status_[0] = file.filename().string();
            changed();
            importFile(file, shortFileName(file));
            job_.step();
        }
        transaction.commit();
    } catch (const JobCancelled&) {
        // The transaction has been rolled back: nothing of this run remains.
        tally_ = {};
        endRun();
        job_.finish(kCancelled);
        dialogs_.message(kCancelled, UserDialogs::Icon::Information);
        return false;
    } catch (const StoreError& e) {
        // The transaction has been rolled back: nothing of this run remains.
        tally_ = {};
        endRun();
        job_.finish(kFailed);
        dialogs_.message(runRefused(e), UserDialogs::Icon::Critical);
        return false;
    } catch (const std::exception& e) {
        // The transaction has been rolled back: nothing of this run remains.
        tally_ = {};
        endRun();
        job_.finish(kFailed);
        dialogs_.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    endRun();
    job_.finish("Style import ended: " + importSummary(tally_) + ".");
    if (!trimmed(log_).empty() && dialogs_.question(kLogQuestion, kLogQuestionTitle) &&
        windows_ != nullptr) {
        windows_->showLog(log_);
    }
    dialogs_.message(job_.summary(), UserDialogs::Icon::Information);
    log_.clear();
    return true;
}

bool StyleImportController::keepRestorePointBeforeOverwriting(const std::string& target) {
    // Only an import that may replace stored styles destroys anything; an empty catalogue has
    // nothing to replace.
    if (request_.mode != DuplicateMode::OverwriteByName ||
        StyleStore(state_.connection).count() == 0) {
        return true;
    }
    try {
        state_.restorePoints().keep(state_.connection,
                                    "importing " + fs::path(target).filename().string() +
                                        ", which overwrites styles of the same name");
    } catch (const RestorePointError& e) {
        dialogs_.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

void StyleImportController::endRun() {
    controlsEnabled_ = true;
    progressVisible_ = false;
    status_[0].clear();
    status_[1].clear();
    changed();
}

void StyleImportController::listFolder(const fs::path& folder,
                                       std::vector<FolderListing>& listings) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        throw ImportError("The folder " + folder.string() + " does not exist.");
    }
    FolderListing listing{folder, {}};
    std::vector<fs::path> subFolders;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::error_code kindError;
        // Linked folders are not followed, so that a link to a parent cannot loop forever.
        if (entry.is_directory(kindError) && !entry.is_symlink(kindError)) {
            subFolders.push_back(entry.path());
        } else if (entry.is_regular_file(kindError)) {
            listing.files.push_back(entry.path());
        }
    }
    if (error) {
        throw ImportError("The folder " + folder.string() + " cannot be read: " + error.message() +
                          ".");
    }
    sortByName(listing.files);
    sortByName(subFolders);
    listings.push_back(std::move(listing));
    if (request_.includeSubFolders) {
        for (const fs::path& subFolder : subFolders) {
            listFolder(subFolder, listings);
        }
    }
}

void StyleImportController::importFolder(const FolderListing& listing) {
    status_[2] = listing.folder.string();
    for (const fs::path& file : listing.files) {
        status_[0] = file.filename().string();
        changed();
        if (hasExtensionInAnyCase(file, ".STY")) {
            job_.setActivity("Reading " + file.string());
            importFile(file, shortFileName(file));
            job_.step();
        }
        letEventsRun();
    }
}

void StyleImportController::importFile(const fs::path& file, const std::string& shortName) {
    std::vector<StyleFileBank> banks;
    library_.FillBanksFromStyle(file, banks);
    if (library_.lastKind != StyleFileKind::PaBank) {
        log_ += notABankLogLine(shortName, library_.lastKind.value_or(StyleFileKind::Unknown));
        log_ += "\r\n";
        return;
    }
    for (std::size_t i = 0; i < banks.size(); ++i) {
        importBank(banks[i].styles, shortName, file.filename().string(), i + 1, banks.size());
    }
}

void StyleImportController::importBank(KORFStyles& styles, const std::string& shortName,
                                       const std::string& fileName, std::size_t bank,
                                       std::size_t bankCount) {
    std::int32_t position = 1;
    for (KORFStyle& record : styles) {
        record.StyleProg = position++;
    }
    if (request_.confirmEachStyle) {
        StyleConfirmation confirmation(dialogs_);
        confirmation.fill(styles, shortName, attached_, fileName, bank, bankCount);
        // The description names the file whether or not the person confirms.
        attached_[3] = confirmation.values()[3];
        // Without a window there is nobody to ask: every style stays selected.
        const std::optional<StyleSelection> selection =
            windows_ == nullptr ? StyleSelection{confirmation.checked(), confirmation.values()}
                                : windows_->confirmStyles(confirmation);
        std::array<bool, StyleConfirmation::kSlots> selected{};
        if (selection) {
            selected = selection->selected;
            attached_ = selection->values;
        }
        std::size_t flag = 0;
        for (KORFStyle& record : styles) {
            if (flag >= selected.size() || !selected[flag]) {
                record.StyleProg = -1;
            }
            ++flag;
        }
    }
    StyleStore store(state_.connection);
    for (KORFStyle& record : styles) {
        if (record.StyleProg == -1) {
            continue;
        }
        status_[1] = record.StyleName1;
        storeStyle(record, shortName, store);
        letEventsRun();
    }
    if (request_.saveBankStructure) {
        storeBank(styles, shortName);
    }
}

void StyleImportController::storeStyle(KORFStyle& record, const std::string& shortName,
                                       StyleStore& store) {
    std::optional<std::int32_t> overwritten;
    if (request_.mode == DuplicateMode::SkipSameContent) {
        if (const auto same = store.findByContent(record.StyleContent1, record.StyleContent2)) {
            const std::optional<StyleRow> found = store.findWithoutBlocks(*same);
            if (!found) {
                throw StoreError("The style " + std::to_string(*same) +
                                 " vanished while it was being read.");
            }
            log_ += "Style " + record.StyleName1 + " from file " + shortName +
                    " is the same as style " + found->StyleName1 + " from file " +
                    found->StyleFile + ", and will not be imported!\r\n";
            record.StyleProg = *same;
            ++tally_.duplicatesSkipped;
            return;
        }
    } else if (request_.mode == DuplicateMode::OverwriteByName) {
        const std::vector<StyleRow> sameName = store.findByName(record.StyleName1);
        if (!sameName.empty()) {
            overwritten = sameName.front().StyleProg;
        }
    }

    const TextPlace place = placeOf(record.StyleName1, shortName);
    // Names, lengths and blocks as the file gives them (the number is set below). Only the
    // record's number is read after this, so moving spares a copy of each block.
    StyleRow row;
    static_cast<KORFStyle&>(row) = std::move(record);
    row.StyleAuthor = attached_[2];
    row.StyleCat = attached_[1];
    row.StyleDate = today_;
    row.StyleDesc = " ";
    row.StyleFamily = attached_[0];
    row.StyleFile = shortName;

    if (overwritten) {
        row.StyleProg = *overwritten;
        // The blocks are replaced with the texts, so that they agree with the new lengths.
        if (!store.replace(row, place)) {
            throw StoreError("The style " + std::to_string(*overwritten) +
                             " to be overwritten is gone.");
        }
        record.StyleProg = *overwritten;
        ++tally_.stylesReplaced;
        return;
    }
    row.StyleProg = nextStyleProg_;
    store.insertNumbered(row, place);
    ++nextStyleProg_;
    record.StyleProg = row.StyleProg;
    ++tally_.stylesImported;
}

void StyleImportController::storeBank(const KORFStyles& styles, const std::string& shortName) {
    BankStore banks(state_.connection);
    BankRow bank;
    bank.BankProg = banks.next();
    bank.BankName = importedBankName(shortName, bank.BankProg);
    bank.BankDesc = attached_[3];
    std::size_t position = 0;
    for (const KORFStyle& record : styles) {
        if (position < bank.BankStyle.size()) {
            bank.BankStyle[position] = record.StyleProg == -1 ? 0 : record.StyleProg;
        }
        ++position;
    }
    banks.insertNumbered(bank, TextPlace("the bank of " + shortName));
    ++tally_.banksStored;
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

void StyleImportController::letEventsRun() {
    changed();
    dialogs_.processEvents();
    job_.checkpoint();
}

}  // namespace orb
