// chilli_art: draws the 100 catalogue pictures and the two logos into a folder, or lists them.
//   chilli_art <folder>            writes every picture (the artwork lives in "build stuff/gfx")
//   chilli_art <folder> <file>...  writes only the named pictures
//   chilli_art --list              prints "file<TAB>display name" for every picture
#include "artwork.h"
#include "catalogue.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    using namespace chilli_art;
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [file...] | --list\n", argv[0]);
        return 2;
    }
    if (std::strcmp(argv[1], "--list") == 0) {
        for (size_t i = 0; i < PictureCount(); ++i)
            std::printf("%s\t%s\n", Pictures()[i].file, Pictures()[i].displayName);
        return 0;
    }
    std::string folder = argv[1];
    int failures = 0;
    for (size_t i = 0; i < PictureCount(); ++i) {
        const char* file = Pictures()[i].file;
        bool wanted = argc == 2;
        for (int a = 2; a < argc; ++a)
            wanted = wanted || std::strcmp(argv[a], file) == 0;
        if (!wanted) continue;
        std::vector<uint8_t> bytes = RenderPng(i);
        if (bytes.empty() || !WriteFile(folder + "/" + file, bytes)) {
            std::fprintf(stderr, "chilli_art: cannot write %s/%s\n", folder.c_str(), file);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
