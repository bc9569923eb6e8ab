// The Win32 host's window class and procedure.
//
// Notifications of the standard controls go to their parent, which is always one of our windows:
// buttons and combo boxes send WM_COMMAND, scroll bars, track bars and up-down controls
// WM_HSCROLL or WM_VSCROLL, tab controls WM_NOTIFY. The keyboard's dialog keys come through
// IsDialogMessage (the pump) as WM_COMMAND with IDOK or IDCANCEL and no control.
#include "gui/win32/win32_gadget_window.h"

#include "draw2d/win32/win32_display_window.h"
#include "draw2d/win32/win32_messages.h"
#include "draw2d/win32/win32_window_support.h"
#include "gui/gadgets/dialog_keys.h"
#include "gui/gadgets/gadget_events.h"
#include "gui/gadgets/slider_rules.h"
#include "gui/win32/win32_control.h"
#include "gui/win32/win32_dpi.h"

#include <commctrl.h>

#include <map>
#include <memory>

namespace {

bool IsTopLevel(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0;
}

// Enter and Escape in a top-level window, as IsDialogMessage sends them.
void DialogKey(TGadget& window, WORD id) {
    if (id == IDOK) UserPressedEnter(window);
    if (id == IDCANCEL) UserPressedEscape(window);
}

void ControlCommand(TGadget& gadget, HWND control, WORD code) {
    if (QuietChange::Active()) return;
    if (gadget.klass == GadgetButton && code == BN_CLICKED) {
        UserClickedButton(gadget, SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
    } else if (gadget.klass == GadgetComboBox && code == CBN_SELCHANGE) {
        UserPickedItem(gadget, static_cast<int32_t>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
    } else if (gadget.klass == GadgetComboBox && code == CBN_EDITCHANGE) {
        UserEditedCombo(gadget);
    }
}

struct ScrollRow {
    WORD code;
    ScrollMove move;
};
constexpr ScrollRow kScrollMoves[] = {
    {SB_LINEUP, ScrollMove::LineBack},  {SB_LINEDOWN, ScrollMove::LineForward},
    {SB_PAGEUP, ScrollMove::PageBack},  {SB_PAGEDOWN, ScrollMove::PageForward},
    {SB_THUMBTRACK, ScrollMove::Thumb}, {SB_THUMBPOSITION, ScrollMove::Thumb},
    {SB_TOP, ScrollMove::Start},        {SB_BOTTOM, ScrollMove::End},
};

// A scroll bar moves by the gadget's rules (whole steps, clamped); the control only shows it.
void ScrollBarMoved(TGadget& slider, HWND control, WORD code) {
    for (const ScrollRow& row : kScrollMoves) {
        if (row.code != code) continue;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(control, SB_CTL, &info);
        UserScrolled(slider, row.move, info.nTrackPos);
        return;
    }
}

void SliderMoved(TGadget& slider, HWND control, WORD code) {
    if (QuietChange::Active() || code == SB_ENDSCROLL) return;
    switch (SliderKind(slider)) {
    case SliderScrollBar:
        ScrollBarMoved(slider, control, code);
        break;
    case SliderTrackBar: {
        const auto raw = static_cast<int32_t>(SendMessageW(control, TBM_GETPOS, 0, 0));
        // The top of a vertical track bar is its maximum; the control counts downwards.
        const int32_t position = SliderIsHorizontal(slider) ? raw : SliderLowest(slider) + SliderHighest(slider) - raw;
        UserMovedSlider(slider, position);
        break;
    }
    default:
        UserMovedSlider(slider, static_cast<int32_t>(SendMessageW(control, UDM_GETPOS32, 0, 0)));
        break;
    }
}

TGadget* GadgetOfControl(LPARAM control) {
    return GadgetOfWindow(reinterpret_cast<HWND>(control));
}

bool IsSensitive(const TGadget& gadget) {
    return gadget.klass == GadgetCanvas || (gadget.klass == GadgetPanel && (gadget.style & PanelSensitive));
}

// Input of a sensitive panel or a canvas; a click also takes the keyboard focus.
bool PanelInput(TGadget& gadget, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsSensitive(gadget) || message == WM_CLOSE) return false;
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) SetFocus(window);
    return EmitWindowMessage(window, gadget.shared_from_this(), message, wParam, lParam);
}

// The program sees a window's place in the desktop's units and its size in the window's own.
void TopLevelMoved(TGadget& window, HWND handle) {
    POINT origin{0, 0};
    ClientToScreen(handle, &origin);
    const int32_t x = ToUnits(origin.x, SystemDpi()), y = ToUnits(origin.y, SystemDpi());
    if (x != window.shape.x || y != window.shape.y) UserMovedWindow(window, x, y);
}

void TopLevelSized(TGadget& window, HWND handle, LPARAM lParam) {
    if ((window.style & WindowResizable) == 0) return;
    const int32_t dpi = LayoutDpi(handle);
    const int32_t width = ToUnits(LOWORD(lParam), dpi), height = ToUnits(HIWORD(lParam), dpi);
    if (width != window.shape.width || height != window.shape.height) UserSizedWindow(window, width, height);
}

// A window that becomes active puts the keyboard focus on its first control, as a dialog does.
void TakeFocus(HWND window) {
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) return;
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) SetFocus(first);
}

// A top-level window moved to a monitor of another scale: the system suggests its new frame (the
// same client area in the new monitor's pixels); the controls follow.
void DpiChanged(TGadget& window, HWND handle, WPARAM wParam, LPARAM lParam) {
    SetLayoutDpi(handle, LOWORD(wParam));
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    {
        QuietChange quiet;
        SetWindowPos(handle, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    TopLevelMoved(window, handle);
    RescaleControls(window);
}

LRESULT CALLBACK GadgetWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // The window is untied from its gadget before it goes; the marks it carries go here.
    if (message == WM_NCDESTROY) {
        SetLayoutDpi(handle, 0);
        SetWin32DrawingDpi(handle, 0);
    }
    TGadget* gadget = GadgetOfWindow(handle);
    if (!gadget) return DefWindowProcW(handle, message, wParam, lParam);
    switch (message) {
    case WM_DPICHANGED:
        if (IsTopLevel(handle) && lParam) {
            DpiChanged(*gadget, handle, wParam, lParam);
            return 0;
        }
        break;
    case WM_COMMAND:
        if (TGadget* control = GadgetOfControl(lParam)) {
            ControlCommand(*control, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        }
        if (lParam == 0 && IsTopLevel(handle)) DialogKey(*gadget, LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (TGadget* control = GadgetOfControl(lParam); control && control->klass == GadgetSlider)
            SliderMoved(*control, reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        TGadget* control = GadgetOfWindow(header->hwndFrom);
        if (control && control->klass == GadgetTabber && header->code == TCN_SELCHANGE && !QuietChange::Active())
            UserPickedItem(*control, static_cast<int32_t>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
        return 0;
    }
    case WM_CLOSE:
        // The window stays; the program decides.
        if (IsTopLevel(handle)) UserClosedWindow(*gadget);
        return 0;
    case WM_MOVE:
        if (IsTopLevel(handle) && !QuietChange::Active()) TopLevelMoved(*gadget, handle);
        return 0;
    case WM_SIZE:
        if (IsTopLevel(handle) && !QuietChange::Active()) TopLevelSized(*gadget, handle, lParam);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            TakeFocus(handle);
            UserActivatedWindow(*gadget);
        }
        return 0;
    case WM_ACTIVATEAPP:
        ApplicationActivation(wParam != 0);
        return 0;
    case WM_GETDLGCODE:
        // A sensitive panel or a canvas wants every key, not the dialog's navigation.
        if (IsSensitive(*gadget)) return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
        break;
    case WM_ERASEBKGND:
        // A canvas's picture is all its display's: erasing would only flicker.
        if (gadget->klass == GadgetCanvas) return 1;
        break;
    case WM_PAINT:
        if (gadget->klass == GadgetCanvas) {
            PAINTSTRUCT paint;
            BeginPaint(handle, &paint);
            EndPaint(handle, &paint);
            HostPaintsCanvas(*gadget);
            return 0;
        }
        break;
    default:
        if (PanelInput(*gadget, handle, message, wParam, lParam)) return 0;
        break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

// The message font at one DPI as a font object of its own, deleted at exit.
class MessageFont {
public:
    explicit MessageFont(int32_t dpi) {
        using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        const auto forDpi = user32 ? reinterpret_cast<ForDpi>(reinterpret_cast<void (*)()>(
                                         GetProcAddress(user32, "SystemParametersInfoForDpi")))
                                   : nullptr;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
            font_ = CreateFontIndirectW(&metrics.lfMessageFont);
        } else if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            // The system's metrics are at its own DPI.
            metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
            font_ = CreateFontIndirectW(&metrics.lfMessageFont);
        }
    }
    ~MessageFont() {
        if (font_) DeleteObject(font_);
    }
    MessageFont(const MessageFont&) = delete;
    MessageFont& operator=(const MessageFont&) = delete;

    HFONT Get() const { return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

private:
    HFONT font_ = nullptr;
};

} // namespace

const wchar_t* GadgetWindowClass() {
    static const wchar_t* name = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = GadgetWindowProc;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hIcon = LoadIcon(GetModuleHandleW(nullptr), MAKEINTRESOURCE(1));
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = L"CapsaroGadget";
        return RegisterWindowClass(windowClass);
    }();
    return name;
}

namespace {

// The tie lives on the window itself, so it goes with the window and needs no table that could be
// gone before the last window is destroyed at exit.
constexpr const wchar_t* kGadgetProperty = L"CapsaroGadget";

} // namespace

void TieToGadget(HWND window, TGadget& gadget) {
    if (window) SetPropW(window, kGadgetProperty, &gadget);
}

void UntieWindow(HWND window) {
    if (window && IsWindow(window)) RemovePropW(window, kGadgetProperty);
}

TGadget* GadgetOfWindow(HWND window) {
    if (!window) return nullptr;
    // Only windows of this process carry our gadgets.
    DWORD process = 0;
    if (!GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId()) return nullptr;
    return static_cast<TGadget*>(GetPropW(window, kGadgetProperty));
}

HFONT DialogFont(int32_t dpi) {
    static std::map<int32_t, std::unique_ptr<MessageFont>> fonts;
    std::unique_ptr<MessageFont>& font = fonts[dpi];
    if (!font) font = std::make_unique<MessageFont>(dpi);
    return font->Get();
}
