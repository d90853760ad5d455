// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "design_load.hpp"

namespace ventbox {

// Where the reader's bytes come from: an open file or a buffer.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `buffer`; 0 at the end. Throws IoError.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// The most bytes a design file may hold. The program writes at most 270
// bytes and a name, and a name is at most a path; a file beyond this is not
// a design and would only keep the reader busy.
inline constexpr std::size_t kDesignFileLimit = 64 * 1024;

// An open file descriptor's bytes; a read interrupted by a signal goes on. A
// file larger than kDesignFileLimit is refused before anything is read, and
// a pipe or device when it goes beyond it: IoError kFileTooLarge.
class DescriptorSource : public ByteSource {
public:
    explicit DescriptorSource(int fd) : fd_(fd) {}
    std::size_t read(char* buffer, std::size_t size) override;

protected:
    int fd_;

private:
    std::size_t taken_ = 0;
    bool sizeChecked_ = false;
};

class BufferSource : public ByteSource {
public:
    explicit BufferSource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* buffer, std::size_t size) override;

private:
    std::string_view bytes_;
};

// The reading steps of a load from an opened source: the ten numbers, the
// name and the pipe line into the target, in file order. `baseName` is the
// file's name without ".dat", when the source is a file.
void readDesign(ByteSource& source, LoadTarget& target, std::string_view baseName = {});

}  // namespace ventbox
