// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "design_file.hpp"
#include "file_number.hpp"

namespace ventbox {

// Where the reader's bytes come from: an open file or a buffer.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `buffer`; 0 at the end. Throws IoError.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

class BufferSource : public ByteSource {
public:
    explicit BufferSource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* buffer, std::size_t size) override;

private:
    std::string_view bytes_;
};

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
    static constexpr int kEndOfFileMark = 26;

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

// The reading steps of a load from an opened source: the ten numbers, the
// name and the pipe line into the target, in file order. `baseName` is the
// file's name without ".dat", when the source is a file.
void readDesign(ByteSource& source, LoadTarget& target, std::string_view baseName = {});

}  // namespace ventbox
