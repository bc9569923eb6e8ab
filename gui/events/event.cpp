// Event records: construction, the id-to-name table and the text form.
#include "gui/events/event.h"

#include "runtime/convert.h"

#include <array>
#include <utility>

namespace {

struct EventIdName {
    int32_t id;
    std::string_view name;
};

constexpr std::array<EventIdName, 28> kEventNames{{
    {EventAppSuspend, "AppSuspend"},     {EventAppResume, "AppResume"},
    {EventAppTerminate, "AppTerminate"}, {EventAppOpenFile, "AppOpenFile"},
    {EventKeyDown, "KeyDown"},           {EventKeyUp, "KeyUp"},
    {EventKeyChar, "KeyChar"},           {EventKeyRepeat, "KeyRepeat"},
    {EventMouseDown, "MouseDown"},       {EventMouseUp, "MouseUp"},
    {EventMouseMove, "MouseMove"},       {EventMouseWheel, "MouseWheel"},
    {EventMouseEnter, "MouseEnter"},     {EventMouseLeave, "MouseLeave"},
    {EventTimerTick, "TimerTick"},       {EventGadgetAction, "GadgetAction"},
    {EventGadgetPaint, "GadgetPaint"},   {EventGadgetSelect, "GadgetSelect"},
    {EventGadgetMenu, "GadgetMenu"},     {EventGadgetOpen, "GadgetOpen"},
    {EventGadgetClose, "GadgetClose"},   {EventGadgetDone, "GadgetDone"},
    {EventWindowMove, "WindowMove"},     {EventWindowSize, "WindowSize"},
    {EventWindowClose, "WindowClose"},   {EventWindowActivate, "WindowActivate"},
    {EventWindowAccept, "WindowAccept"}, {EventMenuAction, "MenuAction"},
}};

} // namespace

std::shared_ptr<TEvent> MakeEvent(int32_t id, std::shared_ptr<TObject> source, int32_t data, int32_t mods, int32_t x,
                                  int32_t y, std::shared_ptr<TObject> extra) {
    auto event = std::make_shared<TEvent>();
    event->id = id;
    event->source = std::move(source);
    event->data = data;
    event->mods = mods;
    event->x = x;
    event->y = y;
    event->extra = std::move(extra);
    return event;
}

std::string_view EventName(int32_t id) {
    for (const EventIdName& entry : kEventNames) {
        if (entry.id == id) return entry.name;
    }
    return {};
}

std::string EventToText(const TEvent& event) {
    const std::string_view name = EventName(event.id);
    std::string text = name.empty() ? "Unknown Event, id=" + IntToText(event.id) : std::string(name);
    const auto* extraText = dynamic_cast<const TText*>(event.extra.get());
    text += ": data=" + IntToText(event.data);
    text += ", mods=" + IntToText(event.mods);
    text += ", x=" + IntToText(event.x);
    text += ", y=" + IntToText(event.y);
    text += ", extra=\"" + (extraText ? extraText->text : std::string()) + "\"";
    return text;
}
