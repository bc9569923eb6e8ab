// Chillies: creation with the random start values of each motion mode, the motion rules, and
// drawing with or without a shadow.
#include "saver/chilli.h"

#include "saver/motion_mode.h"
#include "saver/saver.h"
#include "saver/show_views.h"

#include "draw2d/draw_context.h"
#include "runtime/random.h"

#include <cmath>

std::vector<TChilli> ChilliList;

namespace {

constexpr double kPi = 3.141592653589793;

// The start values of one chilli, drawn in the order its motion mode prescribes.
struct StartValues {
    float x = 0, y = 0, dx = 0, dy = 0, angle = 0, spin = 0;
    int32_t sway = 0, swayPhase = 0;
};

StartValues DrawStartValues(int32_t mode, int32_t w, int32_t h, float fw, float fh) {
    StartValues s;
    if (mode == MotionBounceBoth) {
        s.spin = static_cast<float>(RandomReal(-4, 4));
        s.angle = static_cast<float>(RandomInt(0, 359));
        s.dy = static_cast<float>(RandomReal(-4, 4) * fh);
        s.dx = static_cast<float>(RandomReal(-4, 4) * fw);
        s.y = static_cast<float>(RandomInt(0, h));
        s.x = static_cast<float>(RandomInt(0, w));
        return s;
    }
    // The other modes draw the sway first, although only falling chillies use it.
    s.swayPhase = mode == MotionFall ? RandomInt(200, 1) : RandomInt(45, 1);
    s.sway = static_cast<int32_t>(mode == MotionFall ? RandomReal(1, 6) : RandomReal(1, 2));
    s.spin = static_cast<float>(RandomReal(-4, 4));
    s.angle = static_cast<float>(RandomInt(0, 359));
    if (mode == MotionBounceVertical) s.dy = static_cast<float>(RandomReal(1, 2));
    if (mode == MotionBounceHorizontal) s.dx = static_cast<float>(RandomReal(1, 2));
    if (mode == MotionFall) s.dy = static_cast<float>(RandomReal(static_cast<double>(0.1f), 3));
    s.y = static_cast<float>(mode == MotionBounceHorizontal ? RandomInt(0, h) : RandomInt(-h, 0));
    s.x = static_cast<float>(RandomInt(0, w));
    return s;
}

// A bouncing coordinate: centre-based, the speed only changes sign.
void Bounce(float& position, float& speed, int32_t limit) {
    position += speed;
    if (position > static_cast<float>(limit)) {
        position = static_cast<float>(limit);
        speed = -speed;
    }
    if (position < 0) {
        position = 0;
        speed = -speed;
    }
}

} // namespace

void TChilli::SetVarieties(const ImagePtr& imageA, const ImagePtr& imageB) {
    Image = Variety == 1 ? imageA : imageB;
}

void TChilli::Create(ImagePtr image, float x, float y, float dx, float dy, float gravity, float scaleX, float scaleY,
                     float angle, float spin, float alpha, float fade, int32_t variety, int32_t sway,
                     int32_t swayPhase) {
    TChilli chilli;
    chilli.Image = std::move(image);
    chilli.X = x, chilli.Y = y, chilli.DX = dx, chilli.DY = dy, chilli.Gravity = gravity;
    chilli.ScaleX = scaleX, chilli.ScaleY = scaleY, chilli.Angle = angle, chilli.Spin = spin;
    chilli.Alpha = alpha, chilli.Fade = fade, chilli.Variety = variety;
    chilli.Sway = static_cast<float>(sway);
    chilli.SwayPhase = swayPhase;
    ChilliList.push_back(std::move(chilli));
}

double SwayOffset(float sway, int32_t degrees) {
    // Degrees to radians as a × π / 180, in that order: π / 180 first rounds differently.
    return static_cast<double>(sway) * std::sin(static_cast<double>(degrees) * kPi / 180.0);
}

void TChilli::Update(int32_t width, int32_t height) {
    if (CurrentMotionMode == MotionFall) {
        X = static_cast<float>(static_cast<double>(X) + SwayOffset(Sway, SwayAngle + SwayPhase));
        Y += DY;
        if (!(Y < static_cast<float>(height + 100))) Y = static_cast<float>(RandomReal(-height, 0));
    } else {
        Bounce(X, DX, width);
        Bounce(Y, DY, height);
        DY += Gravity;
    }
    Angle += Spin;
    Alpha -= Fade;
}

void TChilli::Draw(float scale) {
    SetTransform(Angle, ScaleX * scale, ScaleY * scale);
    SetAlpha(Alpha);
    if (IsOn(Shadows) && IsOn(UseDesktop)) {
        DrawWithShadow(Image, X, Y, 5, 5, 0.3f);
    } else {
        DrawImage(Image, X, Y, 0);
    }
}

void DrawWithShadow(const ImagePtr& image, float x, float y, float offsetX, float offsetY, float shadowAlpha) {
    SetBlend(BlendAlpha);
    SetColor(0, 0, 0);
    SetAlpha(shadowAlpha);
    DrawImage(image, x + offsetX, y + offsetY, 0);
    SetBlend(BlendMask);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawImage(image, x, y, 0);
}

void CreateChilliSprites(int32_t count, int32_t viewWidth, int32_t viewHeight, const ImagePtr& imageA,
                         const ImagePtr& imageB, int32_t view) {
    const float fw = static_cast<float>(viewWidth) / 1024.0f;
    const float fh = static_cast<float>(viewHeight) / 768.0f;
    const int32_t mode = CurrentMotionMode;
    if (!IsShowMotion(mode)) return;
    const size_t limit = static_cast<size_t>(kMaxChillies) * ShowViewCount();
    for (int32_t n = 1; n <= count && ChilliList.size() < limit; ++n) {
        const int32_t v = RandomInt(1, 2);
        const StartValues s = DrawStartValues(mode, viewWidth, viewHeight, fw, fh);
        TChilli::Create(v == 1 ? imageA : imageB, s.x, s.y, s.dx, s.dy, 0, fw, fh, s.angle, s.spin, 1, 0, v, s.sway,
                        s.swayPhase);
        ChilliList.back().View = view;
    }
}
