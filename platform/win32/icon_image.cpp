// Icons from the program's resources.
#include "platform/widgets.h"
#include "platform/win32/native.h"

namespace platform {

// Loaded at the small-icon size, the one the notification area shows, so
// Windows picks the nearest image of the icon instead of scaling later. Not
// shared (no LR_SHARED): the icon is this object's to destroy. A resource that
// cannot be loaded leaves the handle 0, for the image's user to report.
IconImage::IconImage(int resourceId)
    : handle_(win32::ToHandle(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                         IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), 0))) {}

IconImage::~IconImage() {
    if (handle_ != 0) DestroyIcon(win32::ToNative<HICON>(handle_));
}

Handle IconImage::handle() const {
    return handle_;
}

}  // namespace platform
