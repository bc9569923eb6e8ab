// Canvases that show software frames without a native window of their own. A gadget host on a
// window system that gives child widgets no window ids (GTK on Wayland) registers each canvas here
// and hands out the id it gets as the canvas's window id; a SoftWindowHost's AttachWindow turns
// such an id back into a presenter with PresenterForCanvas.
#pragma once

#include "draw2d/soft/soft_driver.h"

#include <cstdint>
#include <functional>
#include <memory>

// Makes a presenter for the canvas, once for each display attached to it; null when it cannot.
using SoftCanvasPresenters = std::function<std::unique_ptr<SoftPresenter>()>;

struct SoftCanvasRegistry;

// One registered canvas, registered from construction until destruction (move-only). Presenters
// made earlier outlive it: what they show is the registering host's business (they report Lost).
// It keeps the registry alive, so it may end after static objects are destroyed at exit.
class SoftCanvasRegistration {
public:
    SoftCanvasRegistration() = default;
    explicit SoftCanvasRegistration(SoftCanvasPresenters presenters);
    ~SoftCanvasRegistration();
    SoftCanvasRegistration(SoftCanvasRegistration&& other) noexcept;
    SoftCanvasRegistration& operator=(SoftCanvasRegistration&& other) noexcept;
    SoftCanvasRegistration(const SoftCanvasRegistration&) = delete;
    SoftCanvasRegistration& operator=(const SoftCanvasRegistration&) = delete;

    // The canvas's id; 0 for a registration that holds none (default-made or moved from).
    uint64_t Id() const { return id_; }

private:
    void End();

    std::shared_ptr<SoftCanvasRegistry> registry_;
    uint64_t id_ = 0;
};

// Canvas ids lie above every X window id (29 bits) and every Win32 window handle (32 significant
// bits), so a host may ask the registry before its own windows without mistaking one for the other.
bool IsSoftCanvasId(uint64_t id);

// A presenter for a registered canvas; null for an id that names no canvas registered now.
std::unique_ptr<SoftPresenter> PresenterForCanvas(uint64_t id);

// A window host that attaches registered canvases and has no windows of its own (no display
// modes; OpenWindow throws DrawError): the host of a software driver whose only displays are a
// dialog's canvases.
std::shared_ptr<SoftWindowHost> SoftCanvasWindowHost();
