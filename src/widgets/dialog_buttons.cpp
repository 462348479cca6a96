#include "widgets/dialog_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orb {

OkExitButtons makeOkExitButtons(QWidget* parent, const QString& okCaption) {
    auto* ok = new QPushButton(okCaption, parent);
    ok->setObjectName("cmdOk");
    ok->setDefault(true);
    auto* exit = new QPushButton("Exit", parent);
    exit->setObjectName("cmdExit");
    exit->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(exit);
    return {ok, exit, row};
}

}  // namespace orb
