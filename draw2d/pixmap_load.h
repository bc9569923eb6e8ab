// LoadPixmap: opens a URL and asks each pixmap loader in turn for a picture.
#pragma once

#include <string>

#include "draw2d/pixmap.h"
#include "draw2d/stream.h"

// A pixmap loader reads a picture from the stream's current position, or refuses with null.
using PixmapLoader = PixmapPtr (*)(TStream& stream);

// Adds a loader; the newest is tried first. LoadPixmapPng is always there.
void RegisterPixmapLoader(PixmapLoader loader);

// Opens the URL for reading and returns the first loader's picture, or null when the URL cannot be
// opened, the stream cannot tell its position, or no loader recognises the data. Closes the stream.
PixmapPtr LoadPixmap(const std::string& url);
PixmapPtr LoadPixmap(const StreamPtr& stream);
