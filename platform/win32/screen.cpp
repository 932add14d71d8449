// The primary screen's size and the mouse cursor.
#include "platform/win32/native.h"

namespace platform {

int SystemMetric(int index) {
    return GetSystemMetrics(index);
}

int CursorPosition(std::int32_t* x, std::int32_t* y) {
    POINT point{};
    if (!GetCursorPos(&point)) return 0;
    *x = point.x;
    *y = point.y;
    return 1;
}

}  // namespace platform
