// CreateChillies, ChooseVarieties and AdjustChillies: loading the catalogue, choosing the two
// varieties with their caption, and adding or removing chillies.
#include "saver/catalogue.h"

#include "saver/chilli.h"
#include "saver/saver.h"
#include "saver/show_views.h"

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
    // Each view gets `count` chillies of its own, view after view.
    for (size_t view = 0; view < ShowViewCount(); ++view)
        CreateViewChillies(*this, count, view);
}

void CreateViewChillies(const TSaver& saver, int32_t count, size_t view) {
    int32_t width = 0, height = 0;
    ShowViewSize(view, saver.ViewWidth, saver.ViewHeight, width, height);
    CreateChilliSprites(count, width, height, CatalogueImage(saver, VarietyA), CatalogueImage(saver, VarietyB),
                        static_cast<int32_t>(view));
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
    for (TChilli& chilli : ChilliList) {
        int32_t width = 0, height = 0;
        ShowViewSize(static_cast<size_t>(chilli.View), ViewWidth, ViewHeight, width, height);
        chilli.Update(width, height);
    }
    if (!IsOn(ChangeChillies) || RandomInt(0, 2000) != 1) return;
    ShowNewVarieties(*this);
}

void ShowNewVarieties(TSaver& saver) {
    ChooseVarieties(saver);
    const ImagePtr imageA = CatalogueImage(saver, VarietyA);
    const ImagePtr imageB = CatalogueImage(saver, VarietyB);
    for (TChilli& chilli : ChilliList)
        chilli.SetVarieties(imageA, imageB);
}

namespace {

// The background of a view: the desktop copy (at the display's origin, so each view shows what its
// monitor showed) or a clear of the viewport.
void DrawBackground() {
    if (IsOn(UseDesktop) && RunModeLetter == "s") {
        SetRotation(0);
        SetScale(1, 1);
        DrawImage(DesktopImage, 0, 0, 0);
    } else if (IsOn(ClearScreen)) {
        ClearBackBuffer();
    }
}

void DrawCaption(const std::string& caption, int32_t viewWidth, int32_t viewHeight) {
    if (RunModeLetter != "s" || !IsOn(ShowNames)) return;
    SetScale(1, 1);
    SetRotation(0);
    SetColor(255, 0, 0);
    const CaptionPlace place = CaptionPosition(viewWidth, viewHeight, TextWidth(caption));
    DrawText(caption, static_cast<float>(place.x), static_cast<float>(place.y));
    SetColor(255, 255, 255);
}

} // namespace

void TSaver::Draw() {
    if (ShowViews.empty()) {
        DrawBackground();
        for (TChilli& chilli : ChilliList)
            chilli.Draw(ChilliScale);
        DrawCaption(Caption, ViewWidth, ViewHeight);
        return;
    }
    // View by view, each clipped to its rectangle; nothing outside every view is touched.
    int32_t oldX = 0, oldY = 0, oldWidth = 0, oldHeight = 0;
    GetViewport(oldX, oldY, oldWidth, oldHeight);
    for (size_t index = 0; index < ShowViews.size(); ++index) {
        const MonitorRect& view = ShowViews[index];
        SetViewport(view.x, view.y, view.width, view.height);
        SetOrigin(0, 0);
        DrawBackground();
        SetOrigin(static_cast<float>(view.x), static_cast<float>(view.y));
        for (TChilli& chilli : ChilliList)
            if (chilli.View == static_cast<int32_t>(index)) chilli.Draw(ChilliScale);
        DrawCaption(Caption, view.width, view.height);
    }
    SetOrigin(0, 0);
    SetViewport(oldX, oldY, oldWidth, oldHeight);
}
