// Streams and embedded resources: protocol dispatch, the incbin rules, file paths and factories.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "draw2d/resources.h"
#include "draw2d/stream.h"

namespace {

std::string ReadAll(TStream& stream) {
    std::string text;
    char buffer[4];
    for (size_t n; (n = stream.Read(buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    return text;
}

const char kLogo[] = "logo bytes";

} // namespace

TEST(Resources, FirstRegistrationOfANameWins) {
    static const char first[] = "first", second[] = "second";
    EXPECT_EQ(RegisterResource("test/dup.bin", first, 5), 1);
    EXPECT_EQ(RegisterResource("test/dup.bin", second, 6), 0);
    StreamPtr stream = OpenStream("incbin::test/dup.bin", true, false);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(ReadAll(*stream), "first");
}

TEST(Resources, IncbinProtocolIgnoresCaseButTheNameDoesNot) {
    RegisterResource("build stuff/gfx/logo1.png", kLogo, sizeof kLogo - 1);
    StreamPtr plain = OpenStream("incbin::build stuff/gfx/logo1.png", true, false);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(ReadAll(*plain), kLogo);
    EXPECT_NE(OpenStream("INCBIN::build stuff/gfx/logo1.png", true, false), nullptr);
    EXPECT_EQ(OpenStream("incbin::build stuff/gfx/Logo1.png", true, false), nullptr);
    EXPECT_EQ(OpenStream("incbin::build stuff/gfx/logo1.png", true, true), nullptr);
    EXPECT_EQ(OpenStream("incbin::missing.png", true, false), nullptr);
    EXPECT_EQ(OpenStream("nosuch::build stuff/gfx/logo1.png", true, false), nullptr);
}

TEST(Resources, MemoryStreamsReadInPlaceAndSeekWithinBounds) {
    RegisterResource("test/seek.bin", kLogo, sizeof kLogo - 1);
    StreamPtr stream = OpenStream("incbin::test/seek.bin", true, false);
    EXPECT_TRUE(stream->Seek(5));
    EXPECT_EQ(stream->Position(), 5);
    EXPECT_EQ(ReadAll(*stream), "bytes");
    EXPECT_FALSE(stream->Seek(100));
    EXPECT_FALSE(stream->Seek(-1));
    EXPECT_EQ(stream->Write("x", 1), 0u);
}

TEST(Streams, FilePathsTurnBackslashesIntoSlashes) {
    const std::string dir = CAPSARO_BINARY_DIR "/stream_test_dir";
    std::remove((dir + "/f.txt").c_str());
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(std::filesystem::is_directory(dir));
    StreamPtr out = OpenStream(dir + "\\f.txt", false, true);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->Write("hello", 5), 5u);
    out->Close();
    StreamPtr in = OpenStream(dir + "/f.txt", true, false);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(ReadAll(*in), "hello");
    EXPECT_EQ(OpenStream(dir + "/absent.txt", true, false), nullptr);
}

TEST(Streams, NewestFactoryIsAskedFirstWithTheLowerCasedProtocol) {
    static const char older[] = "older", newer[] = "newer";
    // Factories stay registered for the whole process, so they capture nothing of this test's frame.
    static std::string seenProtocol, seenPath;
    RegisterStreamFactory([](const std::string& protocol, const std::string&, bool, bool) -> StreamPtr {
        return protocol == "mem" ? OpenMemoryStream(older, 5) : nullptr;
    });
    RegisterStreamFactory([](const std::string& protocol, const std::string& path, bool, bool) -> StreamPtr {
        seenProtocol = protocol, seenPath = path;
        return protocol == "mem" && path == "new" ? OpenMemoryStream(newer, 5) : nullptr;
    });
    StreamPtr chosen = OpenStream("MeM::new", true, false);
    EXPECT_EQ(ReadAll(*chosen), "newer");
    EXPECT_EQ(seenProtocol, "mem");
    // Only the first "::" separates the protocol.
    StreamPtr fallback = OpenStream("mem::a::b", true, false);
    EXPECT_EQ(seenPath, "a::b");
    EXPECT_EQ(ReadAll(*fallback), "older");
}
