#pragma once

#include <QGroupBox>
#include <array>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace orb {

class BankController;
enum class BankCommand;

// The bank pane: the current bank's description, its 16 slots and the two bank buttons,
// rendered from the bank controller. Styles dragged from the grid and dropped here are handed on
// by their grid rows.
class BankPane : public QGroupBox {
    Q_OBJECT
public:
    using CommandHandler = std::function<void(BankCommand command)>;
    using DropHandler = std::function<void(const std::vector<int>& rows)>;

    BankPane(BankController& controller, CommandHandler onCommand, DropHandler onDrop,
             QWidget* parent = nullptr);

    void render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    BankController& controller_;
    DropHandler onDrop_;
    QLabel* lbBankDesc_;
    std::array<QLabel*, 16> lbNewStyle_{};
};

}  // namespace orb
