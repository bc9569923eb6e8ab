// The Win32 gadget host.
//
// Sections: window ownership; making each kind (window, button, label, panel, canvas, combo box,
// tabber, slider); the host calls; selecting the host.
//
// Every container (a top-level window, a panel, a tabber's page area) is a window of our own
// class, so the notifications of the controls inside it reach our window procedure. A tabber is a
// tab control with one such window over its page area; the program shows and hides its own panels
// there on a tab switch.
//
// The program's shapes are in 96-DPI units; each top-level window keeps the DPI of its monitor
// (win32_dpi.h), and its controls, their font and its canvases' pictures are scaled by it. The
// program reads back only its own units.
#include "gui/win32/win32_gadget_host.h"

#include "draw2d/win32/win32_display_window.h"
#include "draw2d/win32/win32_messages.h"
#include "gui/gadgets/dialog_keys.h"
#include "gui/gadgets/host_kinds.h"
#include "gui/gadgets/slider_rules.h"
#include "gui/win32/win32_control.h"
#include "gui/win32/win32_dialog_keys.h"
#include "gui/win32/win32_dpi.h"
#include "gui/win32/win32_gadget_window.h"
#include "runtime/runtime_error.h"
#include "runtime/win32/wide_text.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <vector>

// ---- Window ownership ----

Win32Control::~Win32Control() {
    for (HWND window : {outer, main, client})
        UntieWindow(window);
    if (!outer || !IsWindow(outer)) return;
    RemoveDialogWindow(outer);
    QuietChange quiet;
    DestroyWindow(outer);
}

Win32Control& ControlOf(const TGadget& gadget) {
    auto* control = dynamic_cast<Win32Control*>(gadget.host.get());
    if (!control) RuntimeError("The gadget was not made by the Win32 host");
    return *control;
}

namespace {

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

HWND ParentClient(const TGadget& gadget) {
    return gadget.parent && gadget.parent->host ? ControlOf(*gadget.parent).client : nullptr;
}

// A child window of `parent` with the dialog font, tied to the gadget; its id is its own (never
// IDOK or IDCANCEL, which the dialog keys use).
HWND MakeChild(const wchar_t* windowClass, DWORD style, DWORD exStyle, HWND parent, TGadget& gadget) {
    static int nextId = 100;
    HWND window = CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<intptr_t>(nextId++)), Instance(), nullptr);
    if (!window) return nullptr;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(LayoutDpi(parent))), FALSE);
    TieToGadget(window, gadget);
    // As in a dialog, the first control one can tab to has the keyboard focus once it exists.
    if ((style & WS_TABSTOP) && GetFocus() == GetAncestor(parent, GA_ROOT)) SetFocus(window);
    return window;
}

// A container of our own class: a panel, a page area, a child window.
HWND MakeContainer(HWND parent, TGadget& gadget, DWORD exStyle = 0) {
    return MakeChild(GadgetWindowClass(), WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT | exStyle, parent,
                     gadget);
}

// How far a container's child area lies inside it.
struct ChildInsets {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The page area of a tab control with one row of tabs in the dialog font at a DPI, in pixels,
// measured once per DPI.
ChildInsets TabInsets(int32_t dpi) {
    static std::map<int32_t, ChildInsets> measuredAt;
    if (const auto found = measuredAt.find(dpi); found != measuredAt.end()) return found->second;
    ChildInsets& insets = measuredAt[dpi];
    insets = [dpi] {
        ChildInsets measured{ToPixels(4, dpi), ToPixels(22, dpi), ToPixels(4, dpi), ToPixels(4, dpi)};
        HWND probe =
            CreateWindowExW(0, WC_TABCONTROLW, L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, Instance(), nullptr);
        if (!probe) return measured;
        SendMessageW(probe, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi)), FALSE);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        wchar_t text[] = L"Config";
        item.pszText = text;
        SendMessageW(probe, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        RECT area{0, 0, 300, 300};
        SendMessageW(probe, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        DestroyWindow(probe);
        measured = {area.left, area.top, 300 - area.right, 300 - area.bottom};
        return measured;
    }();
    return insets;
}

// A group box's caption row and its border; a sunken panel's edge (in units).
constexpr ChildInsets kGroupBoxInsets{6, 16, 6, 6};
constexpr ChildInsets kSunkenInsets{2, 2, 2, 2};

ChildInsets Scaled(const ChildInsets& insets, int32_t dpi) {
    return {ToPixels(insets.left, dpi), ToPixels(insets.top, dpi), ToPixels(insets.right, dpi),
            ToPixels(insets.bottom, dpi)};
}

// The container's insets in pixels at a DPI (at kProgramDpi: in units); false for gadgets
// whose kids fill them.
bool InsetsOf(const TGadget& gadget, int32_t dpi, ChildInsets& insets) {
    if (gadget.klass == GadgetTabber)
        insets = TabInsets(dpi);
    else if (gadget.klass == GadgetPanel && (gadget.style & PanelGroupBox))
        insets = Scaled(kGroupBoxInsets, dpi);
    else if (gadget.klass == GadgetPanel && (gadget.style & PanelSunken))
        insets = Scaled(kSunkenInsets, dpi);
    else
        return false;
    return true;
}

int32_t Inside(int32_t size, int32_t nearSide, int32_t farSide) {
    return std::max(size - nearSide - farSide, 0);
}

TGadget* WindowOf(TGadget& gadget) {
    for (TGadget* g = &gadget; g; g = g->parent)
        if (g->klass == GadgetWindow) return g;
    return nullptr;
}

bool IsTopLevel(const Win32Control& control) {
    return control.outer && (GetWindowLongPtrW(control.outer, GWL_STYLE) & WS_CHILD) == 0;
}

// ---- Windows ----

bool MakeWindow(TGadget& gadget, Win32Control& control) {
    HWND parentClient = ParentClient(gadget);
    if ((gadget.style & WindowChild) && parentClient) {
        control.outer = control.main = control.client = MakeContainer(parentClient, gadget);
        return control.outer != nullptr;
    }
    DWORD style = WS_CLIPCHILDREN;
    if (gadget.style & WindowTitleBar)
        style |= WS_CAPTION | WS_SYSMENU;
    else
        style |= WS_POPUP | WS_BORDER;
    if (gadget.style & WindowResizable) style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (gadget.style & WindowToolWindow) exStyle |= WS_EX_TOOLWINDOW;
    // A window made in another window belongs to it (stays above it, goes with it).
    HWND owner = nullptr;
    if (TGadget* ownerWindow = gadget.parent ? WindowOf(*gadget.parent) : nullptr)
        owner = ownerWindow->host ? ControlOf(*ownerWindow).outer : nullptr;
    HWND window =
        CreateWindowExW(exStyle, GadgetWindowClass(), L"", style, 0, 0, 0, 0, owner, nullptr, Instance(), nullptr);
    if (!window) return false;
    SetLayoutDpi(window, MonitorDpi(window));
    TieToGadget(window, gadget);
    AddDialogWindow(window);
    control.outer = control.main = control.client = window;
    return true;
}

// ---- Buttons and labels ----

bool MakeButton(TGadget& gadget, Win32Control& control) {
    HWND parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    DWORD style = WS_TABSTOP;
    switch (ButtonKind(gadget.style)) {
    case ButtonCheckBox:
        style |= BS_AUTOCHECKBOX;
        break;
    case ButtonRadio:
        style |= BS_AUTORADIOBUTTON;
        break;
    default:
        style |= BecomesDefaultButton(gadget) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        break;
    }
    control.outer = control.main = MakeChild(WC_BUTTONW, style, 0, parentClient, gadget);
    return control.outer != nullptr;
}

struct LabelFrameRow {
    int32_t frame;
    DWORD style;
};
// Label frames (style modulo 8): a border, a sunken frame, an etched frame without text.
constexpr LabelFrameRow kLabelFrames[] = {
    {LabelFrameBorder, WS_BORDER}, {LabelFrameSunken, SS_SUNKEN}, {LabelFrameEtched, SS_ETCHEDFRAME}};

bool MakeLabel(TGadget& gadget, Win32Control& control) {
    HWND parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    // One line, centred vertically, cut with an ellipsis where it does not fit.
    DWORD style = SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS;
    style |= (gadget.style & LabelRight) ? SS_RIGHT : (gadget.style & LabelCentre) ? SS_CENTER : SS_LEFT;
    for (const LabelFrameRow& row : kLabelFrames)
        if (row.frame == LabelFrame(gadget.style))
            style = row.frame == LabelFrameEtched ? row.style : style | row.style;
    control.outer = control.main = MakeChild(WC_STATICW, style, 0, parentClient, gadget);
    return control.outer != nullptr;
}

// ---- Panels and canvases ----

bool MakePanel(TGadget& gadget, Win32Control& control) {
    HWND parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    if (gadget.style & PanelGroupBox) {
        control.outer = MakeChild(WC_BUTTONW, BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parentClient, gadget);
        if (!control.outer) return false;
        control.client = MakeContainer(control.outer, gadget);
    } else {
        control.outer = control.client =
            MakeContainer(parentClient, gadget, (gadget.style & PanelSunken) ? WS_EX_CLIENTEDGE : 0);
    }
    control.main = control.client;
    return control.client != nullptr;
}

bool MakeCanvas(TGadget& gadget, Win32Control& control) {
    HWND parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    control.outer = control.main = MakeChild(GadgetWindowClass(), WS_CLIPSIBLINGS, 0, parentClient, gadget);
    // A display attached to the canvas draws in units, stretched to the canvas's pixels.
    SetWin32DrawingDpi(control.main, LayoutDpi(parentClient));
    return control.outer != nullptr;
}

// ---- Combo boxes and tabbers ----

bool MakeComboBox(TGadget& gadget, Win32Control& control) {
    HWND parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    const DWORD kind = (gadget.style & ComboEditable) ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
    control.outer = control.main = MakeChild(WC_COMBOBOXW, kind | WS_VSCROLL | WS_TABSTOP, 0, parentClient, gadget);
    return control.outer != nullptr;
}

bool MakeTabber(TGadget& gadget, Win32Control& control) {
    HWND parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    control.outer = control.main = MakeChild(WC_TABCONTROLW, WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP,
                                             WS_EX_CONTROLPARENT, parentClient, gadget);
    if (!control.outer) return false;
    control.client = MakeContainer(control.outer, gadget);
    return control.client != nullptr;
}

// ---- Sliders ----

bool MakeSlider(TGadget& gadget, Win32Control& control) {
    HWND parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    const bool horizontal = SliderIsHorizontal(gadget);
    switch (SliderKind(gadget)) {
    case SliderScrollBar:
        control.main =
            MakeChild(WC_SCROLLBARW, (horizontal ? SBS_HORZ : SBS_VERT) | WS_TABSTOP, 0, parentClient, gadget);
        break;
    case SliderTrackBar:
        control.main = MakeChild(TRACKBAR_CLASSW, (horizontal ? TBS_HORZ : TBS_VERT) | TBS_AUTOTICKS | WS_TABSTOP, 0,
                                 parentClient, gadget);
        break;
    default:
        control.main =
            MakeChild(UPDOWN_CLASSW, (horizontal ? UDS_HORZ : 0) | UDS_ARROWKEYS | WS_TABSTOP, 0, parentClient, gadget);
        break;
    }
    control.outer = control.main;
    return control.main != nullptr;
}

bool MakeDesktop(TGadget&, Win32Control&) {
    return true;
}

constexpr HostKind<Win32Control> kKinds[] = {
    {GadgetDesktop, MakeDesktop}, {GadgetWindow, MakeWindow},     {GadgetButton, MakeButton},
    {GadgetPanel, MakePanel},     {GadgetComboBox, MakeComboBox}, {GadgetTabber, MakeTabber},
    {GadgetLabel, MakeLabel},     {GadgetSlider, MakeSlider},     {GadgetCanvas, MakeCanvas},
};

// ---- The host calls ----

// Gives a top-level window the client area `client` (screen pixels). The frame the window really
// has can differ from the one computed for its DPI (a system that draws frames at its own scale
// whatever the monitor's): one correction by what the client area came out as mends that.
void FitFrame(HWND window, const RECT& client) {
    RECT frame = FrameAround(client, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                             static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), LayoutDpi(window));
    SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT now{};
    GetClientRect(window, &now);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&now), 2);
    if (now.left == client.left && now.top == client.top && now.right == client.right && now.bottom == client.bottom)
        return;
    frame = {frame.left + client.left - now.left, frame.top + client.top - now.top,
             frame.right + client.right - now.right, frame.bottom + client.bottom - now.bottom};
    SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window's shape is its client area on the screen; the frame goes around it. Its place is in the
// desktop's units, its size in its monitor's.
void PlaceTopLevel(HWND window, const GadgetShape& s) {
    const int32_t dpi = LayoutDpi(window);
    const RECT client{ToPixels(s.x, SystemDpi()), ToPixels(s.y, SystemDpi()),
                      ToPixels(s.x, SystemDpi()) + ToPixels(std::max(s.width, 0), dpi),
                      ToPixels(s.y, SystemDpi()) + ToPixels(std::max(s.height, 0), dpi)};
    FitFrame(window, client);
}

// A drop-down list's window includes its list: room for eight items below the field.
int32_t ComboWindowHeight(HWND combo, int32_t height) {
    const auto item = static_cast<int32_t>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    return std::max(height, 0) + 8 * std::max(item, 1) + 2;
}

// A plain left-aligned label shows its whole text: where the system font makes the text wider than
// the label, the label's window grows to the right (over room the layout leaves after a caption)
// instead of cutting the text. Framed and aligned labels keep their width. In pixels at `dpi`.
int32_t LabelWindowWidth(const TGadget& gadget, HWND label, int32_t dpi) {
    const int32_t width = ToPixels(std::max(gadget.shape.width, 0), dpi);
    if (LabelFrame(gadget.style) != LabelFrameNone || (gadget.style & (LabelRight | LabelCentre))) return width;
    const std::wstring text = WideText(gadget.text);
    HDC dc = GetDC(label);
    const HGDIOBJ previous = SelectObject(dc, DialogFont(dpi));
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    return std::max(width, static_cast<int32_t>(size.cx) + 1);
}

// A check box or radio button shows its whole caption: where the font at the monitor's scale makes
// it wider than the layout's box (font sizes do not scale exactly), the window grows to the right.
int32_t ButtonWindowWidth(const TGadget& gadget, HWND button, int32_t dpi) {
    const int32_t width = ToPixels(std::max(gadget.shape.width, 0), dpi);
    const int32_t kind = ButtonKind(gadget.style);
    if (kind != ButtonCheckBox && kind != ButtonRadio) return width;
    SIZE ideal{0, 0};
    if (!SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal))) return width;
    return std::max(width, static_cast<int32_t>(ideal.cx));
}

// Places a gadget's windows at its shape scaled by its top-level window's DPI.
void PlaceControl(TGadget& gadget) {
    Win32Control& control = ControlOf(gadget);
    if (!control.outer) return;
    const GadgetShape& s = gadget.shape;
    QuietChange quiet;
    if (IsTopLevel(control)) {
        PlaceTopLevel(control.outer, s);
        return;
    }
    const int32_t dpi = LayoutDpi(control.outer);
    const int32_t height = gadget.klass == GadgetComboBox ? ComboWindowHeight(control.main, ToPixels(s.height, dpi))
                                                          : ToPixels(s.height, dpi);
    const int32_t width = gadget.klass == GadgetLabel    ? LabelWindowWidth(gadget, control.main, dpi)
                          : gadget.klass == GadgetButton ? ButtonWindowWidth(gadget, control.main, dpi)
                                                         : ToPixels(s.width, dpi);
    SetWindowPos(control.outer, nullptr, ToPixels(s.x, dpi), ToPixels(s.y, dpi), std::max(width, 0),
                 std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    if (ChildInsets insets; InsetsOf(gadget, dpi, insets) && control.client != control.outer)
        SetWindowPos(control.client, HWND_TOP, insets.left, insets.top,
                     Inside(ToPixels(s.width, dpi), insets.left, insets.right),
                     Inside(ToPixels(s.height, dpi), insets.top, insets.bottom), SWP_NOACTIVATE);
}

// The controls one can tab to, in the order the gadgets were made: a tabber's tabs come before
// the controls on its pages (the system's order would put the pages first or skip them).
void CollectTabStops(const TGadget& gadget, std::vector<HWND>& stops) {
    if (gadget.host) {
        HWND main = ControlOf(gadget).main;
        const bool tabStop = main && (GetWindowLongPtrW(main, GWL_STYLE) & WS_TABSTOP);
        if (tabStop && IsWindowVisible(main) && IsWindowEnabled(main)) stops.push_back(main);
    }
    for (const GadgetPtr& kid : gadget.kids)
        CollectTabStops(*kid, stops);
}

bool MoveDialogFocus(HWND dialog, bool backwards) {
    TGadget* window = GadgetOfWindow(dialog);
    if (!window) return false;
    std::vector<HWND> stops;
    CollectTabStops(*window, stops);
    if (stops.empty()) return false;
    const auto count = static_cast<ptrdiff_t>(stops.size());
    HWND focus = GetFocus();
    // The stop that has the focus, else the last one holding it (a combo box's edit field; the tab
    // control holds its pages' controls too, and comes before them).
    ptrdiff_t current = -1;
    for (ptrdiff_t i = 0; i < count; ++i) {
        HWND stop = stops[static_cast<size_t>(i)];
        if (stop == focus) {
            current = i;
            break;
        }
        if (IsChild(stop, focus)) current = i;
    }
    const ptrdiff_t next = current < 0 ? (backwards ? count - 1 : 0) : (current + (backwards ? count - 1 : 1)) % count;
    SetFocus(stops[static_cast<size_t>(next)]);
    return true;
}

class Win32GadgetHost : public GadgetHost {
public:
    Win32GadgetHost() {
        UseWin32MessagePump();
        UseDialogKeyboard(MoveDialogFocus);
    }

    GadgetShape DesktopShape() override {
        const int32_t dpi = SystemDpi();
        return {ToUnits(GetSystemMetrics(SM_XVIRTUALSCREEN), dpi), ToUnits(GetSystemMetrics(SM_YVIRTUALSCREEN), dpi),
                ToUnits(GetSystemMetrics(SM_CXVIRTUALSCREEN), dpi), ToUnits(GetSystemMetrics(SM_CYVIRTUALSCREEN), dpi)};
    }

    bool CreateControl(TGadget& gadget) override { return CreateHostControl(gadget, kKinds); }

    void ShowShape(TGadget& gadget) override { PlaceControl(gadget); }

    void ShowText(TGadget& gadget) override {
        Win32Control& control = ControlOf(gadget);
        const std::wstring text = WideText(gadget.text);
        switch (gadget.klass) {
        case GadgetWindow:
            if (IsTopLevel(control)) SetWindowTextW(control.outer, text.c_str());
            break;
        case GadgetButton:
            SetWindowTextW(control.main, text.c_str());
            PlaceControl(gadget);
            break;
        case GadgetLabel:
            if (LabelFrame(gadget.style) == LabelFrameEtched) break;
            SetWindowTextW(control.main, text.c_str());
            SetWindowPos(control.main, nullptr, 0, 0, LabelWindowWidth(gadget, control.main, LayoutDpi(control.main)),
                         ToPixels(std::max(gadget.shape.height, 0), LayoutDpi(control.main)),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case GadgetPanel:
            if (gadget.style & PanelGroupBox) SetWindowTextW(control.outer, text.c_str());
            break;
        default:
            break;
        }
    }

    void ShowVisible(TGadget& gadget) override {
        Win32Control& control = ControlOf(gadget);
        if (!control.outer) return;
        if (!gadget.visible) {
            ShowWindow(control.outer, SW_HIDE);
        } else if (IsTopLevel(control)) {
            ShowWindow(control.outer, SW_SHOW);
            SetForegroundWindow(control.outer);
        } else {
            ShowWindow(control.outer, SW_SHOWNA);
        }
    }

    void ShowItemAdded(TGadget& gadget) override {
        Win32Control& control = ControlOf(gadget);
        std::wstring text = WideText(gadget.items.back().text);
        QuietChange quiet;
        if (gadget.klass == GadgetComboBox) {
            SendMessageW(control.main, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            return;
        }
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        const LRESULT count = SendMessageW(control.main, TCM_GETITEMCOUNT, 0, 0);
        SendMessageW(control.main, TCM_INSERTITEMW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));
    }

    void ShowItemSelected(TGadget& gadget, int32_t index) override {
        Win32Control& control = ControlOf(gadget);
        QuietChange quiet;
        if (gadget.klass == GadgetComboBox)
            SendMessageW(control.main, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        else if (index >= 0)
            SendMessageW(control.main, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    }

    void ShowChecked(TGadget& gadget) override {
        Win32Control& control = ControlOf(gadget);
        if (gadget.klass != GadgetButton) return;
        QuietChange quiet;
        SendMessageW(control.main, BM_SETCHECK, gadget.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    void ShowSlider(TGadget& gadget) override {
        Win32Control& control = ControlOf(gadget);
        QuietChange quiet;
        const int32_t low = SliderLowest(gadget), high = SliderHighest(gadget);
        switch (SliderKind(gadget)) {
        case SliderScrollBar: {
            // Positions 0 to total - page: the page's thumb covers the last `page` steps.
            const int32_t page = std::max(gadget.range0, 0);
            const int32_t total = std::max(gadget.range1, page);
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
            info.nMin = 0;
            info.nMax = page > 0 ? total - 1 : total;
            info.nPage = static_cast<UINT>(page);
            info.nPos = gadget.position;
            SetScrollInfo(control.main, SB_CTL, &info, TRUE);
            break;
        }
        case SliderTrackBar: {
            SendMessageW(control.main, TBM_SETRANGEMIN, FALSE, low);
            SendMessageW(control.main, TBM_SETRANGEMAX, FALSE, high);
            // A mark at every position while they fit, else at the ends.
            SendMessageW(control.main, TBM_SETTICFREQ, high - low <= 30 ? 1 : std::max(high - low, 1), 0);
            const int32_t raw = SliderIsHorizontal(gadget) ? gadget.position : low + high - gadget.position;
            SendMessageW(control.main, TBM_SETPOS, TRUE, raw);
            break;
        }
        default:
            SendMessageW(control.main, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
            SendMessageW(control.main, UDM_SETPOS32, 0, gadget.position);
            break;
        }
    }

    void Redraw(TGadget& gadget) override {
        Win32Control& control = ControlOf(gadget);
        if (control.main) InvalidateRect(control.main, nullptr, gadget.klass != GadgetCanvas);
    }

    // In units: the insets as they are at 96 DPI, whatever the monitor's scale.
    int32_t ClientWidth(const TGadget& gadget) override {
        ChildInsets insets;
        return InsetsOf(gadget, kProgramDpi, insets) ? Inside(gadget.shape.width, insets.left, insets.right)
                                                     : gadget.shape.width;
    }

    int32_t ClientHeight(const TGadget& gadget) override {
        ChildInsets insets;
        return InsetsOf(gadget, kProgramDpi, insets) ? Inside(gadget.shape.height, insets.top, insets.bottom)
                                                     : gadget.shape.height;
    }

    uint64_t WindowId(TGadget& gadget, int32_t what) override {
        if (what != QueryHostWindow && what != QueryClientWindow) return 0;
        if (gadget.klass == GadgetDesktop) return reinterpret_cast<uintptr_t>(GetDesktopWindow());
        const Win32Control& control = ControlOf(gadget);
        HWND window = what == QueryClientWindow && control.client ? control.client : control.outer;
        if (gadget.klass == GadgetCanvas) window = control.main;
        return reinterpret_cast<uintptr_t>(window);
    }
};

} // namespace

void RescaleControls(TGadget& window) {
    HWND outer = ControlOf(window).outer;
    const int32_t dpi = LayoutDpi(outer);
    if (IsTopLevel(ControlOf(window))) {
        // The client area stays where the system's suggested frame put it, at the layout's size.
        RECT client{};
        GetClientRect(outer, &client);
        MapWindowPoints(outer, nullptr, reinterpret_cast<POINT*>(&client), 2);
        client.right = client.left + ToPixels(std::max(window.shape.width, 0), dpi);
        client.bottom = client.top + ToPixels(std::max(window.shape.height, 0), dpi);
        QuietChange quiet;
        FitFrame(outer, client);
    }
    for (const GadgetPtr& kid : window.kids) {
        if (!kid->host) continue;
        const Win32Control& control = ControlOf(*kid);
        for (HWND part : {control.outer, control.main})
            if (part) SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi)), TRUE);
        if (kid->klass == GadgetCanvas) SetWin32DrawingDpi(control.main, dpi);
        PlaceControl(*kid);
        // A window of its own inside keeps its own kids' places too.
        RescaleControls(*kid);
    }
}

// ---- Selecting the host ----

std::shared_ptr<GadgetHost> MakeWin32GadgetHost() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
    if (!InitCommonControlsEx(&controls)) return nullptr;
    return std::make_shared<Win32GadgetHost>();
}

bool SelectWin32GadgetHost() {
    std::shared_ptr<GadgetHost> host = MakeWin32GadgetHost();
    if (!host) return false;
    SelectGadgetHost(std::move(host));
    return true;
}
