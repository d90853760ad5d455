// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_codes.hpp"

#include <array>
#include <cerrno>

namespace ventbox {

namespace {

struct ErrnoCode {
    int errnoValue;
    int code;
};

// Each entry: the operating-system error and the code of the nearest
// failure of the same kind on the system whose codes the messages use.
constexpr std::array<ErrnoCode, 23> kErrnoCodes{{
    {ENOENT, 2},          // file not found
    {ENXIO, 2},           // no such device or address: nothing is there
    {ENOTDIR, 3},         // a folder on the way is a file: path not found
    {EMFILE, 4},          // too many open files in the process
    {ENFILE, 4},          // too many open files in the system
    {EACCES, 5},          // access denied
    {EPERM, 5},           // operation not permitted: access denied
    {EROFS, 5},           // read-only file system: access denied
    {EISDIR, 5},          // a folder where a file is expected: access denied
    {ENOMEM, 8},          // not enough memory
    {EXDEV, 17},          // rename across devices: not the same device
    {EEXIST, 80},         // the file exists
    {EIO, 23},            // low-level I/O failure: data error
    {EBUSY, 32},          // busy: sharing violation
    {ETXTBSY, 32},        // text file busy: sharing violation
    {EAGAIN, 33},         // locked: lock violation
    {EINVAL, 87},         // invalid argument: invalid parameter
    {ENOSPC, 112},        // no space left: disk full
    {EDQUOT, 112},        // quota exceeded: disk full
    {EILSEQ, 123},        // name the file system cannot hold: invalid name
    {ENAMETOOLONG, 206},  // name or path too long: filename exceeds range
    {EFBIG, 223},         // file too large
    {ELOOP, 1921},        // too many symbolic links: name cannot be resolved
}};

// Anything else: a general failure.
constexpr int kGeneralFailure = 31;

}  // namespace

int ioErrorCode(int errnoValue) {
    for (const ErrnoCode& entry : kErrnoCodes) {
        if (entry.errnoValue == errnoValue) return entry.code;
    }
    return kGeneralFailure;
}

int saveErrorCode(int errnoValue) {
    return errnoValue == ENOENT ? kPathNotFound : ioErrorCode(errnoValue);
}

}  // namespace ventbox
