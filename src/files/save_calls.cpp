// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_calls.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace ventbox {

int SaveCalls::openUnnamed(const char* folder) {
    return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

ssize_t SaveCalls::write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

int SaveCalls::fsync(int fd) { return ::fsync(fd); }

int SaveCalls::rename(const char* from, const char* to) { return ::rename(from, to); }

}  // namespace ventbox
