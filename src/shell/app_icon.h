#pragma once

#include <QIcon>
#include <array>

namespace qvt {

// The sizes the icon is drawn in (data/icons/hicolor).
inline constexpr std::array kApplicationIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The program's icon: a panel meter with red digits (data/icons).
QIcon ApplicationIcon();

}  // namespace qvt
