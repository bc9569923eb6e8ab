// Comparing a rendered picture with a golden PNG kept beside the tests. A failing comparison
// writes the actual picture and a difference picture into the build folder for a person to see.
// CAPSARO_UPDATE_GOLDEN=1 writes the actual picture as the new golden one.
#pragma once

#include "draw2d/pixmap.h"

#include <string>

// Compares with tests/<folder>/golden/<name>.png. Empty when every channel of every pixel is within
// `tolerance`; else a description of the largest difference and where the pictures were written.
std::string CompareWithGolden(const TPixmap& actual, const std::string& folder, const std::string& name, int tolerance);

// The same comparison with a picture in memory; `name` names the files written when it fails.
std::string ComparePictures(const TPixmap& actual, const TPixmap& expected, const std::string& name, int tolerance);
