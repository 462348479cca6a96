#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orb {

class Database;
class UserDialogs;

// Starts another program without waiting for it; the seam keeps tests from starting programs.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // False when the program could not be started.
    virtual bool startDetached(const std::filesystem::path& program,
                               const std::vector<std::string>& arguments) = 0;
};

// The QtCore implementation (QProcess::startDetached).
class QtProgramStarter : public ProgramStarter {
public:
    bool startDetached(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments) override;
};

// The file in which a style is handed to the Korg utility.
std::filesystem::path korgWorkFile(const std::filesystem::path& temporaryFolder);

// "Send to Korg utility": writes style `styleProg` as a bank of one style with bank number 17 to
// WRK.STY in `temporaryFolder` and starts the utility at `utilityPath` with that file's path as
// its argument. A utility that is missing or not executable, a work file that cannot be written
// or a failed start gives a message naming the path, and false. A style that is gone: false.
bool SendStyleToKorgUtility(Database& database, std::int32_t styleProg,
                            const std::string& utilityPath,
                            const std::filesystem::path& temporaryFolder, ProgramStarter& starter,
                            UserDialogs& dialogs);

}  // namespace orb
