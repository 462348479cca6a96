#pragma once

#include <QObject>
#include <utility>
#include <vector>

class QWidget;

namespace orb {

// Gives a window back the height it grew by to show parts that come and go with a long job
// (its bar, its lines): when fewer of them show, the window returns to the height it had while
// none showed, or to what the parts still shown need.
class HeightBack : public QObject {
public:
    explicit HeightBack(QWidget& window);

    void watch(std::vector<QWidget*> parts) { parts_ = std::move(parts); }
    // After the parts were shown or hidden.
    void update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int shownParts() const;

    QWidget& window_;
    std::vector<QWidget*> parts_;
    int shown_ = 0;
    int restingHeight_ = -1;
};

}  // namespace orb
