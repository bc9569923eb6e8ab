// Renders a picture of the table: design, densify, supersample, encode.
#include "artwork.h"

#include "designs.h"

namespace chilli_art {

Image RenderImage(size_t index) {
    const PictureEntry& entry = Pictures()[index];
    Scene scene = index < kCatalogueSize ? DesignCatalogue(static_cast<int>(index), entry.width, entry.height)
                                         : DesignLogo(static_cast<int>(index - kCatalogueSize), entry.width);
    DensifyScene(scene, 0.5f);
    return Rasterize(scene, entry.width, entry.height, 4);
}

Encoded RenderPicture(size_t index) {
    return Encode(RenderImage(index), Pictures()[index].kind);
}

std::vector<uint8_t> RenderPng(size_t index) {
    return WritePng(RenderPicture(index));
}

} // namespace chilli_art
