#include "cli/bank_file_reading.h"

#include <ostream>

#include "cli/cli.h"
#include "stylefiles/bank_file.h"
#include "stylefiles/short_name.h"
#include "stylefiles/style_file_kind.h"

namespace orb {

bool readBanksForCommand(CliContext& context, const std::string& path,
                         std::vector<StyleFileBank>& banks) {
    StyleFileContents contents = readBankFile(path);
    banks = std::move(contents.banks);
    if (contents.kind != StyleFileKind::PaBank) {
        context.out << notABankLogLine(shortFileName(path), contents.kind) << "\n";
        return false;
    }
    return true;
}

}  // namespace orb
