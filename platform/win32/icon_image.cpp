// Icons from the program's resources.
#include "platform/widgets.h"
#include "platform/win32/native.h"

namespace platform {

// Loaded at the size it is shown, so Windows picks the nearest image of the
// icon instead of scaling later. Not shared (no LR_SHARED): the icon is this
// object's to destroy. A resource that cannot be loaded leaves the handle 0,
// for the image's user to report.
IconImage::IconImage(int resourceId, int sizePx)
    : handle_(win32::ToHandle(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                         IMAGE_ICON, sizePx, sizePx, 0))) {}

IconImage::~IconImage() {
    if (handle_ != 0) DestroyIcon(win32::ToNative<HICON>(handle_));
}

Handle IconImage::handle() const {
    return handle_;
}

}  // namespace platform
