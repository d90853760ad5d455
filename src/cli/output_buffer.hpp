// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <exception>
#include <streambuf>
#include <string>

#include "design/report_text.hpp"

namespace ventbox::cli {

// A write to the output that did not happen; the message names the reason.
class OutputError : public PlainError {
public:
    // From the system's number of the error that stopped the write.
    explicit OutputError(int error);
};

// How an error that ends the program is reported on standard error.
inline std::string failureLine(const std::exception& e) {
    return std::string("ventbox-cli: ") + e.what();
}

// A buffer over a file descriptor that throws OutputError when a write
// fails, so a full disk or a closed pipe never passes for success. A stream
// over it with badbit in its exception mask passes the error on to the caller.
class FileOutputBuffer : public std::streambuf {
public:
    explicit FileOutputBuffer(int fd);

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    void drain();

    int fd_;
    std::array<char, 8192> buffer_;
};

}  // namespace ventbox::cli
