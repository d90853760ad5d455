// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_buffer.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace ventbox::cli {

FileOutputBuffer::FileOutputBuffer(int fd) : fd_(fd) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FileOutputBuffer::int_type FileOutputBuffer::overflow(int_type c) {
    drain();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FileOutputBuffer::sync() {
    drain();
    return 0;
}

OutputError::OutputError(int error)
    : PlainError(std::string("cannot write output: ") + std::strerror(error)) {}

void FileOutputBuffer::drain() {
    const char* next = pbase();
    while (next < pptr()) {
        const ssize_t n = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            // What could not be written is dropped: the output is broken
            // either way, and the caller learns it from this error.
            setp(buffer_.data(), buffer_.data() + buffer_.size());
            throw OutputError(error);
        }
        next += n;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

}  // namespace ventbox::cli
