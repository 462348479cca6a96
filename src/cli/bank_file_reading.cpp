#include "cli/bank_file_reading.h"

#include <ostream>

#include "cli/cli.h"
#include "stylefiles/korf_library.h"
#include "stylefiles/short_name.h"
#include "stylefiles/style_file_kind.h"

namespace orb {

bool readBanksForCommand(CliContext& context, const std::string& path,
                         std::vector<StyleFileBank>& banks) {
    KORFLibrary library;
    library.FillBanksFromStyle(path, banks);
    if (library.lastKind != StyleFileKind::PaBank) {
        context.out << notABankLogLine(shortFileName(path),
                                       library.lastKind.value_or(StyleFileKind::Unknown))
                    << "\n";
        return false;
    }
    return true;
}

}  // namespace orb
