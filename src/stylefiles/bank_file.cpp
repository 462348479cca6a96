#include "stylefiles/bank_file.h"

#include <fstream>

#include "core/file_access.h"
#include "core/file_replacement.h"
#include "core/user_dialogs.h"
#include "stylefiles/sty_writer.h"
#include "stylefiles/style_file_error.h"

namespace orb {

namespace fs = std::filesystem;

sty::EventPump eventsThrough(UserDialogs& dialogs) {
    return [&dialogs] { dialogs.processEvents(); };
}

StyleFileContents readBankFile(const fs::path& path, const sty::EventPump& letEventsRun) {
    std::ifstream in;
    try {
        in = openRegularFile(path, "The file");
    } catch (const FileAccessError& error) {
        throw StyleFileError(error.what());
    }
    return readStyleFile(in, path.string(), letEventsRun);
}

void writeBankFile(const fs::path& path, std::span<const BankFileStyle> styles, int bankNumber,
                   const sty::EventPump& letEventsRun) {
    const std::string name = path.string();
    try {
        replaceFileSafely(path, "The bank file", [&](std::ostream& out) {
            writeStyleFile(out, styles, bankNumber, name, letEventsRun);
        });
    } catch (const FileAccessError& error) {
        throw StyleFileError(error.what());
    }
}

}  // namespace orb
