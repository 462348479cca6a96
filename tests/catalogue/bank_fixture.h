#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "catalogue/bank_controller.h"
#include "catalogue/bank_dialog.h"
#include "catalogue_test_support.h"
#include "support/recording_printer.h"

namespace orb {

inline void PrintTo(const BankTreeNode& node, std::ostream* out) {
    *out << "{" << static_cast<int>(node.kind) << " " << node.key << " <" << node.parentKey
         << "> \"" << node.text << "\" " << static_cast<int>(node.look) << " " << node.bankProg
         << " " << node.styleProg << " " << node.slot << " <" << node.bankName << "> <"
         << node.bankDescription << ">}";
}

}  // namespace orb

namespace orb::test {

class BankTest;

// The bank pane as the styles window drives it: each command's window request is opened at once,
// the bank dialog as its controller driven by the test's script, the other windows as the
// test's scripts, and its result handed back.
class DrivenBank : public BankController {
public:
    DrivenBank(BankTest& test);

    void run(BankCommand command, const std::vector<GridStyle>& selected) {
        open(BankController::run(command, selected));
    }
    void save() { open(BankController::save()); }
    void saveAs() { open(BankController::saveAs()); }
    void load() { open(BankController::load()); }
    void exportToSsf() { open(BankController::exportToSsf()); }
    void makeSty() { open(BankController::makeSty()); }
    void whereIs(const GridStyle& style) { open(BankController::whereIs(style)); }
    // True when the window closes.
    bool mayClose() {
        const CloseAnswer answer = BankController::mayClose();
        if (answer == CloseAnswer::SaveFirst) {
            save();
            return !hasUnsavedChanges();
        }
        return answer == CloseAnswer::Close;
    }

private:
    void open(const std::optional<BankWindowRequest>& request);

    BankTest& test_;
};

// The catalogue fixture with a current bank: the bank dialog runs as its controller, driven by
// `dialogScript` (the default cancels), and every request is recorded.
class BankTest : public CatalogueTest {
public:
    using DialogScript = std::function<bool(BankDialogController&)>;
    // The mode and caption of each bank dialog opened.
    using Requests = std::vector<std::pair<BankState, std::string>>;

    // Two styles that no stored bank holds.
    void SetUp() override {
        CatalogueTest::SetUp();
        addStyle(96, "TANGO", "Latin", "Dance", "Eve");
        addStyle(64, "POLKA", "Folk", "Dance", "Fay");
    }

    DrivenBank& bank() {
        if (!bank_) {
            bank_ = std::make_unique<DrivenBank>(*this);
        }
        return *bank_;
    }

    // The grid rows of these styles, as the grid shows them.
    std::vector<GridStyle> rows(const std::vector<std::int32_t>& styles) {
        std::vector<GridStyle> result;
        for (const std::int32_t style : styles) {
            result.push_back({style, storedStyle(style).StyleName1});
        }
        return result;
    }

    CurrentBank& currentBank() { return bank().currentBank(); }

    // The style numbers of a current bank, this fixture's by default.
    std::vector<std::int32_t> bankStyles(const CurrentBank* of = nullptr) {
        std::vector<std::int32_t> numbers;
        for (const BankSlot& slot : (of != nullptr ? *of : currentBank()).styles()) {
            numbers.push_back(slot.style.value);
        }
        return numbers;
    }

    // The index of the node with `key`, or of stored bank `prog`'s node; none fails the test.
    static int nodeIndex(const std::vector<BankTreeNode>& nodes, const std::string& key) {
        return nodeWhere(nodes, [&](const BankTreeNode& node) { return node.key == key; });
    }
    static int bankNode(const std::vector<BankTreeNode>& nodes, std::int32_t prog) {
        return nodeWhere(nodes, [prog](const BankTreeNode& node) {
            return node.kind == BankTreeNode::Kind::Bank && node.bankProg == prog;
        });
    }

    // Loads stored bank `prog` through the dialog, selecting its node.
    void loadBank(std::int32_t prog) {
        dialogScript = [prog](BankDialogController& dialog) {
            dialog.selectNode(bankNode(dialog.nodes(), prog));
            return dialog.ok();
        };
        bank().load();
        dialogScript = [](BankDialogController&) { return false; };
    }

    RecordingPrinter printer;
    DialogScript dialogScript = [](BankDialogController&) { return false; };
    std::function<bool(std::int32_t)> whereIsScript = [](std::int32_t) { return false; };
    Requests requests;
    std::vector<BankDialogController::Mode> modes;
    std::vector<std::string> whereIsCaptions;
    int makeBankWindows = 0;
    int ssfExportWindows = 0;

private:
    static int nodeWhere(const std::vector<BankTreeNode>& nodes,
                         const std::function<bool(const BankTreeNode&)>& wanted) {
        const auto found = std::find_if(nodes.begin(), nodes.end(), wanted);
        EXPECT_NE(found, nodes.end());
        return found == nodes.end() ? -1 : static_cast<int>(found - nodes.begin());
    }

    std::unique_ptr<DrivenBank> bank_;
};

inline DrivenBank::DrivenBank(BankTest& test)
    : BankController(test.env.state, test.env.dialogs, test.printer), test_(test) {}

inline void DrivenBank::open(const std::optional<BankWindowRequest>& request) {
    if (!request) {
        return;
    }
    if (const auto* dialogRequest = std::get_if<BankDialogRequest>(&*request)) {
        test_.requests.emplace_back(dialogRequest->mode, dialogRequest->caption);
        BankDialogController dialog(test_.env.state, test_.env.dialogs, dialogRequest->bank,
                                    dialogRequest->mode);
        test_.modes.push_back(dialog.mode());
        if (!dialog.treeShown() || dialog.fillTree()) {
            test_.dialogScript(dialog);
        }
        bankDialogClosed(*dialogRequest, dialog.outcome());
    } else if (const auto* whereIs = std::get_if<WhereIsRequest>(&*request)) {
        test_.whereIsCaptions.push_back(whereIs->caption);
        test_.whereIsScript(whereIs->style);
        whereIsClosed();
    } else if (std::holds_alternative<MakeBankRequest>(*request)) {
        ++test_.makeBankWindows;
    } else {
        ++test_.ssfExportWindows;
    }
}

}  // namespace orb::test
