#include "widgets/orb_picture.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

namespace orb {
namespace {

// One octave: which of the 12 semitones are black keys.
constexpr std::array<bool, 12> kBlack = {false, true,  false, true,  false, false,
                                         true,  false, true,  false, true,  false};

void paintBackground(QPainter& painter, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0x10, 0x18, 0x3a));
    sky.setColorAt(1.0, QColor(0x1e, 0x4f, 0x6e));
    painter.fillRect(area, sky);
}

void paintKeyboard(QPainter& painter, const QRectF& keys) {
    const int whiteCount = 21;  // three octaves of white keys
    const qreal whiteWidth = keys.width() / whiteCount;
    painter.setPen(QPen(QColor(0x40, 0x40, 0x48), 1));
    for (int i = 0; i < whiteCount; ++i) {
        const QRectF key(keys.left() + i * whiteWidth, keys.top(), whiteWidth, keys.height());
        QLinearGradient ivory(key.topLeft(), key.bottomLeft());
        ivory.setColorAt(0.0, QColor(0xf4, 0xf1, 0xe8));
        ivory.setColorAt(1.0, QColor(0xd8, 0xd4, 0xc8));
        painter.setBrush(ivory);
        painter.drawRect(key);
    }
    // Black keys sit between white keys; walk the semitones and place each one.
    painter.setBrush(QColor(0x18, 0x18, 0x1c));
    int white = 0;
    for (int semitone = 0; white < whiteCount; ++semitone) {
        if (kBlack[semitone % 12]) {
            const qreal x = keys.left() + white * whiteWidth - whiteWidth * 0.3;
            painter.drawRect(QRectF(x, keys.top(), whiteWidth * 0.6, keys.height() * 0.6));
        } else {
            ++white;
        }
    }
}

void paintOrb(QPainter& painter, const QPointF& centre, qreal radius) {
    QRadialGradient halo(centre, radius * 1.8);
    halo.setColorAt(0.0, QColor(0x7f, 0xd8, 0xff, 110));
    halo.setColorAt(1.0, QColor(0x7f, 0xd8, 0xff, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, radius * 1.8, radius * 1.8);

    QRadialGradient sphere(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    sphere.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    sphere.setColorAt(0.25, QColor(0x8e, 0xe6, 0xff));
    sphere.setColorAt(0.7, QColor(0x1f, 0x7a, 0xc4));
    sphere.setColorAt(1.0, QColor(0x0b, 0x2a, 0x5c));
    painter.setBrush(sphere);
    painter.drawEllipse(centre, radius, radius);
}

void paintTitle(QPainter& painter, const QRectF& area, qreal height) {
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(qMax(8, static_cast<int>(height)));
    font.setLetterSpacing(QFont::PercentageSpacing, 115);
    QPainterPath text;
    text.addText(0, 0, font, "ORB");
    const QRectF bounds = text.boundingRect();
    text.translate(area.center() - bounds.center());
    painter.setPen(QPen(QColor(0x0b, 0x2a, 0x5c, 160), qMax(1.0, height / 24)));
    painter.setBrush(QColor(0xff, 0xff, 0xff, 235));
    painter.drawPath(text);
}

}  // namespace

OrbPicture::OrbPicture(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(240, 120);
}

void OrbPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    paintBackground(painter, area);

    const qreal keyHeight = area.height() * 0.28;
    const QRectF keys(area.left(), area.bottom() - keyHeight, area.width(), keyHeight);
    const QRectF above(area.left(), area.top(), area.width(), area.height() - keyHeight);
    const qreal radius = qMin(above.height() * 0.36, above.width() * 0.2);
    paintOrb(painter, above.center(), radius);
    paintTitle(painter,
               QRectF(above.center().x() - radius * 2, above.center().y() - radius, radius * 4,
                      radius * 2),
               radius * 0.62);
    paintKeyboard(painter, keys);
}

void OrbPicture::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->modifiers());
    event->accept();
}

}  // namespace orb
