// One moving chilli, the list of all of them, and how they move and draw.
#pragma once

#include "draw2d/image.h"

#include <cstdint>
#include <vector>

class TChilli {
public:
    ImagePtr Image;
    float X = 0, Y = 0;
    float DX = 0, DY = 0;
    float Gravity = 0;
    float ScaleX = 0, ScaleY = 0;
    float Angle = 0, Spin = 0;
    float Alpha = 0, Fade = 0;
    int32_t Variety = 0;
    float Sway = 0;
    int32_t SwayPhase = 0;
    // The view of the show it moves in (saver/show_views.h).
    int32_t View = 0;

    // Shows imageA for Variety 1 and imageB for any other value.
    void SetVarieties(const ImagePtr& imageA, const ImagePtr& imageB);
    // Makes a chilli with these values and appends it to ChilliList.
    static void Create(ImagePtr image, float x, float y, float dx, float dy, float gravity, float scaleX, float scaleY,
                       float angle, float spin, float alpha, float fade, int32_t variety, int32_t sway,
                       int32_t swayPhase);
    // One step of the run's motion mode within a view of width x height.
    void Update(int32_t width, int32_t height);
    void Draw(float scale);
};

// Every chilli of the run in creation order: updated and drawn first to last.
extern std::vector<TChilli> ChilliList;

// More chillies than this (in each view) are never created, whatever count the settings file asks for: ten
// times what the dialog offers, a frame of them at the default scale still draws in about 0.2 s
// at 1920 x 1080 on the software driver, and the list takes under a megabyte.
constexpr int32_t kMaxChillies = 10000;

// How far a falling chilli sways sideways in one frame at the angle sum `degrees`.
double SwayOffset(float sway, int32_t degrees);

// A shadow (the picture in black at shadowAlpha, shifted by the offset) and then the picture.
void DrawWithShadow(const ImagePtr& image, float x, float y, float offsetX, float offsetY, float shadowAlpha);

// Creates `count` chillies of the run's motion mode in view `view` of viewWidth x viewHeight,
// showing the two chosen varieties, with the random start values of that mode drawn in the mode's
// order. Nothing for a mode that is not one of the four a show runs with (motion_mode.h).
void CreateChilliSprites(int32_t count, int32_t viewWidth, int32_t viewHeight, const ImagePtr& imageA,
                         const ImagePtr& imageB, int32_t view = 0);
