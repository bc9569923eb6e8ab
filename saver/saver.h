// The application object and the process-wide values of the saver.
//
// One TSaver exists per process: start-up creates it and calls Run, which loads the settings,
// resolves the run's motion mode and hands over to exactly one mode method. The mode methods and
// the frame methods are filled in by their own files.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "draw2d/image.h"
#include "draw2d/pixmap.h"

class TSaver {
public:
    // ChilliCount and ChilliScale start at their defaults (saver/setting_table.h).
    TSaver();
    virtual ~TSaver() = default;
    TSaver(const TSaver&) = delete;
    TSaver& operator=(const TSaver&) = delete;

    // Methods in slot order.
    virtual void Run();
    virtual void RunSaver();
    virtual void RunPreview();
    virtual void RunConfig();
    virtual void CreateChillies(int32_t count);
    virtual void AdjustChillies(int32_t delta);
    virtual void Update();
    virtual void Draw();
    virtual void SaveSettings();
    virtual void LoadSettings();
    // Discards every event waiting in the event queue (takes no object).
    static void FlushEvents();

    // Fields in declaration order.
    float ChilliScale = 0;
    int32_t ChilliCount = 0;
    int32_t ViewWidth = 0;
    int32_t ViewHeight = 0;
    std::array<std::shared_ptr<TImage>, 100> CatalogueImages{};
    std::array<std::string, 100> CatalogueNames{};
    std::string Caption;
};

// Four signed integers laid out as a host window rectangle.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// The persisted switches and mode (saver/setting_table.h); a switch counts as on only when it is
// exactly 1.
extern int32_t UseDesktop;
extern int32_t ShowNames;
extern int32_t Shadows;
extern int32_t ChangeChillies;
extern int32_t MotionMode;
extern int32_t ClearScreen;

// Values of the run.
extern int32_t CurrentMotionMode;
extern std::string RunModeLetter;
extern int32_t SwayAngle;
extern int32_t SwayStep;
extern int32_t VarietyPoolSize;
extern int32_t VarietyA;
extern int32_t VarietyB;

// The still copy of the desktop behind a full-screen show, and its size.
extern PixmapPtr DesktopPixmap;
extern ImagePtr DesktopImage;
extern int32_t DesktopWidth;
extern int32_t DesktopHeight;

inline bool IsOn(int32_t setting) {
    return setting == 1;
}
