// OpenStream's dispatch on the protocol, and the file and read-only memory streams.
#include "draw2d/stream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "draw2d/resources.h"
#include "runtime/file_paths.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

class FileStream final : public TStream {
public:
    explicit FileStream(std::FILE* file) : file_(file) {}
    size_t Read(void* buffer, size_t count) override { return file_ ? std::fread(buffer, 1, count, file_.get()) : 0; }
    size_t Write(const void* buffer, size_t count) override {
        return file_ ? std::fwrite(buffer, 1, count, file_.get()) : 0;
    }
    int64_t Position() override { return file_ ? static_cast<int64_t>(std::ftell(file_.get())) : -1; }
    bool Seek(int64_t position) override {
        return file_ && position >= 0 && std::fseek(file_.get(), static_cast<long>(position), SEEK_SET) == 0;
    }
    bool Flush() override { return file_ && std::fflush(file_.get()) == 0; }
    void Close() override { file_.reset(); }

private:
    std::unique_ptr<std::FILE, FileCloser> file_;
};

class MemoryStream final : public TStream {
public:
    MemoryStream(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    size_t Read(void* buffer, size_t count) override {
        const size_t n = std::min(count, size_ - position_);
        if (n > 0) std::memcpy(buffer, data_ + position_, n);
        position_ += n;
        return n;
    }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t Position() override { return static_cast<int64_t>(position_); }
    bool Seek(int64_t position) override {
        if (position < 0 || static_cast<uint64_t>(position) > size_) return false;
        position_ = static_cast<size_t>(position);
        return true;
    }
    void Close() override { size_ = position_ = 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// The resource registry's factory: read-only streams over registered bytes, by exact name.
StreamPtr OpenResourceStream(const std::string& protocol, const std::string& path, bool, bool writeable) {
    if (protocol != "incbin" || writeable) return nullptr;
    const Resource* resource = FindResource(path);
    return resource ? OpenMemoryStream(resource->data, resource->size) : nullptr;
}

std::vector<StreamFactory>& Factories() {
    static std::vector<StreamFactory> factories{OpenResourceStream};
    return factories;
}

} // namespace

void RegisterStreamFactory(StreamFactory factory) {
    Factories().push_back(std::move(factory));
}

std::string UrlFilePath(const std::string& url) {
    if (url.find("::") != std::string::npos) return {};
    std::string path = url;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

StreamPtr OpenStream(const std::string& url, bool readable, bool writeable) {
    const size_t separator = url.find("::");
    if (separator == std::string::npos) return OpenFileStream(UrlFilePath(url), readable, writeable);
    std::string protocol = url.substr(0, separator);
    std::transform(protocol.begin(), protocol.end(), protocol.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    const std::string path = url.substr(separator + 2);
    const auto& factories = Factories();
    for (auto factory = factories.rbegin(); factory != factories.rend(); ++factory) {
        if (StreamPtr stream = (*factory)(protocol, path, readable, writeable)) return stream;
    }
    return nullptr;
}

StreamPtr OpenFileStream(const std::string& path, bool readable, bool writeable) {
    if (!readable && !writeable) return nullptr;
    const char* mode = writeable ? (readable ? "r+b" : "wb") : "rb";
    std::FILE* file = OpenFile(path, mode);
    if (!file) return nullptr;
    return std::make_shared<FileStream>(file);
}

StreamPtr OpenMemoryStream(const void* data, size_t size) {
    return std::make_shared<MemoryStream>(data, size);
}
