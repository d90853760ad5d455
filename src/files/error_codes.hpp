// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace ventbox {

// The codes of the I/O error, each the number a failure of that kind has on
// the system whose codes the window's file messages are keyed on, so that a
// failure reads the same whatever system reported it.
enum IoCode : int {
    kFileNotFound = 2,
    kPathNotFound = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kNotEnoughMemory = 8,
    kNotSameDevice = 17,
    kDataError = 23,
    kGeneralFailure = 31,
    kSharingViolation = 32,
    kLockViolation = 33,
    kFileExists = 80,
    kInvalidParameter = 87,
    kReadBeyondEnd = 100,
    kDiskFull = 101,
    kMalformedNumber = 106,
    kNoSpaceLeft = 112,
    kInvalidName = 123,
    kNameTooLong = 206,
    kFileTooLarge = 223,
    kNoMapping = 1113,
    kNameCannotBeResolved = 1921,
};

// The message of a code: its own text, or the code in numbers.
std::string ioErrorMessage(int code);

// The code of an operating-system error number.
IoCode ioErrorCode(int errnoValue);

// The same for a step of a save: a missing entry on the way to the file
// means the folder is missing, not the file.
IoCode saveErrorCode(int errnoValue);

}  // namespace ventbox
