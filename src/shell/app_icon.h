#pragma once

#include <QIcon>

namespace qvt {

// The program's icon: a panel meter with red digits (data/icons).
QIcon ApplicationIcon();

}  // namespace qvt
