#include "catalogue/disk_identify.h"

#include <algorithm>
#include <optional>

#include "core/errors.h"
#include "core/file_access.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/bank_store.h"
#include "db/style_store.h"
#include "stylefiles/bank_file.h"
#include "stylefiles/short_name.h"
#include "stylefiles/style_confirmation.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

// A name as lists show it: the code-0 padding of bank files turned into blanks, and trimmed.
std::string shownName(std::string name) {
    std::replace(name.begin(), name.end(), '\0', ' ');
    return trimmed(name);
}

// The .STY files of `folder` in name order, then those of its sub-folders, as the import reads
// a folder; linked folders are not followed.
void listBankFiles(const fs::path& folder, std::vector<fs::path>& files) {
    std::vector<fs::path> here;
    std::vector<fs::path> subFolders;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code kindError;
        if (entries->is_directory(kindError) && !entries->is_symlink(kindError)) {
            subFolders.push_back(entries->path());
        } else if (entries->is_regular_file(kindError) &&
                   hasExtensionInAnyCase(entries->path(), ".STY")) {
            here.push_back(entries->path());
        }
    }
    if (error) {
        throw OrbError("The folder " + folder.string() + " cannot be read: " + error.message() +
                       ".");
    }
    const auto byName = [](const fs::path& a, const fs::path& b) {
        return a.filename().string() < b.filename().string();
    };
    std::sort(here.begin(), here.end(), byName);
    std::sort(subFolders.begin(), subFolders.end(), byName);
    files.insert(files.end(), here.begin(), here.end());
    for (const fs::path& subFolder : subFolders) {
        listBankFiles(subFolder, files);
    }
}

// Looks the styles of the disk up in the catalogue; the stored banks are read once.
class Identifier {
public:
    explicit Identifier(Database& connection) : connection_(connection), styles_(connection) {}

    IdentifiedBank identify(const StyleFileBank& read) {
        IdentifiedBank bank;
        bank.bankNumber = read.bankNumber;
        std::vector<std::vector<std::int32_t>> sameContent;
        for (const BankFileStyle& style : read.styles) {
            IdentifiedStyle found;
            found.slot = style.slot;
            found.name = shownName(style.StyleName1);
            sameContent.push_back(
                styles_.numbersByContent(style.StyleContent1, style.StyleContent2));
            if (!sameContent.back().empty()) {
                found.kind = IdentifiedStyle::Kind::Stored;
                found.styleProg = sameContent.back().front();
            } else if (const auto named = styles_.numbersNamed(found.name); !named.empty()) {
                found.kind = IdentifiedStyle::Kind::SameName;
                found.styleProg = named.front();
            }
            bank.styles.push_back(std::move(found));
        }
        if (const BankRow* stored = storedBankHolding(sameContent)) {
            bank.storedBank = stored->BankProg;
            bank.storedBankName = stored->BankName;
        }
        return bank;
    }

private:
    // The first stored bank (in name order) whose styles, slot by slot, have the contents found.
    const BankRow* storedBankHolding(const std::vector<std::vector<std::int32_t>>& sameContent) {
        if (sameContent.empty() ||
            std::any_of(sameContent.begin(), sameContent.end(),
                        [](const std::vector<std::int32_t>& numbers) { return numbers.empty(); })) {
            return nullptr;
        }
        if (!banks_) {
            banks_ = BankStore(connection_).all();
        }
        for (const BankRow& bank : *banks_) {
            std::vector<std::int32_t> slots;
            std::copy_if(bank.BankStyle.begin(), bank.BankStyle.end(), std::back_inserter(slots),
                         [](std::int32_t style) { return style != 0; });
            if (slots.size() != sameContent.size()) {
                continue;
            }
            bool equal = true;
            for (std::size_t i = 0; i < slots.size() && equal; ++i) {
                equal = std::binary_search(sameContent[i].begin(), sameContent[i].end(), slots[i]);
            }
            if (equal) {
                return &bank;
            }
        }
        return nullptr;
    }

    Database& connection_;
    StyleStore styles_;
    std::optional<std::vector<BankRow>> banks_;
};

// Answers the import's confirmation of each bank with the styles found new there, checking that
// the bank read now is the one looked at.
class NewStylesOnly : public ImportWindows {
public:
    NewStylesOnly(std::vector<const IdentifiedBank*> banks, std::vector<fs::path> files,
                  ImportWindows* logWindows)
        : banks_(std::move(banks)), files_(std::move(files)), logWindows_(logWindows) {}

    std::optional<StyleSelection> confirmStyles(StyleConfirmation& confirmation) override {
        const IdentifiedBank* bank = next_ < banks_.size() ? banks_[next_] : nullptr;
        const fs::path file = next_ < files_.size() ? files_[next_] : fs::path();
        ++next_;
        bool same = bank != nullptr;
        for (std::size_t i = 0; same && i < confirmation.labels().size(); ++i) {
            same = i < bank->styles.size()
                       ? confirmation.tags()[i] != 0 &&
                             shownName(confirmation.labels()[i]) == bank->styles[i].name
                       : confirmation.tags()[i] == 0;
        }
        if (!same) {
            throw OrbError("The bank file " + file.string() +
                           " no longer holds what was found on it; nothing was imported. Look "
                           "at the disk again.");
        }
        StyleSelection selection{{}, confirmation.values()};
        for (std::size_t i = 0; i < bank->styles.size() && i < selection.selected.size(); ++i) {
            selection.selected[i] = bank->styles[i].kind == IdentifiedStyle::Kind::New;
        }
        return selection;
    }

    void showLog(const std::string& log) override {
        if (logWindows_ != nullptr) {
            logWindows_->showLog(log);
        }
    }

private:
    std::vector<const IdentifiedBank*> banks_;
    std::vector<fs::path> files_;
    ImportWindows* logWindows_;
    std::size_t next_ = 0;
};

}  // namespace

std::size_t DiskContents::newStyles() const {
    std::size_t count = 0;
    for (const IdentifiedFile& file : files) {
        for (const IdentifiedBank& bank : file.banks) {
            count += static_cast<std::size_t>(std::count_if(
                bank.styles.begin(), bank.styles.end(),
                [](const auto& style) { return style.kind == IdentifiedStyle::Kind::New; }));
        }
    }
    return count;
}

bool DiskContents::anyBank() const {
    return std::any_of(files.begin(), files.end(),
                       [](const IdentifiedFile& file) { return file.problem.empty(); });
}

DiskContents IdentifyDisk(Database& connection, UserDialogs& dialogs, const fs::path& path) {
    DiskContents contents;
    contents.path = path;
    std::error_code error;
    std::vector<fs::path> files;
    if (fs::is_directory(path, error)) {
        listBankFiles(path, files);
    } else if (fs::is_regular_file(path, error)) {
        files.push_back(path);
    } else {
        throw OrbError("There is no file or folder " + path.string() + ".");
    }
    Identifier identifier(connection);
    for (const fs::path& file : files) {
        IdentifiedFile found;
        found.path = file;
        std::vector<StyleFileBank> banks;
        try {
            StyleFileContents contents = readBankFile(file, eventsThrough(dialogs));
            if (contents.kind != StyleFileKind::PaBank) {
                found.problem = notABankLogLine(shortFileName(file), contents.kind);
            }
            banks = std::move(contents.banks);
        } catch (const OrbError& failure) {
            found.problem = failure.what();
        }
        if (found.problem.empty()) {
            for (const StyleFileBank& bank : banks) {
                found.banks.push_back(identifier.identify(bank));
            }
        }
        contents.files.push_back(std::move(found));
        dialogs.processEvents();
    }
    return contents;
}

std::string storedBankText(const IdentifiedBank& bank) {
    return bank.storedBank == 0
               ? std::string("no stored bank")
               : "stored bank " + std::to_string(bank.storedBank) + " " + bank.storedBankName;
}

std::string styleVerdict(const IdentifiedStyle& style) {
    switch (style.kind) {
        case IdentifiedStyle::Kind::Stored:
            return "style " + std::to_string(style.styleProg);
        case IdentifiedStyle::Kind::New:
            break;
        case IdentifiedStyle::Kind::SameName:
            return std::string(kSameNameStyle) + " (style " + std::to_string(style.styleProg) + ")";
    }
    return kNewStyle;
}

std::vector<std::string> identifyLines(const DiskContents& contents) {
    std::vector<std::string> lines;
    for (const IdentifiedFile& file : contents.files) {
        if (!file.problem.empty()) {
            lines.push_back(file.path.string() + "\t" + file.problem);
            continue;
        }
        for (const IdentifiedBank& bank : file.banks) {
            lines.push_back(file.path.string() + "\t" + std::to_string(bank.bankNumber) + "\t" +
                            storedBankText(bank));
            for (const IdentifiedStyle& style : bank.styles) {
                std::string line = "\t" + std::to_string(style.slot) + "\t" + style.name + "\t";
                switch (style.kind) {
                    case IdentifiedStyle::Kind::Stored:
                        line += std::to_string(style.styleProg);
                        break;
                    case IdentifiedStyle::Kind::New:
                        line += kNewStyle;
                        break;
                    case IdentifiedStyle::Kind::SameName:
                        line +=
                            std::string(kSameNameStyle) + "\t" + std::to_string(style.styleProg);
                        break;
                }
                lines.push_back(std::move(line));
            }
        }
    }
    return lines;
}

std::string noBankFileText(const DiskContents& contents) {
    if (contents.anyBank()) {
        return {};
    }
    return "There is no Pa bank file in " + contents.path.string() + ".";
}

StyleImportResult ImportNewStyles(AppState& state, UserDialogs& dialogs, JobProgress& job,
                                  ImportWindows* logWindows, const DiskContents& contents) {
    ImportRequest request;
    request.source = ImportRequest::Source::Files;
    request.path = contents.path.string();
    request.mode = DuplicateMode::SkipSameContent;
    request.saveBankStructure = false;
    request.confirmEachStyle = true;
    std::vector<const IdentifiedBank*> banks;
    std::vector<fs::path> bankFiles;
    for (const IdentifiedFile& file : contents.files) {
        const bool anyNew =
            std::any_of(file.banks.begin(), file.banks.end(), [](const IdentifiedBank& bank) {
                return std::any_of(bank.styles.begin(), bank.styles.end(), [](const auto& style) {
                    return style.kind == IdentifiedStyle::Kind::New;
                });
            });
        if (!anyNew) {
            continue;
        }
        request.files.push_back(file.path.string());
        for (const IdentifiedBank& bank : file.banks) {
            banks.push_back(&bank);
            bankFiles.push_back(file.path);
        }
    }
    if (request.files.empty()) {
        dialogs.message("There is no new style to import.", UserDialogs::Icon::Information);
        return {};
    }
    NewStylesOnly windows(std::move(banks), std::move(bankFiles), logWindows);
    return ImportStyles(state, dialogs, job, &windows, request);
}

}  // namespace orb
