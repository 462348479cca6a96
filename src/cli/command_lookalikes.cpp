#include <climits>
#include <cstdint>
#include <optional>
#include <ostream>

#include "catalogue/lookalikes.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/ascii_text.h"
#include "db/style_store.h"
#include "state/app_state.h"

namespace orb {
namespace {

const char* kindText(LookalikeGroup::Kind kind) {
    switch (kind) {
        case LookalikeGroup::Kind::SameNameOtherContent:
            return "same name";
        case LookalikeGroup::Kind::SameContentOtherNames:
            return "same content";
        case LookalikeGroup::Kind::SameNameSameContent:
            break;
    }
    return "same name and content";
}

void printGroups(std::ostream& out, const std::vector<LookalikeGroup>& groups) {
    int number = 0;
    for (const LookalikeGroup& group : groups) {
        out << ++number << '\t' << kindText(group.kind) << '\t' << group.title << '\n';
        for (const LookalikeStyle& style : group.styles) {
            out << '\t' << style.StyleProg << '\t' << style.StyleName1 << '\t' << style.StyleDesc
                << '\t' << style.StyleFamily << '\t' << style.bankSlots << '\t' << style.songLinks
                << '\t' << style.content << '\n';
        }
    }
}

int runLookalikes(CliContext& context, const CommandArguments& args) {
    if (!args.has("keep") && !args.has("delete-others") && !args.has("yes")) {
        printGroups(context.out, findLookalikes(context.state.connection));
        return kExitOk;
    }
    const bool deleteOthers = args.has("delete-others");
    std::vector<std::int32_t> styles;
    bool wrong = !args.has("keep");
    for (const std::string& given : args.values("keep")) {
        const auto number = wholeNumber<std::int32_t>(given);
        wrong = wrong || !number || *number < 1;
        styles.push_back(number.value_or(0));
    }
    if (wrong || styles.size() < 2) {
        return usageError(context);
    }
    const std::int32_t keep = styles.front();
    const std::vector<std::int32_t> others(styles.begin() + 1, styles.end());
    const auto kept = StyleStore(context.state.connection).findWithoutBlocks(keep);
    if (!kept) {
        context.err << "There is no style " << keep << "; nothing was changed.\n";
        return kExitFailure;
    }
    if (args.has("yes")) {
        context.dialogs.setAssumeYes(true);
    } else if (context.terminal != nullptr) {
        context.dialogs.askOn(*context.terminal);
    } else {
        context.err << "There is no terminal to ask on: give --yes. Nothing was changed.\n";
        return kExitFailure;
    }
    if (!context.dialogs.question(keepQuestion(keep, kept->StyleName1, others, deleteOthers))) {
        return kExitFailure;
    }
    context.out << keepLookalike(context.state, keep, others, deleteOthers).summary(keep) << '\n';
    return kExitOk;
}

}  // namespace

CliCommand makeLookalikesCommand() {
    return CliCommand{"lookalikes", "[--keep STYLE OTHER... [--delete-others] [--yes]]",
                      "Lists the styles of one name with different contents, the contents "
                      "stored under different names and the styles stored more than once: a line "
                      "per group (number, kind, title), then "
                      "a line per style (number, name, description, family, bank slots, song "
                      "links, content). --keep STYLE OTHER... moves every bank slot and song link "
                      "of the others onto STYLE after a restore point (--delete-others then "
                      "deletes them), after a question on the terminal unless --yes.",
                      CliCommand::DatabaseUse::OpenExisting, runLookalikes};
}

}  // namespace orb
