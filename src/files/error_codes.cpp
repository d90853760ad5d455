// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_codes.hpp"

#include <array>
#include <cerrno>
#include <string_view>

namespace ventbox {

namespace {

struct CodeMessage {
    IoCode code;
    std::string_view message;
};

// The codes that have a message of their own; every other code is shown by number.
constexpr std::array<CodeMessage, 7> kMessages{{
    {kFileNotFound, "ファイルが見つかりません"},
    {kPathNotFound, "ファイル名の指定が間違っています"},
    {kTooManyOpenFiles, "オープンしたファイルが多すぎます"},
    {kAccessDenied, "ファイルへのアクセスが拒否されました"},
    {kReadBeyondEnd, "ファイルの末尾以降を読み込みました"},
    {kDiskFull, "ディスクがいっぱいです"},
    {kMalformedNumber, "入力値が数値ではありません"},
}};

struct ErrnoCode {
    int errnoValue;
    IoCode code;
};

// Each operating-system error beside the code of the nearest failure of the
// same kind; anything else is a general failure.
constexpr std::array<ErrnoCode, 23> kErrnoCodes{{
    {ENOENT, kFileNotFound},
    {ENXIO, kFileNotFound},          // no such device or address: nothing is there
    {ENOTDIR, kPathNotFound},        // a folder on the way is a file
    {EMFILE, kTooManyOpenFiles},     // in the process
    {ENFILE, kTooManyOpenFiles},     // in the system
    {EACCES, kAccessDenied},
    {EPERM, kAccessDenied},          // operation not permitted
    {EROFS, kAccessDenied},          // read-only file system
    {EISDIR, kAccessDenied},         // a folder where a file is expected
    {ENOMEM, kNotEnoughMemory},
    {EXDEV, kNotSameDevice},         // rename across devices
    {EEXIST, kFileExists},
    {EIO, kDataError},               // low-level I/O failure
    {EBUSY, kSharingViolation},
    {ETXTBSY, kSharingViolation},    // text file busy
    {EAGAIN, kLockViolation},        // locked
    {EINVAL, kInvalidParameter},
    {ENOSPC, kNoSpaceLeft},
    {EDQUOT, kNoSpaceLeft},          // quota exceeded
    {EILSEQ, kInvalidName},          // a name the file system cannot hold
    {ENAMETOOLONG, kNameTooLong},    // name or path
    {EFBIG, kFileTooLarge},
    {ELOOP, kNameCannotBeResolved},  // too many symbolic links
}};

}  // namespace

std::string ioErrorMessage(int code) {
    for (const CodeMessage& entry : kMessages) {
        if (entry.code == code) return std::string(entry.message);
    }
    return "I/O エラー (" + std::to_string(code) + ")";
}

IoCode ioErrorCode(int errnoValue) {
    for (const ErrnoCode& entry : kErrnoCodes) {
        if (entry.errnoValue == errnoValue) return entry.code;
    }
    return kGeneralFailure;
}

IoCode saveErrorCode(int errnoValue) {
    return errnoValue == ENOENT ? kPathNotFound : ioErrorCode(errnoValue);
}

}  // namespace ventbox
