#include <optional>
#include <ostream>

#include "catalogue/bank_operations.h"
#include "catalogue/current_bank.h"
#include "catalogue/setups.h"
#include "catalogue/where_is.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/ascii_text.h"
#include "core/text.h"
#include "db/bank_store.h"
#include "db/style_store.h"
#include "state/app_state.h"

namespace orb {
namespace {

int runBanks(CliContext& context, const CommandArguments&) {
    for (const BankRow& bank : BankStore(context.state.connection).all()) {
        context.out << bank.BankProg << '\t' << bank.BankName << '\t' << bank.BankDesc;
        for (const std::int32_t style : bank.BankStyle) {
            context.out << '\t' << style;
        }
        context.out << '\n';
    }
    return kExitOk;
}

int runBankSave(CliContext& context, const CommandArguments& args) {
    const std::string& name = args.positional()[0];
    const auto styles = args.numbers(1);
    if (!styles || styles->size() > static_cast<std::size_t>(kBankSlotCount)) {
        return usageError(context, "(1 to 16 styles)");
    }
    const bool overwrite = args.has("overwrite");
    BankToSave bank{0, name, args.value("description").value_or(""), {}};
    StyleStore store(context.state.connection);
    for (std::size_t slot = 0; slot < styles->size(); ++slot) {
        if (!store.findWithoutBlocks((*styles)[slot])) {
            context.err << "There is no style " << (*styles)[slot] << ".\n";
            return kExitFailure;
        }
        bank.styles[slot] = (*styles)[slot];
    }
    const BankSaving saving =
        SaveBank(context.state, bank, overwrite ? SameNamedBank::Overwrite : SameNamedBank::Keep);
    switch (saving.result) {
        case BankSaving::Result::Stored:
            context.out << "Bank " << saving.bank.BankProg << " " << saving.bank.BankName
                        << " stored.\n";
            return kExitOk;
        case BankSaving::Result::NameTaken:
            context.err << "A bank named " << name
                        << " is already stored; give --overwrite to replace it.\n";
            return kExitFailure;
        default:
            context.err << saving.message << "\n";
            return kExitFailure;
    }
}

int runBankDelete(CliContext& context, const CommandArguments& args) {
    const std::string& given = args.positional()[0];
    const std::optional<BankRow> bank = StoredBankGiven(context.state.connection, given);
    if (!bank) {
        context.err << "There is no bank " << given << ".\n";
        return kExitFailure;
    }
    const BankDeletion deletion = DeleteBank(context.state, bank->BankProg);
    if (!deletion.deleted) {
        context.err << deletion.refusal << "\n";
        return kExitFailure;
    }
    context.out << "Bank " << deletion.bank.BankProg << " " << deletion.bank.BankName
                << " deleted.\n";
    if (!deletion.setups.empty()) {
        context.out << setupsUsingBankText(deletion.setups, true) << "\n";
    }
    return kExitOk;
}

int runWhereIs(CliContext& context, const CommandArguments& args) {
    const auto style = wholeNumber<std::int32_t>(args.positional()[0]);
    if (!style) {
        return usageError(context);
    }
    const std::vector<BankHolding> holdings = WhereIs(context.state.connection, *style);
    if (holdings.empty()) {
        context.err << WhereIsController::kNotFound << "\n";
        return kExitFailure;
    }
    for (const BankHolding& holding : holdings) {
        context.out << holding.bankProg << '\t' << holding.name << '\t';
        for (std::size_t i = 0; i < holding.slotsHolding.size(); ++i) {
            context.out << (i == 0 ? "" : " ") << holding.slotsHolding[i];
        }
        context.out << '\n';
    }
    return kExitOk;
}

}  // namespace

CliCommand makeBanksCommand() {
    return CliCommand{"banks", "",
                      "Lists the stored banks in name order, one tab-separated line each: "
                      "number, name, description, then the 16 slot style numbers (0 for an "
                      "empty slot).",
                      CliCommand::DatabaseUse::OpenExisting, runBanks};
}

CliCommand makeBankSaveCommand() {
    return CliCommand{"bank-save", "NAME [--description D] [--overwrite] STYLE...",
                      "Stores a new bank NAME of the styles numbered STYLE... in slot order (at "
                      "most 16); a name already stored is refused unless --overwrite, which "
                      "updates that bank and keeps its number.",
                      CliCommand::DatabaseUse::OpenExisting, runBankSave};
}

CliCommand makeBankDeleteCommand() {
    return CliCommand{"bank-delete", "BANK", "Deletes the bank given by its number or its name.",
                      CliCommand::DatabaseUse::OpenExisting, runBankDelete};
}

CliCommand makeWhereIsCommand() {
    return CliCommand{"where-is", "STYLE",
                      "Lists the banks holding the style numbered STYLE in bank-name order: "
                      "number, name and the slots (1 to 16) where it stands; exits with 1 when "
                      "no bank holds it.",
                      CliCommand::DatabaseUse::OpenExisting, runWhereIs};
}

}  // namespace orb
