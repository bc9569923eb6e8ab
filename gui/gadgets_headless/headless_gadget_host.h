// A gadget host without a window system: it records every control it makes and what it shows,
// and lets a test act as the user (click, pick, scroll, switch tabs, move, size, close, activate).
//
// The user's actions are queued as host messages on the host's own pump source and take effect
// when the pump next dispatches (PollEvent, WaitEvent), as input from a real window system would.
#pragma once

#include "gui/gadgets/gadget_host.h"
#include "gui/headless/headless_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the headless host shows for one gadget.
class HeadlessControl : public HostControl {
public:
    uint64_t windowId = 0;
    GadgetShape shape;
    std::string text;
    bool visible = true;
    std::vector<std::string> items;
    // The selected item, -1 none.
    int32_t selected = -1;
    bool checked = false;
    int32_t range0 = 0, range1 = 0, position = 0;
    int32_t redraws = 0;
    bool paintPending = false;
};

class HeadlessGadgetHost : public GadgetHost, public std::enable_shared_from_this<HeadlessGadgetHost> {
public:
    // Height of a tabber's tab strip and a group box's caption, taken off their client areas.
    static constexpr int32_t kTabStripHeight = 24;
    static constexpr int32_t kGroupCaptionHeight = 16;

    explicit HeadlessGadgetHost(GadgetShape desktop = GadgetShape{0, 0, 1920, 1080});
    ~HeadlessGadgetHost() override;

    GadgetShape DesktopShape() override { return desktop_; }
    bool CreateControl(TGadget& gadget) override;
    void ShowShape(TGadget& gadget) override;
    void ShowText(TGadget& gadget) override;
    void ShowVisible(TGadget& gadget) override;
    void ShowItemAdded(TGadget& gadget) override;
    void ShowItemSelected(TGadget& gadget, int32_t index) override;
    void ShowChecked(TGadget& gadget) override;
    void ShowSlider(TGadget& gadget) override;
    void Redraw(TGadget& gadget) override;
    int32_t ClientWidth(const TGadget& gadget) override;
    int32_t ClientHeight(const TGadget& gadget) override;
    uint64_t WindowId(TGadget& gadget, int32_t what) override;

    // What the host shows for a gadget made by it.
    static HeadlessControl& Control(const TGadget& gadget);
    // On screen: it and every ancestor are visible.
    static bool OnScreen(const TGadget& gadget);
    // Controls made so far (the desktop included).
    int32_t ControlsMade() const { return made_; }

    // The user's actions.
    void Click(const GadgetPtr& button);
    void PickItem(const GadgetPtr& comboOrTabber, int32_t index);
    void ClickArrow(const GadgetPtr& scrollBar, bool forward);
    void ClickTrough(const GadgetPtr& scrollBar, bool forward);
    void DragThumb(const GadgetPtr& slider, int32_t position);
    void MoveWindow(const GadgetPtr& window, int32_t x, int32_t y);
    void SizeWindow(const GadgetPtr& window, int32_t width, int32_t height);
    void CloseWindow(const GadgetPtr& window);
    void ActivateWindow(const GadgetPtr& window);
    // Another application becomes active.
    void ActivateOtherApplication();

    const std::shared_ptr<HeadlessSource>& Source() const { return source_; }

private:
    using Action = std::function<void(TGadget&)>;
    // Queues an action on the gadget, dropped when the gadget is gone by then.
    void Queue(const GadgetPtr& gadget, Action action);

    GadgetShape desktop_;
    std::shared_ptr<HeadlessSource> source_;
    int32_t made_ = 0;
    uint64_t nextWindowId_ = 0x200001;
};
