// Images, their layer-wide loading settings and the lazily made driver textures of their frames.
#include "draw2d/image.h"

#include <cassert>
#include <cstring>

#include "draw2d/display_sequence.h"
#include "draw2d/pixmap_load.h"

namespace {

struct ImageSettings {
    int32_t maskR = 0, maskG = 0, maskB = 0;
    bool autoCentre = false;
    int32_t defaultFlags = 0;
};

ImageSettings& Settings() {
    static ImageSettings settings;
    return settings;
}

ImagePtr NewImage(int32_t width, int32_t height, int32_t frames, int32_t flags) {
    const ImageSettings& settings = Settings();
    auto image = std::make_shared<TImage>();
    image->width = width;
    image->height = height;
    image->flags = flags == kDefaultImageFlags ? settings.defaultFlags : flags;
    image->maskR = settings.maskR;
    image->maskG = settings.maskG;
    image->maskB = settings.maskB;
    image->pixmaps.resize(static_cast<size_t>(frames));
    image->frames.resize(static_cast<size_t>(frames));
    return image;
}

} // namespace

void SetMaskColor(int32_t r, int32_t g, int32_t b) {
    ImageSettings& settings = Settings();
    settings.maskR = r, settings.maskG = g, settings.maskB = b;
}

void GetMaskColor(int32_t& r, int32_t& g, int32_t& b) {
    const ImageSettings& settings = Settings();
    r = settings.maskR, g = settings.maskG, b = settings.maskB;
}

void SetAutoCentreHandle(bool on) {
    Settings().autoCentre = on;
}
bool AutoCentreHandle() {
    return Settings().autoCentre;
}

void SetDefaultImageFlags(int32_t flags) {
    if (flags != kDefaultImageFlags) Settings().defaultFlags = flags;
}
int32_t DefaultImageFlags() {
    return Settings().defaultFlags;
}

ImagePtr LoadImage(const std::string& url, int32_t flags) {
    return LoadImage(LoadPixmap(url), flags);
}

ImagePtr LoadImage(const StreamPtr& stream, int32_t flags) {
    return LoadImage(LoadPixmap(stream), flags);
}

ImagePtr LoadImage(const PixmapPtr& pixmap, int32_t flags) {
    if (!pixmap) return nullptr;
    ImagePtr image = NewImage(pixmap->width, pixmap->height, 1, flags);
    SetImagePixmap(*image, 0, pixmap);
    if (!image->pixmaps[0]) return nullptr;
    if (AutoCentreHandle()) CentreImageHandle(*image);
    return image;
}

ImagePtr CreateImage(int32_t width, int32_t height, int32_t frames, int32_t flags) {
    assert(width >= 0 && height >= 0 && frames >= 0 && "CreateImage: negative size or frame count");
    ImagePtr image = NewImage(width, height, frames, flags);
    image->flags |= ImageDynamic;
    return image;
}

void SetImageHandle(TImage& image, float x, float y) {
    image.handleX = x;
    image.handleY = y;
}

void CentreImageHandle(TImage& image) {
    SetImageHandle(image, static_cast<float>(image.width) * 0.5f, static_cast<float>(image.height) * 0.5f);
}

void SetImagePixmap(TImage& image, int32_t index, const PixmapPtr& pixmap) {
    assert(index >= 0 && static_cast<size_t>(index) < image.pixmaps.size() && "SetImagePixmap: no such frame");
    const auto i = static_cast<size_t>(index);
    if (pixmap && (image.flags & ImageMasked) && !FormatHasAlpha(pixmap->format))
        image.pixmaps[i] = MaskPixmap(*pixmap, image.maskR, image.maskG, image.maskB);
    else
        image.pixmaps[i] = pixmap;
    image.frames[i] = TImageFrame{};
}

DriverTexture* ImageFrameTexture(TImage& image, int32_t index, const TextureMaker& make) {
    assert(index >= 0 && static_cast<size_t>(index) < image.frames.size() && "ImageFrameTexture: no such frame");
    TImageFrame& frame = image.frames[static_cast<size_t>(index)];
    if (frame.sequence == DisplaySequence()) return frame.texture.get();

    frame.sequence = DisplaySequence();
    frame.texture.reset();
    if (const PixmapPtr& pixmap = image.pixmaps[static_cast<size_t>(index)]) {
        frame.texture = make(*pixmap, image.flags);
    } else if (PixmapPtr empty = CreatePixmap(image.width, image.height, FormatRGBA8888, 4)) {
        std::memset(empty->pixels, 0, static_cast<size_t>(empty->capacity));
        frame.texture = make(*empty, image.flags);
    }
    return frame.texture.get();
}
