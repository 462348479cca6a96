#pragma once

#include <QWidget>

namespace orb {

// The program's picture (on the main window and in the about box): a glowing orb over a
// keyboard, painted here rather than loaded, so that it scales with the screen.
class OrbPicture : public QWidget {
    Q_OBJECT
public:
    explicit OrbPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {480, 240}; }

signals:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace orb
