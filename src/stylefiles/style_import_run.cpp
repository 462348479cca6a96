#include <algorithm>

#include "core/clock.h"
#include "core/errors.h"
#include "core/file_access.h"
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
#include "stylefiles/style_import.h"

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

// One run of ImportStyles: the request, what it has stored so far and its log.
class StyleImportRun {
public:
    StyleImportRun(AppState& state, UserDialogs& dialogs, JobProgress& job, ImportWindows* windows,
                   const ImportRequest& request, const StyleImportListener& listener)
        : state_(state),
          dialogs_(dialogs),
          job_(job),
          windows_(windows),
          request_(request),
          listener_(listener) {}

    StyleImportResult run();

private:
    struct FolderListing {
        fs::path folder;
        std::vector<fs::path> files;
    };

    // The message for the first typed value that cannot be stored, empty when all can.
    std::string refusedValue() const;
    void importSources(const std::string& target);
    // A cancelled or failed run: its job line, the message, and the log so far.
    StyleImportResult stopped(StyleImportResult& result, const std::string& jobLine,
                              const std::string& message, UserDialogs::Icon icon);
    void listFolder(const fs::path& folder, std::vector<FolderListing>& listings);
    void importFolder(const FolderListing& listing);
    void importFile(const fs::path& file, const std::string& shortName);
    // `bank` of `bankCount` in the file `fileName` (for the confirmation dialog's caption).
    void importBank(std::vector<BankFileStyle>& styles, const std::string& shortName,
                    const std::string& fileName, std::size_t bank, std::size_t bankCount);
    // The catalogue number the style is stored under, or the number of the stored style that
    // stands for it.
    std::int32_t storeStyle(BankFileStyle style, const std::string& shortName, StyleStore& store);
    // `numbers` are the catalogue numbers of the bank's styles in slot order, 0 for a style left
    // out.
    void storeBank(const std::vector<std::int32_t>& numbers, const std::string& shortName);
    // Tells the window what is being read.
    void show();
    void letEventsRun();
    // The run has ended: the file and style being read are no longer shown.
    void endRun();
    // The message of a run the database refused, after the rollback.
    std::string runRefused(const StoreError& refusal) const;

    AppState& state_;
    UserDialogs& dialogs_;
    JobProgress& job_;
    ImportWindows* windows_;
    const ImportRequest& request_;
    const StyleImportListener& listener_;
    // The values attached to the styles and the bank being stored; a confirmation changes them
    // for the rest of the run.
    StyleValues attached_;
    std::array<std::string, 3> status_;
    bool counted_ = false;
    std::string log_;
    ImportTally tally_;
    std::string today_;
    // The number the next new style of the run gets.
    std::int32_t nextStyleProg_ = 1;
};

std::string StyleImportRun::refusedValue() const {
    for (std::size_t i = 0; i < request_.values.size(); ++i) {
        std::string refusal = styleValueRefusal(i, request_.values[i]);
        if (!refusal.empty()) {
            return refusal;
        }
    }
    return {};
}

std::string StyleImportRun::runRefused(const StoreError& refusal) const {
    return failureMessage(refusal,
                          "The import into the database " + state_.DatabasePath +
                              " failed; nothing of this run was stored (",
                          ").", "Nothing of this run was stored.");
}

StyleImportResult StyleImportRun::run() {
    StyleImportResult result;
    const std::string target = trimmed(request_.path);
    if (target.empty()) {
        return result;
    }
    // Refused before anything is stored, so that no style carries a value its files cannot.
    const std::string refusal = refusedValue();
    if (!refusal.empty()) {
        dialogs_.message(refusal, UserDialogs::Icon::Exclamation);
        return result;
    }
    // Only an import that may replace stored styles destroys anything; an empty catalogue has
    // nothing to replace.
    std::optional<StepPoint> point;
    if (request_.mode == DuplicateMode::OverwriteByName &&
        StyleStore(state_.connection).count() != 0) {
        point.emplace(state_.restorePoints(), state_.connection,
                      "importing " + fs::path(target).filename().string() +
                          ", which overwrites styles of the same name");
    }

    result.started = true;
    attached_ = {request_.values[0], request_.values[1], request_.values[2], ""};
    today_ = formatStyleDate(state_.clock.today());
    if (listener_.started) {
        listener_.started();
    }

    job_.start("Reading " + target, 0);
    try {
        const LargerPageCache cache(state_.connection);
        WriteTransaction transaction(state_.connection);
        // Read once: within the run's transaction only the run adds styles.
        nextStyleProg_ = StyleStore(state_.connection).next();
        importSources(target);
        transaction.commit();
    } catch (const JobCancelled&) {
        // The transaction has been rolled back: nothing of this run remains.
        return stopped(result, StyleImportController::kCancelled, StyleImportController::kCancelled,
                       UserDialogs::Icon::Information);
    } catch (const StoreError& e) {
        return stopped(result, StyleImportController::kFailed, runRefused(e),
                       UserDialogs::Icon::Critical);
    } catch (const std::exception& e) {
        return stopped(result, StyleImportController::kFailed, e.what(),
                       UserDialogs::Icon::Critical);
    }
    result.committed = true;
    result.tally = tally_;
    endRun();
    job_.finish("Style import ended: " + importSummary(tally_) + ".");
    if (!trimmed(log_).empty() &&
        dialogs_.question(StyleImportController::kLogQuestion,
                          StyleImportController::kLogQuestionTitle) &&
        windows_ != nullptr) {
        windows_->showLog(log_);
    }
    dialogs_.message(job_.summary(), UserDialogs::Icon::Information);
    return result;
}

// The folder's bank files, folder by folder, or the chosen files one by one.
void StyleImportRun::importSources(const std::string& target) {
    if (request_.source == ImportRequest::Source::Folder) {
        std::vector<FolderListing> listings;
        listFolder(target, listings);
        long long files = 0;
        for (const FolderListing& listing : listings) {
            files += static_cast<long long>(std::count_if(
                listing.files.begin(), listing.files.end(),
                [](const fs::path& file) { return hasExtensionInAnyCase(file, ".STY"); }));
        }
        job_.setMaximum(files);
        counted_ = true;
        show();
        for (const FolderListing& listing : listings) {
            importFolder(listing);
        }
    } else {
        const std::vector<std::string> files = request_.source == ImportRequest::Source::Files
                                                   ? request_.files
                                                   : std::vector<std::string>{target};
        job_.setMaximum(static_cast<long long>(files.size()));
        counted_ = true;
        for (const fs::path file : files) {
            status_[0] = file.filename().string();
            if (request_.source == ImportRequest::Source::Files) {
                status_[2] = file.parent_path().string();
            }
            show();
            importFile(file, shortFileName(file));
            job_.step();
        }
    }
}

StyleImportResult StyleImportRun::stopped(StyleImportResult& result, const std::string& jobLine,
                                          const std::string& message, UserDialogs::Icon icon) {
    endRun();
    job_.finish(jobLine);
    dialogs_.message(message, icon);
    result.log = log_;
    return result;
}

void StyleImportRun::show() {
    if (listener_.reading) {
        listener_.reading(status_, counted_);
    }
}

void StyleImportRun::endRun() {
    status_[0].clear();
    status_[1].clear();
    counted_ = false;
    if (listener_.ended) {
        listener_.ended(status_);
    }
}

void StyleImportRun::letEventsRun() {
    show();
    dialogs_.processEvents();
    job_.checkpoint();
}

void StyleImportRun::listFolder(const fs::path& folder, std::vector<FolderListing>& listings) {
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

void StyleImportRun::importFolder(const FolderListing& listing) {
    status_[2] = listing.folder.string();
    for (const fs::path& file : listing.files) {
        status_[0] = file.filename().string();
        show();
        if (hasExtensionInAnyCase(file, ".STY")) {
            job_.setActivity("Reading " + file.string());
            importFile(file, shortFileName(file));
            job_.step();
        }
        letEventsRun();
    }
}

void StyleImportRun::importFile(const fs::path& file, const std::string& shortName) {
    StyleFileContents contents = readBankFile(file, eventsThrough(dialogs_));
    std::vector<StyleFileBank>& banks = contents.banks;
    if (contents.kind != StyleFileKind::PaBank) {
        log_ += notABankLogLine(shortName, contents.kind);
        log_ += "\r\n";
        return;
    }
    for (std::size_t i = 0; i < banks.size(); ++i) {
        importBank(banks[i].styles, shortName, file.filename().string(), i + 1, banks.size());
    }
}

void StyleImportRun::importBank(std::vector<BankFileStyle>& styles, const std::string& shortName,
                                const std::string& fileName, std::size_t bank,
                                std::size_t bankCount) {
    std::vector<bool> chosen(styles.size(), true);
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
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            chosen[i] = i < selected.size() && selected[i];
        }
    }
    std::vector<std::int32_t> numbers(styles.size(), 0);
    StyleStore store(state_.connection);
    for (std::size_t i = 0; i < styles.size(); ++i) {
        if (!chosen[i]) {
            continue;
        }
        status_[1] = styles[i].StyleName1;
        numbers[i] = storeStyle(std::move(styles[i]), shortName, store);
        letEventsRun();
    }
    if (request_.saveBankStructure) {
        storeBank(numbers, shortName);
    }
}

std::int32_t StyleImportRun::storeStyle(BankFileStyle record, const std::string& shortName,
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
            ++tally_.duplicatesSkipped;
            return *same;
        }
    } else if (request_.mode == DuplicateMode::OverwriteByName) {
        const std::vector<StyleRow> sameName = store.findByName(record.StyleName1);
        if (!sameName.empty()) {
            overwritten = sameName.front().StyleProg;
        }
    }

    const TextPlace place = placeOf(record.StyleName1, shortName);
    // Names, lengths and blocks as the file gives them; moving spares a copy of each block.
    StyleRow row = styleRowOf(std::move(record), overwritten.value_or(nextStyleProg_));
    row.StyleAuthor = attached_[2];
    row.StyleCat = attached_[1];
    row.StyleDate = today_;
    row.StyleDesc = " ";
    row.StyleFamily = attached_[0];
    row.StyleFile = shortName;

    if (overwritten) {
        // The blocks are replaced with the texts, so that they agree with the new lengths.
        if (!store.replace(row, place)) {
            throw StoreError("The style " + std::to_string(*overwritten) +
                             " to be overwritten is gone.");
        }
        ++tally_.stylesReplaced;
        return *overwritten;
    }
    store.insertNumbered(row, place);
    ++nextStyleProg_;
    ++tally_.stylesImported;
    return row.StyleProg;
}

void StyleImportRun::storeBank(const std::vector<std::int32_t>& numbers,
                               const std::string& shortName) {
    BankStore banks(state_.connection);
    BankRow bank;
    bank.BankProg = banks.next();
    bank.BankName = importedBankName(shortName, bank.BankProg);
    bank.BankDesc = attached_[3];
    for (std::size_t position = 0; position < numbers.size() && position < bank.BankStyle.size();
         ++position) {
        bank.BankStyle[position] = numbers[position];
    }
    banks.insertNumbered(bank, TextPlace("the bank of " + shortName));
    ++tally_.banksStored;
}

}  // namespace

StyleImportResult ImportStyles(AppState& state, UserDialogs& dialogs, JobProgress& job,
                               ImportWindows* windows, const ImportRequest& request,
                               const StyleImportListener& listener) {
    return StyleImportRun(state, dialogs, job, windows, request, listener).run();
}

}  // namespace orb
