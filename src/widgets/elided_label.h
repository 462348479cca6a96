#pragma once

#include <QLabel>

namespace orb {

// A one-line label that never asks its window for the width of its text: a text longer than
// the room it is given ends in "…", and the whole text stays in text() and the tool tip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orb
