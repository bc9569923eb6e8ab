// Line reading with the program's rules: LF, NUL or the end end a line, CR is dropped.
#include "runtime/text_lines.h"

std::string LineReader::ReadLine() {
    std::string line;
    while (budget_ > 0) {
        const int c = std::getc(file_);
        if (c == EOF) break;
        --budget_;
        if (c == 10 || c == 0) break;
        if (c != 13) line.push_back(static_cast<char>(c));
    }
    return line;
}

bool WriteLine(std::FILE* file, const std::string& text) {
    const std::string bytes = text + "\r\n";
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}
