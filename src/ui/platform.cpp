#include "ui/platform.h"

#include <cmath>

namespace ui {

int draw(Platform& platform, double n) {
    return static_cast<int>(std::floor(platform.random() * n)) + 1;
}

} // namespace ui
