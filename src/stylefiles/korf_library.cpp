#include "stylefiles/korf_library.h"

#include <fstream>

#include "core/file_access.h"
#include "core/user_dialogs.h"
#include "stylefiles/sty_writer.h"
#include "stylefiles/style_file_error.h"

namespace orb {

namespace fs = std::filesystem;

void KORFLibrary::letEventsRunThrough(UserDialogs& dialogs) {
    letEventsRun_ = [&dialogs] { dialogs.processEvents(); };
}

StyleFileContents KORFLibrary::read(const fs::path& fileName) {
    RetVal = -1;
    const std::string name = fileName.string();
    std::ifstream in;
    try {
        in = openRegularFile(fileName, "The file");
    } catch (const FileAccessError& error) {
        throw StyleFileError(error.what());
    }
    StyleFileContents contents = readStyleFile(in, name, letEventsRun_);
    RetVal = static_cast<std::int32_t>(contents.kind);
    return contents;
}

void KORFLibrary::FillCollectionFromStyle(const fs::path& sFileName, KORFStyles& objStyles) {
    RetVal = -1;
    objStyles.clear();
    StyleFileContents contents = read(sFileName);
    for (StyleFileBank& bank : contents.banks) {
        for (KORFStyle& style : bank.styles) {
            objStyles.Add(std::move(style));
        }
    }
}

void KORFLibrary::FillBanksFromStyle(const fs::path& sFileName, std::vector<StyleFileBank>& banks) {
    RetVal = -1;
    banks.clear();
    banks = std::move(read(sFileName).banks);
}

void KORFLibrary::WriteStyleFromCollection(const fs::path& sFileName, const KORFStyles& objStyles,
                                           int UserBank) {
    RetVal = -1;
    const std::string name = sFileName.string();
    try {
        replaceFileSafely(sFileName, "The bank file", [&](std::ostream& out) {
            writeStyleFile(out, objStyles, UserBank, name, letEventsRun_);
        });
    } catch (const FileAccessError& error) {
        throw StyleFileError(error.what());
    }
    RetVal = 0;
}

}  // namespace orb
