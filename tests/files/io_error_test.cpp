// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>

#include "files/error_codes.hpp"
#include "files/io_error.hpp"

namespace ventbox {
namespace {

// The codes and their messages stand in one table; what can go wrong here is
// the lookup: a code with a message, one without, and a save's reading of a
// missing entry on the way as a missing folder.
TEST(IoError, givesTheMessageOfItsCodeOrTheCodeInNumbers) {
    EXPECT_STREQ(IoError(2).what(), "ファイルが見つかりません");
    EXPECT_STREQ(IoError(1113).what(), "I/O エラー (1113)");
    EXPECT_EQ(IoError(1113).code(), 1113);
}

TEST(IoErrorCode, mapsSystemErrorsOntoTheCodesTheMessagesUse) {
    const struct {
        int errnoValue;
        int code;
        int saveCode;
    } cases[] = {
        {ENOENT, 2, 3},
        {EACCES, 5, 5},
        {EPIPE, 31, 31},  // no failure of its own kind: a general failure
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ioErrorCode(c.errnoValue), c.code) << c.errnoValue;
        EXPECT_EQ(saveErrorCode(c.errnoValue), c.saveCode) << c.errnoValue;
    }
}

}  // namespace
}  // namespace ventbox
