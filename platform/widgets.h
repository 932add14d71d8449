// Small window classes the forms are written against, implemented once for
// Win32 and once for the simulated platform. Each owns its OS object (window,
// timer, icon) and releases it in its destructor.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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
    // The shell's "TaskbarCreated" broadcast: its notification area was
    // created anew (Explorer restarted, or the scale of its screen changed),
    // without the icons it had.
    void setOnTaskbarCreated(std::function<void()> handler);
    // The screens' scale, resolution or the system's metrics may have changed
    // (WM_DPICHANGED, WM_DISPLAYCHANGE, WM_SETTINGCHANGE): sizes that follow
    // them may be different now.
    void setOnDisplayChange(std::function<void()> handler);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// What the mouse did over the tray icon, of all it can do there: the two that
// mean something to the program.
enum class TrayMouseEvent {
    LeftDoubleClick,
    RightButtonUp,
};

// A child window of a hidden form that hears the tray icon's mouse events (the
// window the TrayAdd family of calls names); the handler gets each of them.
class PictureBox {
  public:
    explicit PictureBox(HiddenForm& parent);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    Handle handle() const;
    void setOnTrayEvent(std::function<void(TrayMouseEvent)> handler);

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

// An icon from the program's resources at sizePx pixels square (such as
// TrayIconSize), loaded once and destroyed with the object. A resource that
// cannot be loaded leaves the handle 0; users of the image report that.
class IconImage {
  public:
    IconImage(int resourceId, int sizePx);
    ~IconImage();
    IconImage(const IconImage&) = delete;
    IconImage& operator=(const IconImage&) = delete;

    Handle handle() const;

  private:
    Handle handle_ = 0;
};

}  // namespace platform

// ---- The main window ---------------------------------------------------------
//
// A visible form and its controls. Layout is given in twips (1440 to the inch)
// relative to the form's client area; each implementation converts to pixels at
// the DPI of the form's screen, so the window keeps its proportions at any
// scale, and lays it out again when that DPI changes. Controls
// are placed either on the form itself (page -1) or on one page of the form's
// tab control (page 0, 1, ...); a control on a page is visible only while its
// page is selected. Controls take the keyboard focus with Tab in the order they
// are created, the tab control first.
namespace platform {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class WindowState { Normal = 0, Minimized = 1 };
// The form's pointer over its own surface and its labels: the arrow, or the
// program's custom cursor (the pointing hand, active point (13, 5)).
enum class Pointer { Default = 0, Custom = 99 };

constexpr int kOnForm = -1;  // the page of a control that sits on the form itself

class Form {
  public:
    // A hidden top-level window with a fixed single border, a minimise button and
    // a close box, the application icon and the Tahoma 8.25 pt font.
    Form(int clientWidthTwips, int clientHeightTwips);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Handle handle() const;
    void setCaption(const std::string& caption);
    std::string caption() const;
    void centre();  // centres the window on the screen
    // Shows the window in its current state and makes it the active window.
    void show();
    void hide();
    bool visible() const;
    WindowState windowState() const;
    // Minimising runs the resize handler before this returns. Setting Normal on
    // a hidden window does not show it; its next show() brings it back in the
    // normal state.
    void setWindowState(WindowState state);
    void setPointer(Pointer pointer);
    Pointer pointer() const;

    // The close box (or Alt+F4, or the system menu's Close): the handler decides
    // what happens; the window itself stays.
    void setOnClose(std::function<void()> handler);
    // The window's size state changed: shown, minimised or restored.
    void setOnResize(std::function<void()> handler);
    // The mouse moved over the form's own surface.
    void setOnMouseMove(std::function<void()> handler);
    // The form moved to a screen of another scale, or its screen's scale
    // changed: every control stands where its twips say at the new DPI, with
    // its fonts made for it and auto-size labels as wide as their text there.
    // What the program placed after measured widths it places again here.
    void setOnDpiChanged(std::function<void()> handler);

    struct Impl;
    Impl& impl() { return *impl_; }

  private:
    std::unique_ptr<Impl> impl_;
};

// The base of the controls below: a child window of the form, destroyed with
// the object.
class Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    Handle handle() const;
    // Position and width in twips relative to the form's client area.
    int left() const;
    int width() const;
    void setLeft(int twips);
    // A disabled control is greyed and takes no input.
    void setEnabled(bool enabled);
    // Replaces the text shown while the mouse rests on the control; a control
    // made without one gets one.
    void setTooltip(const std::string& text);

    struct Impl;
    Impl& impl() { return *impl_; }

  protected:
    Control();
    std::unique_ptr<Impl> impl_;
};

// The form's tab control: one row of tabs; the first tab is selected when it is
// created. Selecting a tab, by the user or by select(), shows its page's
// controls and hides the others'. A form has at most one; it is created before
// the controls on its pages, comes first in the Tab order and has the focus
// when the form is shown.
class TabStrip : public Control {
  public:
    TabStrip(Form& form, TwipRect rect, const std::vector<std::string>& captions,
             int tabHeightTwips);
    int selected() const;
    void select(int page);
    // The mouse moved over the tab control's own surface (not over a control on it).
    void setOnMouseMove(std::function<void()> handler);
};

// A group box with a caption.
class Frame : public Control {
  public:
    Frame(Form& form, int page, TwipRect rect, const std::string& caption);
};

struct LabelStyle {
    bool bold = false;
    // The label takes the width of its text whenever the text changes.
    bool autoSize = false;
    // Pure blue (0, 0, 255) and underlined; the label takes clicks.
    bool link = false;
    // Wraps over several lines within its width.
    bool wrap = false;
    std::string tooltip;
};

class Label : public Control {
  public:
    Label(Form& form, int page, TwipRect rect, const std::string& caption, LabelStyle style = {});
    std::string text() const;
    void setText(const std::string& text);
    void setOnClick(std::function<void()> handler);
    void setOnMouseMove(std::function<void()> handler);
};

// A single-line display field: read-only but selectable, no tab stop.
class TextField : public Control {
  public:
    TextField(Form& form, int page, TwipRect rect);
    std::string text() const;
    void setText(const std::string& text);
    // The system's button-face colour (COLOR_BTNFACE) as background.
    void setButtonFaceBackground();
    bool hasButtonFaceBackground() const;
};

// 0 unchecked, 1 checked, 2 grayed. A change of state, by the user or by
// setValue, runs the click handler, once per change.
class CheckBox : public Control {
  public:
    CheckBox(Form& form, int page, TwipRect rect, const std::string& caption,
             const std::string& tooltip = {});
    int value() const;
    void setValue(int value);
    void setOnClick(std::function<void()> handler);
};

// Enter clicks the default button, Esc the cancel button.
enum class ButtonRole { Plain, Default, Cancel };

class Button : public Control {
  public:
    Button(Form& form, int page, TwipRect rect, const std::string& caption,
           ButtonRole role = ButtonRole::Plain);
    void setOnClick(std::function<void()> handler);
};

// Mouse buttons and modifier keys as a mouse-down event reports them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

// An icon from the program's resources at 32 x 32 pixels (scaled with the DPI).
class IconPicture : public Control {
  public:
    IconPicture(Form& form, int page, TwipRect rect, int resourceId);
    // button: one of k*Button; shift: the k*Mask bits of the keys held down.
    void setOnMouseDown(std::function<void(int button, int shift)> handler);
};

// A horizontal etched separator line from (x1, y) to (x2, y).
class Line : public Control {
  public:
    Line(Form& form, int page, int x1, int y, int x2);
};

// A popup menu. Item ids are the indices addItem returns.
class PopupMenu {
  public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    int addItem(const std::string& caption, std::function<void()> onClick);
    void addSeparator();
    void setChecked(int item, bool checked);
    bool checked(int item) const;
    void setEnabled(int item, bool enabled);
    bool enabled(int item) const;
    // Opens the menu at the cursor, owned by the window, with the item shown as
    // the default (bold); returns once the user chose an item, after its handler
    // ran, or dismissed the menu.
    void popup(Handle owner, int defaultItem);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
