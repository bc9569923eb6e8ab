// Dialog windows' keyboard handling as the message pump's filter.
#include "gui/win32/win32_dialog_keys.h"

#include "draw2d/win32/win32_messages.h"

namespace {

constexpr const wchar_t* kDialogProperty = L"CapsaroDialog";

DialogTabMover tabMover = nullptr;

bool IsTabKey(const MSG& message) {
    return message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
           GetKeyState(VK_MENU) >= 0;
}

// True when the message's dialog window took it (it is then translated and dispatched already).
bool TakenByDialog(MSG& message) {
    HWND top = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!top || !GetPropW(top, kDialogProperty)) return false;
    if (IsTabKey(message) && tabMover && tabMover(top, GetKeyState(VK_SHIFT) < 0)) return true;
    return IsDialogMessageW(top, &message);
}

} // namespace

void AddDialogWindow(HWND window) {
    SetPropW(window, kDialogProperty, reinterpret_cast<HANDLE>(1));
}

void RemoveDialogWindow(HWND window) {
    if (IsWindow(window)) RemovePropW(window, kDialogProperty);
}

void UseDialogKeyboard(DialogTabMover mover) {
    tabMover = mover;
    SetMessageFilter(TakenByDialog);
}
