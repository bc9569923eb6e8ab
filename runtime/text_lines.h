// Reading and writing the text lines of the program's files: one byte per character.
#pragma once

#include <cstdio>
#include <string>

// Reads one line from a byte source: bytes are taken until a 10, a 0 or the end of the source;
// bytes 13 are dropped wherever they stand. At the end of the source a line reads as empty text.
// `budget` is the number of bytes the caller still allows to be read; it is decreased by what is
// read, and a line stops (as at the end of the source) when it reaches 0, so a huge file without
// line ends is never read whole.
class LineReader {
public:
    explicit LineReader(std::FILE* file, size_t budget) : file_(file), budget_(budget) {}
    std::string ReadLine();

private:
    std::FILE* file_;
    size_t budget_;
};

// Writes the text followed by CR LF; false when the write fails.
bool WriteLine(std::FILE* file, const std::string& text);
