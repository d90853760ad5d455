// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_reader.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "calc/errors.hpp"
#include "calc/number_text.hpp"
#include "cp932.hpp"
#include "design_file.hpp"
#include "error_codes.hpp"
#include "file_number.hpp"
#include "io_error.hpp"

namespace ventbox {

namespace {

constexpr std::size_t kTokenLimit = 64;

// The design file's reading rules: numbers, line skips and text lines, with
// byte 26 as an end-of-file mark.
class DesignReader {
public:
    explicit DesignReader(ByteSource& source) : source_(source) {}

    // Skips every byte up to 32 across lines, then takes up to 64 bytes
    // above 32. At the end, 0 without error.
    FileNumber readNumber();
    // Consumes up to and including the next LF.
    void skipLine();
    // The bytes up to the line end, without it; a CR not before LF is left
    // out. An end-of-file mark ends the text and is consumed.
    std::string readTextLine();

private:
    static constexpr int kEnd = -1;

    int peek();  // the next byte, kEnd at the end; the mark is returned as is
    void advance() { ++position_; }
    bool atEnd() {
        const int c = peek();
        return c == kEnd || c == kEndOfFileMark;
    }

    ByteSource& source_;
    char buffer_[4096];
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool exhausted_ = false;
};

// The design name of a name line read from a file of the given base name.
std::string loadedDesignName(std::string_view line, std::string_view baseName) {
    // Code page 932 gives several characters the same bytes (〜 and ～, − and
    // －, ¥ and \), and decoding picks one of them. The file's own name tells
    // which one was typed, so a design loads under the name it was saved as
    // and saves back into the same file.
    if (utf8ToCp932(baseName) == line) return std::string(baseName);
    std::string name = cp932ToUtf8(line);
    // A NUL would cut the design file's path short.
    for (std::size_t at = name.find('\0'); at != std::string::npos; at = name.find('\0', at)) {
        name.replace(at, 1, kReplacementCharacter);
    }
    return name;
}

int DesignReader::peek() {
    if (position_ == filled_) {
        if (exhausted_) return kEnd;
        filled_ = source_.read(buffer_, sizeof buffer_);
        position_ = 0;
        if (filled_ == 0) {
            exhausted_ = true;
            return kEnd;
        }
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

FileNumber DesignReader::readNumber() {
    while (!atEnd() && peek() <= ' ') advance();
    std::string token;
    while (token.size() < kTokenLimit && !atEnd() && peek() > ' ') {
        token += static_cast<char>(peek());
        advance();
    }
    return parseFileNumber(token);
}

void DesignReader::skipLine() {
    while (!atEnd()) {
        const int c = peek();
        advance();
        if (c == '\n') return;
    }
}

std::string DesignReader::readTextLine() {
    std::string text;
    for (int c = peek(); c != kEnd && c != '\n'; c = peek()) {
        advance();
        if (c == kEndOfFileMark) break;
        if (c == '\r') {
            // CR LF ends the text; the line skip then takes the LF.
            if (peek() == '\n') break;
            continue;
        }
        text += static_cast<char>(c);
    }
    return text;
}

}  // namespace

std::size_t DescriptorSource::read(char* buffer, std::size_t size) {
    if (!sizeChecked_) {
        struct stat st;
        if (::fstat(fd_, &st) != 0) throw IoError(ioErrorCode(errno));
        if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) > kDesignFileLimit) {
            throw IoError(kFileTooLarge);
        }
        sizeChecked_ = true;
    }
    // One byte past the limit tells a source that goes on from one that ends there.
    size = std::min(size, kDesignFileLimit + 1 - taken_);
    while (true) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) {
            taken_ += static_cast<std::size_t>(n);
            if (taken_ > kDesignFileLimit) throw IoError(kFileTooLarge);
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) throw IoError(ioErrorCode(errno));
    }
}

std::size_t BufferSource::read(char* buffer, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return n;
}

void readDesign(ByteSource& source, LoadTarget& target, std::string_view baseName) {
    DesignReader reader(source);
    for (Field field : kFileOrder) {
        const FileNumber number = reader.readNumber();
        const std::optional<double> stored =
            number.overflow ? std::nullopt : storedDouble(number.value);
        if (!stored) {
            reader.skipLine();
            throw Overflow();
        }
        target.storeValue(field, *stored);
        reader.skipLine();
        if (number.malformed) throw IoError(kMalformedNumber);
        target.showValue(field);
    }
    const std::string line = reader.readTextLine();
    const std::string name = loadedDesignName(line, baseName);
    target.setName(name);
    target.keepNameLine(line);
    reader.skipLine();
    target.showName();
    const std::string pipe = reader.readTextLine();
    reader.skipLine();
    if (pipe == pipeText(true)) target.checkPipe();
}

}  // namespace ventbox
