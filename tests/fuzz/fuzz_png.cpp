// Arbitrary bytes as a picture: through LoadPixmap and through LoadImage with the catalogue's flags.
#include "draw2d/image.h"
#include "draw2d/pixmap_load.h"
#include "draw2d/stream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PixmapPtr pixmap = LoadPixmap(OpenMemoryStream(data, size));
    if (pixmap && (pixmap->width < 1 || pixmap->height < 1)) std::abort();
    const ImagePtr image = LoadImage(OpenMemoryStream(data, size), ImageMasked | ImageFiltered | ImageMipmapped);
    // Both read the same bytes: either both accept them or neither does.
    if (!pixmap != !image) std::abort();
    return 0;
}
