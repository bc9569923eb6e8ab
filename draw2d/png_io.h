// Reading and writing PNG pictures through libpng over streams.
#pragma once

#include <string>

#include "draw2d/pixmap.h"
#include "draw2d/stream.h"

// Reads a PNG picture from the stream's current position. 16-bit samples are cut to 8 bits, palette
// and low-depth gray pictures are expanded and a transparency chunk becomes alpha; then gray gives
// FormatI8, RGB FormatRGB888, RGB with alpha FormatRGBA8888 and gray with alpha FormatRGBA8888
// (r = g = b = gray). Null, with everything released, for data that is not a whole, sane PNG.
// The stream stays open (its owner closes it).
PixmapPtr LoadPixmapPng(TStream& stream);

// Writes pixmap as an 8-bit, non-interlaced PNG at zlib compression level (0..9): FormatI8 as gray,
// the 3-byte formats as RGB, the 4-byte formats as RGB with alpha, anything else converted to
// FormatRGBA8888 first. Returns 1 on success; 0 when the URL cannot be opened for writing or the
// write fails. The stream is closed in every outcome; a file that could not be written whole is
// removed again.
int SavePixmapPng(const TPixmap& pixmap, const std::string& url, int level);
int SavePixmapPng(const TPixmap& pixmap, const StreamPtr& stream, int level);
