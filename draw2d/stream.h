// Byte streams and URLs: OpenStream picks a stream factory by the protocol before the first "::";
// a URL without "::" is a file path. Files and read-only memory come with the layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// A readable and/or writeable sequence of bytes. Streams never throw; a short count or false
// reports a failure. The stream closes when the last reference goes, or earlier with Close.
class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes; returns how many arrived (0 at the end, on error, or when closed).
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Writes count bytes; returns how many were written.
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // The current position from the start, or -1 when the stream cannot tell.
    virtual int64_t Position() = 0;
    // Moves to position from the start; false when that is not possible.
    virtual bool Seek(int64_t position) = 0;
    // Pushes buffered writes to their target; false on failure.
    virtual bool Flush() { return true; }
    // Releases what the stream holds; later calls read and write nothing.
    virtual void Close() {}
};
using StreamPtr = std::shared_ptr<TStream>;

// A stream factory: given the lower-cased protocol and the path after "::", returns a stream or
// null when it does not handle that request.
using StreamFactory =
    std::function<StreamPtr(const std::string& protocol, const std::string& path, bool readable, bool writeable)>;

// Adds a factory; the newest registration is asked first. The "incbin" factory is always there.
void RegisterStreamFactory(StreamFactory factory);

// Opens url: a file path when it holds no "::" (backslashes become slashes); otherwise the first
// factory that accepts the protocol (the text before the first "::", ASCII capitals lowered) and the
// path. Null when nothing can open it.
StreamPtr OpenStream(const std::string& url, bool readable, bool writeable);
// The file a URL names: the URL itself with backslashes as slashes when it holds no "::"; empty
// for a URL with a protocol.
std::string UrlFilePath(const std::string& url);
// A URL that is already a stream is returned as it is.
inline StreamPtr OpenStream(StreamPtr stream, bool, bool) {
    return stream;
}

// Opens a file: readable only reads an existing file, writeable only creates or truncates it, both
// opens an existing file for update. Null on failure.
StreamPtr OpenFileStream(const std::string& path, bool readable, bool writeable);
// A read-only stream over size bytes at data, read in place; the caller keeps them alive.
StreamPtr OpenMemoryStream(const void* data, size_t size);
