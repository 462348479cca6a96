#include <ostream>

#include "cli/bank_file_reading.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"

namespace orb {

CliCommand makeStyInfoCommand() {
    return CliCommand{
        "sty-info", "FILE",
        "Lists the styles of a .STY bank file, one tab-separated line per style: slot, first "
        "name, first length, second name, second length. A file of two banks lists each bank "
        "after a line \"bank<TAB>NUMBER\". A file that is no Pa bank gives the import's log "
        "line and exit status 2.",
        CliCommand::DatabaseUse::None, [](CliContext& context, const CommandArguments& args) {
            std::vector<StyleFileBank> banks;
            if (!readBanksForCommand(context, args.positional()[0], banks)) {
                return kExitNotABank;
            }
            for (const StyleFileBank& bank : banks) {
                if (banks.size() > 1) {
                    context.out << "bank\t" << bank.bankNumber << "\n";
                }
                for (const KORFStyle& style : bank.styles) {
                    context.out << style.StyleProg << "\t" << style.StyleName1 << "\t"
                                << style.StyleLength1 << "\t" << style.StyleName2 << "\t"
                                << style.StyleLength2 << "\n";
                }
            }
            return kExitOk;
        }};
}

}  // namespace orb
