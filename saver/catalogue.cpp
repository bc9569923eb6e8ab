// CreateChillies, ChooseVarieties and AdjustChillies: loading the catalogue, choosing the two
// varieties with their caption, and adding or removing chillies.
#include "saver/catalogue.h"

#include "saver/chilli.h"
#include "saver/saver.h"

#include "draw2d/draw_context.h"
#include "runtime/random.h"

std::string CataloguePictureUrl(size_t index) {
    return std::string("incbin::build stuff/gfx/") + kChilliCatalogue[index].file;
}

void ChooseVarieties(TSaver& saver) {
    VarietyA = RandomInt(0, VarietyPoolSize - 1);
    VarietyB = RandomInt(0, VarietyPoolSize - 1);
    // The pool is never larger than the catalogue; an index outside it names no variety.
    const auto name = [&saver](int32_t index) {
        return index >= 0 && static_cast<size_t>(index) < kCatalogueSize
                   ? saver.CatalogueNames[static_cast<size_t>(index)]
                   : std::string();
    };
    saver.Caption = VarietyA != VarietyB ? name(VarietyA) + ", " + name(VarietyB) + " " : name(VarietyA) + " ";
}

namespace {

ImagePtr CatalogueImage(const TSaver& saver, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < kCatalogueSize ? saver.CatalogueImages[static_cast<size_t>(index)]
                                                                     : nullptr;
}

} // namespace

CaptionPlace CaptionPosition(int32_t viewWidth, int32_t viewHeight, int32_t textWidth) {
    return {(viewWidth - textWidth) / 2, viewHeight - 15};
}

void TSaver::CreateChillies(int32_t count) {
    SetAutoCentreHandle(true);
    SetBlend(BlendAlpha);
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        CatalogueImages[i] = LoadImage(CataloguePictureUrl(i), ImageMasked | ImageFiltered | ImageMipmapped);
        CatalogueNames[i] = kChilliCatalogue[i].name;
    }
    ChooseVarieties(*this);
    CreateChilliSprites(count, ViewWidth, ViewHeight, CatalogueImage(*this, VarietyA), CatalogueImage(*this, VarietyB));
}

void TSaver::AdjustChillies(int32_t delta) {
    if (delta > 0) {
        CreateChillies(delta);
        return;
    }
    // More removals than chillies stop at an empty list.
    for (int64_t n = delta; n < 0 && !ChilliList.empty(); ++n)
        ChilliList.pop_back();
}

void TSaver::Update() {
    SwayAngle = SwayAngle < 360 ? SwayAngle + SwayStep : 1;
    for (TChilli& chilli : ChilliList)
        chilli.Update(ViewWidth, ViewHeight);
    if (!IsOn(ChangeChillies) || RandomInt(0, 2000) != 1) return;
    ChooseVarieties(*this);
    const ImagePtr imageA = CatalogueImage(*this, VarietyA);
    const ImagePtr imageB = CatalogueImage(*this, VarietyB);
    for (TChilli& chilli : ChilliList)
        chilli.SetVarieties(imageA, imageB);
}

void TSaver::Draw() {
    if (IsOn(UseDesktop) && RunModeLetter == "s") {
        SetRotation(0);
        SetScale(1, 1);
        DrawImage(DesktopImage, 0, 0, 0);
    } else if (IsOn(ClearScreen)) {
        ClearBackBuffer();
    }
    for (TChilli& chilli : ChilliList)
        chilli.Draw(ChilliScale);
    if (RunModeLetter == "s" && IsOn(ShowNames)) {
        SetScale(1, 1);
        SetRotation(0);
        SetColor(255, 0, 0);
        const CaptionPlace place = CaptionPosition(ViewWidth, ViewHeight, TextWidth(Caption));
        DrawText(Caption, static_cast<float>(place.x), static_cast<float>(place.y));
        SetColor(255, 255, 255);
    }
}
