#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/current_bank.h"
#include "core/observable.h"
#include "core/print_service.h"

namespace orb {

class AppState;
class Database;
class UserDialogs;

// A grid row handed to the bank: the style number (column 0) and the name (column 1).
struct GridStyle {
    std::int32_t number = 0;
    std::string name;
};

enum class SlotColour { Empty, Occupied, Selected };

// The commands of the bank menu and the bank pane's buttons.
enum class BankCommand {
    Insert,
    Remove,
    MoveUp,
    MoveDown,
    Erase,
    Save,
    SaveAs,
    Load,
    ExportToSsf,
    MakeSty,
    Print,
};
inline constexpr std::array<BankCommand, 11> kBankCommands = {
    BankCommand::Insert,      BankCommand::Remove,  BankCommand::MoveUp, BankCommand::MoveDown,
    BankCommand::Erase,       BankCommand::Save,    BankCommand::SaveAs, BankCommand::Load,
    BankCommand::ExportToSsf, BankCommand::MakeSty, BankCommand::Print,
};

// What the bank dialog is opened for, and what it did.
struct BankDialogRequest {
    BankState mode;
    std::string caption;
    CurrentBank& bank;
};
struct BankDialogOutcome {
    bool stored = false;              // a bank was stored or loaded as the current bank
    bool currentBankDeleted = false;  // the stored row of the current bank was deleted
};
using BankDialogRunner = std::function<BankDialogOutcome(const BankDialogRequest&)>;
// Shows the banks holding a style under the caption; true when it loaded one of them.
using WhereIsRunner =
    std::function<bool(CurrentBank& bank, std::int32_t styleProg, const std::string& caption)>;
// Shows the make-bank window, or the single style file export, for the current bank.
using MakeBankRunner = std::function<void(const CurrentBank&)>;
using BankSsfExportRunner = std::function<void(const CurrentBank&)>;

// The styles window's bank pane: it owns the current bank, the selected slot, the bank menu's
// commands and their enabled states. The windows it opens get the current bank by reference.
class BankController : public Observable {
public:
    static constexpr int kSlotCount = CurrentBank::kSlotCount;
    static constexpr const char* kEmptyCaption = "<empty bank>";
    // A bank of styles never stored yet.
    static constexpr const char* kUnsavedCaption = "<new bank, not saved>";
    static constexpr const char* kCloseQuestion =
        "Current bank has been modified. Save it before the styles window closes?\n"
        "Yes saves it, No discards all changes, Cancel keeps the window open.";

    BankController(AppState& state, UserDialogs& dialogs, PrintService& printer,
                   BankDialogRunner bankDialog, WhereIsRunner whereIs, MakeBankRunner makeBank = {},
                   BankSsfExportRunner exportToSsf = {});

    // The pane: the stored bank's name after a blank, the unsaved caption over a new bank with
    // styles, or the empty caption, and its description, all read from the one current bank.
    std::string frameCaption() const;
    const std::string& description() const;
    std::string slotCaption(int slot) const;
    SlotColour slotColour(int slot) const;
    int selectedSlot() const { return selectedSlot_; }
    BankState bankState() const { return bank_.state(); }
    CurrentBank& currentBank() { return bank_; }
    const CurrentBank& currentBank() const { return bank_; }
    int styleCount() const;
    // The command's rule on the bank and on the number of grid rows.
    bool menuEnabled(BankCommand command, int gridRows) const;

    // Empties the bank, which then stands for no stored bank: no slot selected, state 0.
    void clearBank();
    // A click on an occupied slot selects it; an empty slot changes nothing.
    void clickSlot(int slot);

    // The mbank commands; `selected` are the grid rows the command works on, upper first.
    void run(BankCommand command, const std::vector<GridStyle>& selected);
    void insertSelected(const std::vector<GridStyle>& selected);
    void remove();
    void moveUp();
    void moveDown();
    void erase();
    void save();
    void saveAs();
    void load();
    void exportToSsf();
    void makeSty();
    void print();
    // "Where is?" on the grid's current row; slot 0 is selected afterwards.
    void whereIs(const GridStyle& style);

    // Closing the window: when the bank holds unsaved changes, asks whether to save them (and
    // saves), discard them, or stay; false keeps the window open.
    bool mayClose();

private:
    void openDialog(bool saveAs);
    void selectFirstSlot();

    AppState& app_;
    UserDialogs& dialogs_;
    PrintService& printer_;
    BankDialogRunner bankDialog_;
    WhereIsRunner whereIs_;
    MakeBankRunner makeBank_;
    BankSsfExportRunner exportToSsf_;
    CurrentBank bank_;
    int selectedSlot_ = -1;
};

// The printed bank: an empty line, the name large, the description, an empty line, then one
// line per style still in the catalogue: name, 20 blanks, description.
std::vector<PrintLine> BankPrintLines(Database& connection, const CurrentBank& bank);

}  // namespace orb
