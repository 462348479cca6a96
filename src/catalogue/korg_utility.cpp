#include "catalogue/korg_utility.h"

#include <QProcess>
#include <QStringList>

#include "core/bank_file_style.h"
#include "core/user_dialogs.h"
#include "db/style_store.h"
#include "stylefiles/bank_file.h"
#include "stylefiles/style_file_error.h"

namespace orb {
namespace {

constexpr int kWorkBankNumber = 17;

// Why the program at `path` cannot be started, or the empty text when it looks startable.
std::string unstartableReason(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return "the file does not exist";
    }
    if (!std::filesystem::is_regular_file(status)) {
        return "it is not a file";
    }
    using std::filesystem::perms;
    if ((status.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) ==
        perms::none) {
        return "the file is not executable";
    }
    return {};
}

}  // namespace

bool QtProgramStarter::startDetached(const std::filesystem::path& program,
                                     const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    return QProcess::startDetached(QString::fromStdString(program.string()), list);
}

std::filesystem::path korgWorkFile(const std::filesystem::path& temporaryFolder) {
    return temporaryFolder / "WRK.STY";
}

bool SendStyleToKorgUtility(Database& database, std::int32_t styleProg,
                            const std::string& utilityPath,
                            const std::filesystem::path& temporaryFolder, ProgramStarter& starter,
                            UserDialogs& dialogs) {
    const std::filesystem::path utility(utilityPath);
    if (const std::string reason = unstartableReason(utility); !reason.empty()) {
        dialogs.message("The Korg utility " + utilityPath + " cannot be started: " + reason + ".",
                        UserDialogs::Icon::Exclamation);
        return false;
    }
    std::optional<StyleRow> style;
    try {
        style = StyleStore(database).find(styleProg);
    } catch (const StoreError& e) {
        dialogs.message(failureMessage(e, "The style could not be read: ", ""),
                        UserDialogs::Icon::Critical);
        return false;
    }
    if (!style) {
        return false;
    }
    const BankFileStyle bank[] = {bankFileStyleOf(*style, 1)};
    const std::filesystem::path workFile = korgWorkFile(temporaryFolder);
    try {
        writeBankFile(workFile, bank, kWorkBankNumber);
    } catch (const StyleFileError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    if (!starter.startDetached(utility, {workFile.string()})) {
        dialogs.message("The Korg utility " + utilityPath + " could not be started.",
                        UserDialogs::Icon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace orb
