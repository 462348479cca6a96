#include "stylefiles/korf_library.h"

#include <fstream>
#include <random>

#include "core/user_dialogs.h"
#include "stylefiles/sty_writer.h"
#include "stylefiles/style_file_error.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

std::string describe(const std::error_code& error) {
    return error.message();
}

// A name of its own next to the target, so that the rename stays inside one file system.
fs::path temporaryPathFor(const fs::path& target) {
    static std::mt19937_64 random{std::random_device{}()};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = folder / ("." + target.filename().string() + ".orb-" +
                                             std::to_string(random() % 1000000000) + ".tmp");
        std::error_code error;
        if (!fs::exists(candidate, error) && !error) {
            return candidate;
        }
    }
    throw StyleFileError("No temporary file can be made in the folder " + folder.string() + ".");
}

}  // namespace

void KORFLibrary::letEventsRunThrough(UserDialogs& dialogs) {
    letEventsRun_ = [&dialogs] { dialogs.processEvents(); };
}

StyleFileContents KORFLibrary::read(const fs::path& fileName) {
    RetVal = -1;
    const std::string name = fileName.string();
    std::error_code error;
    const fs::file_status status = fs::status(fileName, error);
    if (error && status.type() != fs::file_type::not_found) {
        throw StyleFileError("The file " + name + " cannot be read: " + describe(error) + ".");
    }
    if (!fs::exists(status)) {
        throw StyleFileError("The file " + name + " does not exist.");
    }
    if (fs::is_directory(status)) {
        throw StyleFileError("The file " + name + " cannot be read: it is a folder.");
    }
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        throw StyleFileError("The file " + name + " cannot be opened (no permission?).");
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
    std::error_code error;
    const fs::file_status status = fs::status(sFileName, error);
    if (fs::is_directory(status)) {
        throw StyleFileError("The bank file " + name + " cannot be written: it is a folder.");
    }
    if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        throw StyleFileError("The bank file " + name + " cannot be written: it is read-only.");
    }
    const fs::path folder = sFileName.has_parent_path() ? sFileName.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error)) {
        throw StyleFileError("The bank file " + name + " cannot be written: the folder " +
                             folder.string() + " does not exist.");
    }

    const fs::path temporary = temporaryPathFor(sFileName);
    try {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw StyleFileError("The bank file " + name +
                                 " cannot be created (no permission, or the drive is not ready).");
        }
        writeStyleFile(out, objStyles, UserBank, name, letEventsRun_);
        out.close();
        if (!out) {
            throw StyleFileError("The bank file " + name +
                                 " could not be written completely (is the disk full or gone?).");
        }
        fs::rename(temporary, sFileName, error);
        if (error) {
            throw StyleFileError("The bank file " + name +
                                 " cannot be replaced: " + describe(error) + ".");
        }
    } catch (...) {
        fs::remove(temporary, error);
        throw;
    }
    RetVal = 0;
}

}  // namespace orb
