// Arbitrary text as a URL through OpenStream, read and written a little when it opens.
#include "draw2d/stream.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the access; the rest is the URL. Writing is only tried on protocols, so
    // no input creates or truncates a file of the machine.
    const std::string url(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool readable = data[0] & 1;
    const bool writeable = (data[0] & 2) && url.find("::") != std::string::npos;
    if (!readable && !writeable) return 0;
    if (url.find("::") == std::string::npos) {
        // Device and kernel files can block or never end; the file stream is not what they test.
        std::error_code error;
        const std::string file = std::filesystem::weakly_canonical(UrlFilePath(url), error).string();
        if (error || file.rfind("/dev", 0) == 0 || file.rfind("/proc", 0) == 0 || file.rfind("/sys", 0) == 0) return 0;
    }
    const StreamPtr stream = OpenStream(url, readable, writeable);
    (void)UrlFilePath(url);
    if (!stream) return 0;
    char buffer[64];
    if (readable) {
        stream->Read(buffer, sizeof buffer);
        stream->Seek(stream->Position() > 0 ? stream->Position() - 1 : 0);
        stream->Read(buffer, sizeof buffer);
    }
    if (writeable) stream->Write("chilli", 6);
    stream->Close();
    stream->Read(buffer, sizeof buffer);
    return 0;
}
