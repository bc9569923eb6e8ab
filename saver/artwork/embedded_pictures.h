// The artwork compiled into the program: every PNG under "build stuff/gfx/", byte for byte.
#pragma once

#include <cstddef>
#include <vector>

// One embedded file: its resource name ("build stuff/gfx/" + file name) and its bytes, which live
// for the whole run of the program.
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    size_t size;
};

// All embedded pictures, in file-name order.
std::vector<EmbeddedFile> EmbeddedPictures();
