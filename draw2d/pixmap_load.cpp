// The pixmap loaders and LoadPixmap.
#include "draw2d/pixmap_load.h"

#include <vector>

#include "draw2d/png_io.h"

namespace {

std::vector<PixmapLoader>& Loaders() {
    static std::vector<PixmapLoader> loaders{LoadPixmapPng};
    return loaders;
}

} // namespace

void RegisterPixmapLoader(PixmapLoader loader) {
    Loaders().push_back(loader);
}

PixmapPtr LoadPixmap(const std::string& url) {
    return LoadPixmap(OpenStream(url, true, false));
}

PixmapPtr LoadPixmap(const StreamPtr& stream) {
    if (!stream) return nullptr;
    const int64_t start = stream->Position();
    PixmapPtr pixmap;
    if (start >= 0) {
        const auto& loaders = Loaders();
        for (auto loader = loaders.rbegin(); loader != loaders.rend() && !pixmap; ++loader) {
            if (stream->Seek(start)) pixmap = (*loader)(*stream);
        }
    }
    stream->Close();
    return pixmap;
}
