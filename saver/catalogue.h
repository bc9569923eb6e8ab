// The chilli catalogue and the choice of the two varieties on show.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kCatalogueSize = 100;

struct CatalogueEntry {
    const char* file; // picture file name under "build stuff/gfx/"
    const char* name; // display name in the caption
};

extern const std::array<CatalogueEntry, kCatalogueSize> kChilliCatalogue;

// The resource URL of a catalogue picture: "incbin::build stuff/gfx/" + file name.
std::string CataloguePictureUrl(size_t index);

// The caption's top-left corner: centred (truncating toward zero), 15 pixels above the bottom.
struct CaptionPlace {
    int32_t x, y;
};
CaptionPlace CaptionPosition(int32_t viewWidth, int32_t viewHeight, int32_t textWidth);

class TSaver;
// Draws VarietyA and VarietyB from the pool and sets the caption that names them.
void ChooseVarieties(TSaver& saver);
// Chooses two new varieties and shows them on every chilli (the show's change of varieties).
void ShowNewVarieties(TSaver& saver);
// `count` chillies of the two varieties now shown for view `view` (of ShowViews) of the saver's
// display, added to ChilliList.
void CreateViewChillies(const TSaver& saver, int32_t count, size_t view);
