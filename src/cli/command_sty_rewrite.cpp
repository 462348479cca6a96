#include <ostream>

#include "cli/bank_file_reading.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "core/ascii_text.h"
#include "stylefiles/korf_library.h"

namespace orb {

CliCommand makeStyRewriteCommand() {
    return CliCommand{
        "sty-rewrite", "IN OUT [--bank-number N]",
        "Reads the bank file IN and writes it as OUT (which may be IN itself), every style in "
        "its slot, with the bank number N (0 to 255) or else the one IN carries.",
        CliCommand::DatabaseUse::None, [](CliContext& context, const CommandArguments& args) {
            const std::vector<std::string>& files = args.positional();
            const auto given = args.value("bank-number");
            const int bankNumber = given ? wholeNumber<int>(*given).value_or(-1) : -1;
            if (given && (bankNumber < 0 || bankNumber > 255)) {
                context.err << "--bank-number needs a number from 0 to 255.\n";
                return kExitUsage;
            }
            std::vector<StyleFileBank> banks;
            if (!readBanksForCommand(context, files[0], banks)) {
                return kExitNotABank;
            }
            if (banks.size() != 1) {
                context.err << "The file " << files[0] << " holds " << banks.size()
                            << " banks; sty-rewrite writes files of one bank.\n";
                return kExitFailure;
            }
            // The writer numbers slots by position: an empty record keeps a free slot free.
            KORFStyles styles;
            for (KORFStyle& style : banks.front().styles) {
                while (styles.Count() + 1 < style.StyleProg) {
                    styles.Add(KORFStyle{});
                }
                styles.Add(std::move(style));
            }
            KORFLibrary library;
            library.WriteStyleFromCollection(
                files[1], styles, bankNumber >= 0 ? bankNumber : banks.front().bankNumber);
            return kExitOk;
        }};
}

}  // namespace orb
