#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
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

// The windows the bank pane asks for. A command that needs one returns its request; the styles
// window opens it and hands its result back (bankDialogClosed, whereIsClosed).
// The bank dialog: what it is opened for, under which caption, and what it did.
struct BankDialogRequest {
    BankState mode;
    std::string caption;
    CurrentBank& bank;
    bool loading = false;  // "Load" rather than a save
};
struct BankDialogOutcome {
    bool stored = false;              // a bank was stored or loaded as the current bank
    bool currentBankDeleted = false;  // the stored row of the current bank was deleted
};
// "Where is?": the banks holding a style, under the caption; one of them may be loaded.
struct WhereIsRequest {
    CurrentBank& bank;
    std::int32_t style = 0;
    std::string caption;
};
// The make-bank window, or the single style file export, for the current bank.
struct MakeBankRequest {
    const CurrentBank& bank;
};
struct BankSsfExportRequest {
    const CurrentBank& bank;
};
using BankWindowRequest =
    std::variant<BankDialogRequest, WhereIsRequest, MakeBankRequest, BankSsfExportRequest>;

// What closing the styles window comes to while the bank holds unsaved changes.
enum class CloseAnswer { Close, Stay, SaveFirst };

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

    BankController(AppState& state, UserDialogs& dialogs, PrintService& printer);

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

    // The bank menu's commands; `selected` are the grid rows the command works on, upper first.
    // A command that opens a window returns its request.
    std::optional<BankWindowRequest> run(BankCommand command,
                                         const std::vector<GridStyle>& selected);
    void insertSelected(const std::vector<GridStyle>& selected);
    void remove();
    void moveUp();
    void moveDown();
    void erase();
    std::optional<BankWindowRequest> save();
    std::optional<BankWindowRequest> saveAs();
    std::optional<BankWindowRequest> load();
    std::optional<BankWindowRequest> exportToSsf();
    std::optional<BankWindowRequest> makeSty();
    void print();
    // "Where is?" on the grid's current row.
    WhereIsRequest whereIs(const GridStyle& style);

    // The windows of the requests closed. After a load or "Where is?" slot 0 is selected.
    void bankDialogClosed(const BankDialogRequest& request, const BankDialogOutcome& outcome);
    void whereIsClosed();

    // Closing the window: when the bank holds unsaved changes, asks whether to save them
    // (SaveFirst: the window runs save() and closes when hasUnsavedChanges() is false after it),
    // discard them, or stay.
    CloseAnswer mayClose();
    bool hasUnsavedChanges() const { return bank_.hasChanges(); }

private:
    std::optional<BankWindowRequest> saveRequest(bool saveAs);
    void selectFirstSlot();

    AppState& app_;
    UserDialogs& dialogs_;
    PrintService& printer_;
    CurrentBank bank_;
    int selectedSlot_ = -1;
};

// The printed bank: an empty line, the name large, the description, an empty line, then one
// line per style still in the catalogue: name, 20 blanks, description.
std::vector<PrintLine> BankPrintLines(Database& connection, const CurrentBank& bank);

}  // namespace orb
