#include "stylefiles/korf_library.h"

#include <fstream>

#include "core/file_access.h"
#include "core/file_replacement.h"
#include "core/user_dialogs.h"
#include "stylefiles/sty_writer.h"
#include "stylefiles/style_file_error.h"

namespace orb {

namespace fs = std::filesystem;

void KORFLibrary::letEventsRunThrough(UserDialogs& dialogs) {
    letEventsRun_ = [&dialogs] { dialogs.processEvents(); };
}

StyleFileContents KORFLibrary::read(const fs::path& fileName) {
    lastKind.reset();
    const std::string name = fileName.string();
    std::ifstream in;
    try {
        in = openRegularFile(fileName, "The file");
    } catch (const FileAccessError& error) {
        throw StyleFileError(error.what());
    }
    StyleFileContents contents = readStyleFile(in, name, letEventsRun_);
    lastKind = contents.kind;
    return contents;
}

void KORFLibrary::FillCollectionFromStyle(const fs::path& sFileName, KORFStyles& objStyles) {
    lastKind.reset();
    objStyles.clear();
    StyleFileContents contents = read(sFileName);
    for (StyleFileBank& bank : contents.banks) {
        for (KORFStyle& style : bank.styles) {
            objStyles.Add(std::move(style));
        }
    }
}

void KORFLibrary::FillBanksFromStyle(const fs::path& sFileName, std::vector<StyleFileBank>& banks) {
    lastKind.reset();
    banks.clear();
    banks = std::move(read(sFileName).banks);
}

void KORFLibrary::WriteStyleFromCollection(const fs::path& sFileName, const KORFStyles& objStyles,
                                           int UserBank) {
    lastKind.reset();
    const std::string name = sFileName.string();
    try {
        replaceFileSafely(sFileName, "The bank file", [&](std::ostream& out) {
            writeStyleFile(out, objStyles, UserBank, name, letEventsRun_);
        });
    } catch (const FileAccessError& error) {
        throw StyleFileError(error.what());
    }
    lastKind = StyleFileKind::PaBank;
}

}  // namespace orb
