// The drawing core: fitting, resampling, coverage and the direction of the light.
#include "render.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using chilli_art::Image;
using chilli_art::Scene;
using chilli_art::Tube;

Tube Line(float x0, float y0, float x1, float y1, float r) {
    Tube tube;
    tube.centre = {{x0, y0}, {x1, y1}};
    tube.radius = {r, r};
    tube.along = {0, std::hypot(x1 - x0, y1 - y0)};
    tube.material.body = {200, 30, 20};
    tube.material.shadow = {110, 10, 10};
    tube.material.highlight = {255, 160, 140};
    return tube;
}

float Alpha(const Image& image, int x, int y) {
    return image.rgba[(static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4 + 3];
}
float Brightness(const Image& image, int x, int y) {
    const uint8_t* p =
        &image.rgba[(static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4];
    return static_cast<float>(p[0] + p[1] + p[2]);
}

TEST(FitScene, FillsTheLongSideWithinTheMarginAndCentresTheShortSide) {
    Scene scene;
    scene.tubes.push_back(Line(-3, 5, 7, 45, 2)); // about 14 wide, 44 tall
    chilli_art::FitScene(scene, 40, 100, 1);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    const Tube& t = scene.tubes[0];
    for (size_t i = 0; i < t.centre.size(); ++i) {
        minX = std::min(minX, t.centre[i].x - t.radius[i]), maxX = std::max(maxX, t.centre[i].x + t.radius[i]);
        minY = std::min(minY, t.centre[i].y - t.radius[i]), maxY = std::max(maxY, t.centre[i].y + t.radius[i]);
    }
    EXPECT_NEAR(minY, 1, 1e-3);
    EXPECT_NEAR(maxY, 99, 1e-3);
    EXPECT_NEAR((minX + maxX) / 2, 20, 1e-3);
    EXPECT_GE(minX, 1);
    EXPECT_LE(maxX, 39);
}

TEST(DensifyScene, KeepsTheEndsAndSpacesTheSpheresClosely) {
    Scene scene;
    scene.tubes.push_back(Line(0, 0, 0, 30, 4));
    chilli_art::DensifyScene(scene, 0.5f);
    const Tube& t = scene.tubes[0];
    ASSERT_GT(t.centre.size(), 60u);
    EXPECT_FLOAT_EQ(t.centre.front().y, 0);
    EXPECT_FLOAT_EQ(t.centre.back().y, 30);
    for (size_t i = 1; i < t.centre.size(); ++i)
        EXPECT_LE(t.centre[i].y - t.centre[i - 1].y, 0.5f + 1e-4f);
}

TEST(Rasterize, CoversADiscWithSoftEdgesAndLightsItFromTheUpperLeft) {
    Scene scene;
    Tube ball = Line(16, 16, 16, 16, 10);
    ball.material.gloss = 0;
    scene.tubes.push_back(ball);
    Image image = chilli_art::Rasterize(scene, 32, 32, 4);
    EXPECT_EQ(Alpha(image, 16, 16), 255);
    EXPECT_EQ(Alpha(image, 0, 0), 0);
    float area = 0;
    int partial = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            area += Alpha(image, x, y) / 255;
            partial += Alpha(image, x, y) > 0 && Alpha(image, x, y) < 255;
        }
    EXPECT_NEAR(area, 3.14159f * 100, 3.14159f * 100 * 0.02f);
    EXPECT_GT(partial, 30);
    // The upper-left flank faces the light; the lower-right one is in shade.
    EXPECT_GT(Brightness(image, 11, 11), Brightness(image, 21, 21) * 1.3f);
}

TEST(Rasterize, ShowsTheHigherTubeWhereTwoOverlap) {
    Scene scene;
    Tube back = Line(4, 16, 28, 16, 5);
    Tube front = Line(16, 4, 16, 28, 5);
    front.material.body = front.material.shadow = front.material.highlight = {20, 200, 20};
    front.material.gloss = 0;
    front.zBoost = 10;
    scene.tubes = {back, front};
    chilli_art::DensifyScene(scene, 0.5f);
    Image image = chilli_art::Rasterize(scene, 32, 32, 4);
    const uint8_t* centre = &image.rgba[(16 * 32 + 16) * 4];
    EXPECT_GT(centre[1], centre[0]);
    const uint8_t* side = &image.rgba[(16 * 32 + 6) * 4];
    EXPECT_GT(side[0], side[1]);
}

} // namespace
