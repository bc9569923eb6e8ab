// The compositor's answers to the saver's questions: the outputs side by side as one screen, each
// a monitor, the desktop's pixels through screencopy, and whether the outputs ask for frames.
// Wayland names no windows of other programs, so the questions about them have no answer.
#include "saver/wayland/wayland_platform.h"

#include "saver/wayland/desktop_capture.h"

#include "draw2d/wayland/output_covers.h"
#include "gui/wayland/wayland_connection.h"

#include <algorithm>
#include <map>

namespace {

// An output that does not tell its rate is taken as 60 Hz.
constexpr int32_t kAssumedRefresh = 60;

// A FormatRGBA8888 pixmap of opaque black; null when it cannot be had.
PixmapPtr OpaqueBlackPixmap(int32_t width, int32_t height) {
    PixmapPtr pixmap = CreatePixmap(width, height, FormatRGBA8888, 4);
    if (!pixmap) return nullptr;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = pixmap->Row(y);
        for (int32_t x = 0; x < width; ++x, row += 4)
            row[0] = row[1] = row[2] = 0, row[3] = 255;
    }
    return pixmap;
}

class WaylandPlatform : public SaverPlatform {
public:
    bool Screen(ScreenCaps& caps) override {
        WaylandConnection* connection = TheWaylandConnection();
        if (!connection || connection->Lost()) return false;
        const std::vector<const WaylandOutput*> outputs = connection->Outputs();
        if (outputs.empty()) return false;
        caps = {};
        for (const WaylandOutput* output : outputs) {
            caps.width = std::max(caps.width, output->x + output->width);
            caps.height = std::max(caps.height, output->y + output->height);
        }
        caps.depth = 32;
        caps.planes = 1;
        const int32_t refresh = (outputs.front()->refreshMilliHz + 500) / 1000;
        caps.refresh = refresh > 0 ? refresh : kAssumedRefresh;
        return true;
    }

    const char* NoScreenText() const override {
        return "no Wayland output to show the saver on (is WAYLAND_DISPLAY set?)";
    }

    std::vector<MonitorRect> Monitors() override {
        std::vector<MonitorRect> monitors;
        if (WaylandConnection* connection = TheWaylandConnection())
            for (const WaylandOutput* output : connection->Outputs())
                monitors.push_back({output->x, output->y, output->width, output->height});
        return monitors;
    }

    bool DisplayOff() override { return WaylandOutputsHidden(); }

    // Each output as it looked before the overlay covered it: an output covered already (the
    // show reopened for an output that came) keeps the picture taken before.
    PixmapPtr CaptureDesktop() override {
        ScreenCaps caps;
        if (!Screen(caps)) return nullptr;
        WaylandConnection& connection = *TheWaylandConnection();
        PixmapPtr desktop = OpaqueBlackPixmap(caps.width, caps.height);
        if (!desktop) return nullptr;
        std::map<uint32_t, PixmapPtr> taken;
        for (const WaylandOutput* output : connection.Outputs()) {
            PixmapPtr picture = Earlier(output->name);
            if (!picture || !WaylandOutputCovered(output->name)) {
                // Where the compositor copies nothing, the output's part of the copy stays black.
                picture = OpaqueBlackPixmap(output->width, output->height);
                if (!picture) continue;
                WaylandOutput alone = *output;
                alone.x = alone.y = 0;
                CaptureWaylandOutput(connection, alone, *picture);
            }
            PastePixmap(*picture, *desktop, output->x, output->y);
            taken[output->name] = picture;
        }
        pictures_ = std::move(taken);
        return desktop;
    }

    bool ClientRect(uint64_t, TRect&) override { return false; }
    bool WindowRect(uint64_t, TRect&) override { return false; }
    uint64_t CreateChildWindow(uint64_t, int32_t, int32_t, const char*) override { return 0; }
    uint64_t RootWindowId() override { return 0; }
    PixmapPtr CaptureWindowScreenshot(uint64_t) override { return nullptr; }

private:
    PixmapPtr Earlier(uint32_t outputName) const {
        const auto found = pictures_.find(outputName);
        return found != pictures_.end() ? found->second : nullptr;
    }

    // Each output's picture, by its registry name, from the last capture.
    std::map<uint32_t, PixmapPtr> pictures_;
};

} // namespace

std::unique_ptr<SaverPlatform> MakeWaylandPlatform() {
    return std::make_unique<WaylandPlatform>();
}
