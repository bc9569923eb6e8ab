// Drawable images (TImage): frames of pixmaps with flags, mask colour and handle, the layer-wide
// settings LoadImage uses, and the per-frame slot in which a driver keeps its texture.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draw2d/pixmap.h"
#include "draw2d/stream.h"

// Image flags (a bit set).
enum : int32_t {
    ImageMasked = 1,    // pixels of the mask colour become clear when a pixmap without alpha is set
    ImageFiltered = 2,  // the texture is sampled with linear filtering
    ImageMipmapped = 4, // the texture has a full mipmap chain
    ImageDynamic = 8,   // added by CreateImage for images drawn into at run time
};
// Given as flags, stands for the default image flags.
constexpr int32_t kDefaultImageFlags = -1;

// A texture a driver made from one image frame; each driver derives its own.
struct DriverTexture {
    virtual ~DriverTexture() = default;
};

// The driver texture of one frame and the DisplaySequence it was made at (0: never made).
struct TImageFrame {
    uint32_t sequence = 0;
    std::shared_ptr<DriverTexture> texture;
};

struct TImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t flags = 0;
    int32_t maskR = 0, maskG = 0, maskB = 0;
    float handleX = 0, handleY = 0;
    // One entry each per frame; a frame's pixmap may be null (CreateImage).
    std::vector<PixmapPtr> pixmaps;
    std::vector<TImageFrame> frames;
};
using ImagePtr = std::shared_ptr<TImage>;

// Layer-wide settings LoadImage reads: the mask colour (first black), automatic centring of handles
// (first off) and the default image flags (first 0; the first selection of a display sets 3).
void SetMaskColor(int32_t r, int32_t g, int32_t b);
void GetMaskColor(int32_t& r, int32_t& g, int32_t& b);
void SetAutoCentreHandle(bool on);
bool AutoCentreHandle();
// -1 leaves the flags unchanged.
void SetDefaultImageFlags(int32_t flags);
int32_t DefaultImageFlags();

// An image of one frame from a URL, a stream or a pixmap, with the current mask colour; flags -1 means
// the default flags. A pixmap argument is kept, not copied, unless masking makes a new one.
// Null when the picture cannot be loaded.
ImagePtr LoadImage(const std::string& url, int32_t flags);
ImagePtr LoadImage(const StreamPtr& stream, int32_t flags);
ImagePtr LoadImage(const PixmapPtr& pixmap, int32_t flags);
// An image of the given size with frames empty frames and the flags (-1: default) plus ImageDynamic.
ImagePtr CreateImage(int32_t width, int32_t height, int32_t frames, int32_t flags);
void SetImageHandle(TImage& image, float x, float y);
// Handle = (width * 0.5, height * 0.5).
void CentreImageHandle(TImage& image);

// Sets frame index's pixmap: with ImageMasked and a pixmap without alpha the stored pixmap is the
// masked copy, else the pixmap itself. The frame's texture is dropped.
void SetImagePixmap(TImage& image, int32_t index, const PixmapPtr& pixmap);

// Makes a driver texture from a frame's pixmap and the image flags.
using TextureMaker = std::function<std::shared_ptr<DriverTexture>(const TPixmap& pixmap, int32_t flags)>;
// The texture of frame index for the current display. When the frame's stamp differs from
// DisplaySequence, the old texture is released and make builds a new one (from an empty, clear
// FormatRGBA8888 pixmap of the image's size when the frame has no pixmap).
DriverTexture* ImageFrameTexture(TImage& image, int32_t index, const TextureMaker& make);
