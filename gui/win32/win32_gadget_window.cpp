// The Win32 host's window class and procedure.
//
// Notifications of the standard controls go to their parent, which is always one of our windows:
// buttons and combo boxes send WM_COMMAND, scroll bars, track bars and up-down controls
// WM_HSCROLL or WM_VSCROLL, tab controls WM_NOTIFY. The keyboard's dialog keys come through
// IsDialogMessage (the pump) as WM_COMMAND with IDOK or IDCANCEL and no control.
#include "gui/win32/win32_gadget_window.h"

#include "draw2d/win32/win32_messages.h"
#include "gui/gadgets/dialog_keys.h"
#include "gui/gadgets/gadget_events.h"
#include "gui/gadgets/slider_rules.h"
#include "gui/win32/win32_control.h"

#include <commctrl.h>

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

void TopLevelMoved(TGadget& window, HWND handle) {
    POINT origin{0, 0};
    ClientToScreen(handle, &origin);
    if (origin.x != window.shape.x || origin.y != window.shape.y) UserMovedWindow(window, origin.x, origin.y);
}

void TopLevelSized(TGadget& window, LPARAM lParam) {
    if ((window.style & WindowResizable) == 0) return;
    const int32_t width = LOWORD(lParam), height = HIWORD(lParam);
    if (width != window.shape.width || height != window.shape.height) UserSizedWindow(window, width, height);
}

// A window that becomes active puts the keyboard focus on its first control, as a dialog does.
void TakeFocus(HWND window) {
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) return;
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) SetFocus(first);
}

LRESULT CALLBACK GadgetWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    TGadget* gadget = GadgetOfWindow(handle);
    if (!gadget) return DefWindowProcW(handle, message, wParam, lParam);
    switch (message) {
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
        if (IsTopLevel(handle) && !QuietChange::Active()) TopLevelSized(*gadget, lParam);
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

// The message font as a font object of its own, deleted at exit.
class MessageFont {
public:
    MessageFont() {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            font_ = CreateFontIndirectW(&metrics.lfMessageFont);
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
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hIcon = LoadIcon(GetModuleHandleW(nullptr), MAKEINTRESOURCE(1));
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = L"CapsaroGadget";
        RegisterClassW(&windowClass);
        return L"CapsaroGadget";
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

HFONT DialogFont() {
    static const MessageFont font;
    return font.Get();
}
