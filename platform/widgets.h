// Small window classes the forms are written against, implemented once for
// Win32 and once for the simulated platform. Each owns its OS object (window,
// timer, icon) and releases it in its destructor.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

// A top-level window that is never shown. It unloads on WM_CLOSE and at the end
// of the Windows session (WM_ENDSESSION with a true wParam).
class HiddenForm {
  public:
    explicit HiddenForm(const std::string& caption);
    ~HiddenForm();
    HiddenForm(const HiddenForm&) = delete;
    HiddenForm& operator=(const HiddenForm&) = delete;

    Handle handle() const;
    void setOnUnload(std::function<void()> handler);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// A child window of a hidden form that receives the tray icon's callback. The
// shell posts the callback message with the mouse message that happened over the
// icon (WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...) in lParam; the handler gets it.
class PictureBox {
  public:
    PictureBox(HiddenForm& parent, std::uint32_t callbackMessage);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    Handle handle() const;
    void setOnTrayEvent(std::function<void(std::uint32_t mouseMessage)> handler);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// A periodic timer delivered through the message loop; enabled when created.
class Timer {
  public:
    Timer(std::uint32_t intervalMs, std::function<void()> onTimer);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void setEnabled(bool enabled);
    bool enabled() const;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// An icon from the program's resources at the size the system uses for small
// icons (SM_CXSMICON), loaded once and destroyed with the object. A resource
// that cannot be loaded leaves the handle 0; users of the image report that.
class IconImage {
  public:
    explicit IconImage(int resourceId);
    ~IconImage();
    IconImage(const IconImage&) = delete;
    IconImage& operator=(const IconImage&) = delete;

    Handle handle() const;

  private:
    Handle handle_ = 0;
};

}  // namespace platform
