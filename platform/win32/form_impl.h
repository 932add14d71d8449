// What a form and its controls keep on the Win32 side. The form's window
// procedure routes the controls' notifications through these records; the
// files that make each kind of control fill them in.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/widgets.h"
#include "platform/win32/form_fonts.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/program_window.h"
#include "platform/win32/twips.h"

namespace platform {

enum class ControlKind { TabStrip, Frame, Label, TextField, CheckBox, Button, IconPicture, Line };

struct Control::Impl {
    ControlKind kind = ControlKind::Label;
    // Null once the form has gone first; the window went with it then.
    Form::Impl* form = nullptr;
    int page = kOnForm;
    win32::UniqueWindow window;
    // Where the program placed it, in twips of the form's client area; its
    // pixels follow from this at the form's DPI.
    TwipRect place;
    bool bold = false;
    bool underline = false;
    std::function<void()> onClick;
    std::function<void()> onMouseMove;
    std::function<void(int button, int shift)> onMouseDown;
    bool link = false;
    bool autoSize = false;
    bool buttonFace = false;
    bool hasTooltip = false;
    std::string tooltip;  // its text, while it has one
    // The picture of an IconPicture, at iconSize pixels square.
    int resourceId = 0;
    win32::UniqueIcon icon;
    int iconSize = 0;
    // A tab strip's tab height.
    int tabHeightTwips = 0;
};

struct Form::Impl {
    Impl() = default;
    // Controls that outlive the form lose their windows with it.
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    // The control whose window this is, if it is one of this form's.
    Control::Impl* find(HWND window) const;
    // The selected page of the tab control; 0 when the form has none.
    int selectedPage() const;
    // Shows the controls of the selected page and hides the other pages'.
    void showSelectedPage() const;
    // Puts the tab control last in the z-order, beneath every other control:
    // Windows adds each new child window at the bottom.
    void keepTabStripAtBottom() const;
    // Gives the keyboard focus back to the control that had it, or to the
    // first one that can take it.
    void restoreFocus() const;
    // The tooltip window, created with the first tooltip.
    HWND tooltips();
    // Lays the form out at this DPI: its controls from their twips, its fonts,
    // icons, pointer and tooltips made anew, and its window sized to its client
    // area in twips, at the suggested place (or where it is, for null).
    void changeDpi(int newDpi, const RECT* suggested);
    // The window's outer size for its client area in twips at the form's DPI,
    // its top left corner at x, y (flags as SetWindowPos takes them).
    void placeWindow(int x, int y, UINT flags) const;
    // Loads the window's icons and the hand pointer at the form's DPI.
    void loadImages();

    // Declared before the windows that use them, so they are deleted after.
    win32::FormFonts fonts;
    win32::UniqueIcon bigIcon;
    win32::UniqueIcon smallIcon;
    // The hand over links; a cursor, which DestroyIcon frees as well.
    win32::UniqueIcon handCursor;
    win32::UniqueFont tooltipFont;
    win32::UniqueWindow window;
    win32::UniqueWindow tooltipWindow;

    int dpi = win32::kDefaultDpi;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    // The DPI changed while the window was minimised: its size follows when
    // it is restored.
    bool placePending = false;

    std::vector<Control::Impl*> controls;
    Control::Impl* tabStrip = nullptr;
    int nextControlId = 0;
    Pointer pointer = Pointer::Default;
    // Set Normal while hidden and minimised: restored by the next show().
    bool restorePending = false;
    // The child that had the focus when the form was last deactivated.
    HWND lastFocus = nullptr;
    // A mouse button went down with Alt held: releasing Alt must not open the
    // system menu then.
    bool mouseDownWithAlt = false;

    std::function<void()> onClose;
    std::function<void()> onResize;
    std::function<void()> onMouseMove;
    std::function<void()> onDpiChanged;
};

namespace win32 {

// What a control's constructor asks for its window; the place is in twips of
// the form's client area.
struct ChildWindow {
    ControlKind kind = ControlKind::Label;
    int page = kOnForm;
    const char* className = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text{};
    TwipRect place{};
    // Only for buttons that Enter or Esc click: IDOK or IDCANCEL.
    int id = 0;
    bool bold = false;
    bool underline = false;
};

// The control's rectangle in pixels of the form's client area at this DPI.
RECT PixelRect(const Control::Impl& control, int dpi);

// What a control of each kind does besides its place when the form's DPI is
// set: an auto-size label takes the width of its text, a tab strip sizes its
// tabs, a picture loads its icon at the DPI's size.
void FitLabelToText(HWND label);
void SizeTabs(const Control::Impl& tabStrip, int dpi);
void LoadPicture(Control::Impl& picture, int dpi);

// Creates the control's child window on the form, visible if its page is the
// selected one, with the form's font, and enters it in the form's records.
// Throws std::system_error when Windows refuses.
void CreateChild(Form& form, Control::Impl& control, const ChildWindow& child);

// Adds the control to the form's tooltip window with this text; the control's
// destructor takes it out again.
void AddTooltip(Control::Impl& control, const std::string& text);
void RemoveTooltip(Control::Impl& control);
// A disabled control's tooltip follows it when its page is shown or hidden.
void PlaceTooltip(const Control::Impl& control);
// A new tooltip window, with a font for the form's DPI, holding the same tools.
void RecreateTooltips(Form::Impl& form);

// The text of any window.
std::string WindowText(HWND window);

// A user's click on a check box: it turns from checked to unchecked and from
// unchecked or grayed to checked, then runs the click handler.
void ClickCheckBox(Control::Impl& checkBox);

// The procedure of the program's forms (form_procedure.cpp).
LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32

}  // namespace platform
