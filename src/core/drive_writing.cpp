#include "core/drive_writing.h"

#include <optional>
#include <set>

namespace orb {
namespace {

namespace fs = std::filesystem;

std::uintmax_t rounded(std::uintmax_t size, std::uintmax_t block) {
    return block == 0 ? size : (size + block - 1) / block * block;
}

std::string joined(const std::vector<fs::path>& paths) {
    std::string text;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == paths.size() ? " and " : ", ") + paths[i].string();
    }
    return text;
}

std::string countText(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Goes through the room the files need, in the order they are written, as if writing them:
// each new file is made whole before the old one of its name goes, and each folder still
// missing takes a block. Refusals that the writing would meet half-way are met here instead.
void checkBeforeWriting(const DriveFolder& drive, const std::vector<DriveFile>& files,
                        const DriveWriting& how, const std::optional<WipePlan>& wipe) {
    const DriveRoom room = how.room ? how.room(drive) : roomOf(drive);
    std::uintmax_t available = room.freeBytes + (wipe ? wipe->freedBytes(room.blockSize) : 0);
    std::set<std::vector<std::string>> madeFolders;
    for (const DriveFile& file : files) {
        std::uintmax_t need = rounded(file.bytes.size(), room.blockSize);
        std::uintmax_t freed = 0;
        bool chainExists = !wipe;
        std::vector<std::string> prefix;
        std::optional<DriveFolder> current;
        for (const std::string& name : file.folders) {
            prefix.push_back(name);
            if (chainExists) {
                const DriveFolder& parent = current ? *current : drive;
                const DriveEntry entry = parent.entry(name);
                if (entry.kind == DriveEntry::Kind::Missing) {
                    chainExists = false;
                } else {
                    current = parent.subFolder(name, false);  // throws for a link or a file
                    continue;
                }
            }
            if (madeFolders.insert(prefix).second) {
                need += room.blockSize;
            }
        }
        if (chainExists) {
            const DriveFolder& parent = current ? *current : drive;
            parent.checkReplaceable(file.name, how.label);
            const DriveEntry old = parent.entry(file.name);
            if (old.kind == DriveEntry::Kind::File) {
                freed = rounded(old.size, room.blockSize);
            }
        }
        if (need >= available) {
            const fs::path path = file.pathOn(drive.path());
            throw NotEnoughRoomError(
                "There is not enough room in " + drive.path().string() + " for " + path.string() +
                    ": it needs " + std::to_string(need) + " bytes, and only " +
                    std::to_string(available) + " are left for it. Nothing was deleted or written.",
                path);
        }
        available = available - need + freed;
    }
}

}  // namespace

fs::path DriveFile::pathOn(const fs::path& drive) const {
    fs::path path = drive;
    for (const std::string& folder : folders) {
        path /= folder;
    }
    return path / name;
}

DriveRoom roomOf(const DriveFolder& drive) {
    return {drive.freeBytes(), drive.blockSize()};
}

void writeToDrive(const DriveFolder& drive, const std::vector<DriveFile>& files,
                  const DriveWriting& how) {
    std::optional<WipePlan> wipe;
    if (how.wipe) {
        wipe = planWipe(drive, how.keep);
    }
    checkBeforeWriting(drive, files, how, wipe);
    if (wipe) {
        try {
            wipeOpenedFolder(drive, how.remove);
        } catch (const FileAccessError& failure) {
            throw FileAccessError(std::string(failure.what()) + " Nothing was written.");
        }
    }
    std::vector<fs::path> written;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const DriveFile& file = files[i];
        try {
            std::optional<DriveFolder> folder;
            for (const std::string& name : file.folders) {
                folder = (folder ? *folder : drive).subFolder(name, true);
            }
            (folder ? *folder : drive).replaceFile(file.name, file.bytes, how.label);
        } catch (const FileAccessError& failure) {
            std::string text = failure.what();
            if (wipe || !written.empty()) {
                text += " Before this, ";
                if (wipe) {
                    text += drive.path().string() + " was emptied (" +
                            countText(wipe->files(), "file", "files") + " and " +
                            countText(wipe->folders, "folder", "folders") + " deleted)";
                    text += written.empty() ? " and nothing was written." : " and ";
                }
                if (!written.empty()) {
                    text +=
                        joined(written) + (written.size() == 1 ? " was" : " were") + " written.";
                }
            }
            throw FileAccessError(text);
        }
        written.push_back(file.pathOn(drive.path()));
        if (how.afterEach) {
            how.afterEach(i);
        }
    }
}

}  // namespace orb
