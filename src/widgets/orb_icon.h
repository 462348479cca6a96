#pragma once

#include <QIcon>

namespace orb {

// The program's icon: the ORB picture drawn square at the usual icon sizes.
QIcon orbIcon();

}  // namespace orb
