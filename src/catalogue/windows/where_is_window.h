#pragma once

#include <QDialog>

#include "catalogue/where_is.h"

class QTreeWidget;

namespace orb {

// The "Where is?" window: the view over WhereIsController.
class WhereIsWindow : public QDialog {
    Q_OBJECT
public:
    WhereIsWindow(AppState& state, UserDialogs& dialogs, CurrentBank& bank, std::int32_t styleProg,
                  const QString& caption, QWidget* parent = nullptr);

    // Builds the tree and shows the window modally; without a bank holding the style only the
    // message comes. True when a bank was loaded.
    bool run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();

    WhereIsController controller_;
    QTreeWidget* tree_;
};

}  // namespace orb
