// The seat's keyboard and pointer as events: keys read through the keymap the compositor sends
// (xkbcommon), the pointer in the display's coordinates. The keyboard and the pointer are taken
// when the seat announces them and let go when it withdraws them, while the program runs.
#pragma once

#include <cstdint>
#include <memory>

struct wl_seat;
struct wl_surface;

// The keyboard, pointer and keymap of the seat and where the surfaces sit: the connection owns it
// and lets it go before it ends; the functions below act on the one that lives (none: nothing).
struct WaylandSeatInput;
std::shared_ptr<WaylandSeatInput> MakeWaylandSeatInput();

// Follows this seat's capabilities from now on (the connection calls it when it binds the seat).
void FollowWaylandSeat(wl_seat* seat);

// Where a surface's pixels sit in the display's coordinates: the pointer over it is reported at
// (x, y) plus its surface position times `scale` (buffer pixels per surface unit).
void PlaceWaylandSurface(wl_surface* surface, int32_t x, int32_t y, double scale);
void ForgetWaylandSurface(wl_surface* surface);

// Whether the pointer shows over this program's surfaces (hidden: no cursor image at all).
void SetWaylandPointerVisible(bool visible);
