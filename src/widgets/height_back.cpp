#include "widgets/height_back.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>
#include <algorithm>

namespace orb {

HeightBack::HeightBack(QWidget& window) : window_(window) {
    window_.installEventFilter(this);
}

int HeightBack::shownParts() const {
    return static_cast<int>(std::count_if(parts_.begin(), parts_.end(),
                                          [](QWidget* part) { return !part->isHidden(); }));
}

bool HeightBack::eventFilter(QObject* watched, QEvent* event) {
    // A part that shows makes the layout grow the window at once, before update() hears of it;
    // so the height to come back to is the one the window had while no part was shown.
    if (watched == &window_ && event->type() == QEvent::Resize && shownParts() == 0) {
        restingHeight_ = window_.height();
    }
    return false;
}

void HeightBack::update() {
    const int shown = shownParts();
    if (shown < shown_ && restingHeight_ >= 0) {
        // Parts inside a panel: the panel's size is known again only once its own layout and
        // the window's are redone.
        for (QWidget* part : parts_) {
            QWidget* holder = part->parentWidget();
            if (holder != &window_ && holder != nullptr && holder->layout() != nullptr) {
                holder->layout()->invalidate();
                holder->updateGeometry();
            }
        }
        if (QLayout* layout = window_.layout()) {
            layout->activate();
        }
        window_.resize(window_.width(),
                       std::max(restingHeight_, window_.minimumSizeHint().height()));
    }
    shown_ = shown;
}

}  // namespace orb
