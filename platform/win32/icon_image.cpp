// Icons from the program's resources.
#include <system_error>

#include "platform/widgets.h"
#include "platform/win32/native.h"

namespace platform {

IconImage::IconImage(int resourceId) {
    // Loaded at the small-icon size, the one the notification area shows, so
    // Windows picks the nearest image of the icon instead of scaling later.
    // Not shared (no LR_SHARED): the icon is this object's to destroy.
    const HANDLE icon =
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
    if (icon == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "LoadImageA");
    }
    handle_ = win32::ToHandle(icon);
}

IconImage::~IconImage() {
    DestroyIcon(win32::ToNative<HICON>(handle_));
}

Handle IconImage::handle() const {
    return handle_;
}

}  // namespace platform
