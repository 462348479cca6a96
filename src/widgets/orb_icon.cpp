#include "widgets/orb_icon.h"

#include <QPixmap>

#include "widgets/orb_picture.h"

namespace orb {

QIcon orbIcon() {
    QIcon icon;
    OrbPicture picture;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        picture.resize(size, size);
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        picture.render(&pixmap);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace orb
