// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ventbox {

// Codes of the I/O error that the design files raise themselves.
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kInvalidName = 123;
inline constexpr int kMalformedNumber = 106;
inline constexpr int kNoMapping = 1113;

// The I/O error code of an operating-system error number: the code the
// window's file messages are keyed on, so that a failure reads the same
// whatever system reported it.
int ioErrorCode(int errnoValue);

// The same for a step of a save: a missing entry on the way to the file
// means the folder is missing, not the file.
int saveErrorCode(int errnoValue);

}  // namespace ventbox
