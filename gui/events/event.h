// The event record, the event ids with their names, and the text form of an event.
#pragma once

#include "runtime/object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One event. The fields are set when the event is made; `source` is the gadget, timer or other
// object that sent it (none for display windows and application events), `extra` a further
// object (an item's extra object, a dropped file's path as TText) or none.
class TEvent : public TObject {
public:
    int32_t id = 0;
    std::shared_ptr<TObject> source;
    int32_t data = 0;
    int32_t mods = 0;
    int32_t x = 0;
    int32_t y = 0;
    std::shared_ptr<TObject> extra;
};

std::shared_ptr<TEvent> MakeEvent(int32_t id, std::shared_ptr<TObject> source = nullptr, int32_t data = 0,
                                  int32_t mods = 0, int32_t x = 0, int32_t y = 0,
                                  std::shared_ptr<TObject> extra = nullptr);

// Event ids, grouped by their high bits: 0x100 application, 0x200 keys, 0x400 mouse, 0x800
// timer, 0x2000 gadgets, 0x4000 windows, 0x8000 menus.
constexpr int32_t EventAppSuspend = 0x101;
constexpr int32_t EventAppResume = 0x102;
constexpr int32_t EventAppTerminate = 0x103;
constexpr int32_t EventAppOpenFile = 0x104;
constexpr int32_t EventKeyDown = 0x201;
constexpr int32_t EventKeyUp = 0x202;
constexpr int32_t EventKeyChar = 0x203;
constexpr int32_t EventKeyRepeat = 0x204;
constexpr int32_t EventMouseDown = 0x401;
constexpr int32_t EventMouseUp = 0x402;
constexpr int32_t EventMouseMove = 0x403;
constexpr int32_t EventMouseWheel = 0x404;
constexpr int32_t EventMouseEnter = 0x405;
constexpr int32_t EventMouseLeave = 0x406;
constexpr int32_t EventTimerTick = 0x801;
constexpr int32_t EventGadgetAction = 0x2001;
constexpr int32_t EventGadgetPaint = 0x2002;
constexpr int32_t EventGadgetSelect = 0x2003;
constexpr int32_t EventGadgetMenu = 0x2004;
constexpr int32_t EventGadgetOpen = 0x2005;
constexpr int32_t EventGadgetClose = 0x2006;
constexpr int32_t EventGadgetDone = 0x2007;
constexpr int32_t EventWindowMove = 0x4001;
constexpr int32_t EventWindowSize = 0x4002;
constexpr int32_t EventWindowClose = 0x4003;
constexpr int32_t EventWindowActivate = 0x4004;
constexpr int32_t EventWindowAccept = 0x4005;
constexpr int32_t EventMenuAction = 0x8001;

// The name of an id ("KeyDown"), or an empty view for an id outside the table.
std::string_view EventName(int32_t id);

// The text form: `KeyDown: data=65, mods=0, x=0, y=0, extra=""`; an unknown id is named
// "Unknown Event, id=" and the id. The extra text is empty unless extra is a TText.
std::string EventToText(const TEvent& event);
