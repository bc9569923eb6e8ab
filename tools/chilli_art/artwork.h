// Renders any picture of the table (catalogue entries, then the logos) to PNG bytes.
#pragma once

#include "png_out.h"

#include <cstddef>
#include <vector>

namespace chilli_art {

// Picture `index` as drawn, before encoding: colour with coverage as alpha.
Image RenderImage(size_t index);
// The rendered, encoded picture `index` of Pictures(): a pure function of the index.
Encoded RenderPicture(size_t index);
// The PNG bytes of picture `index`; empty if encoding failed.
std::vector<uint8_t> RenderPng(size_t index);

} // namespace chilli_art
