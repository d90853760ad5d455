// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "file_test_support.hpp"
#include "files/cp932.hpp"

namespace ventbox {
namespace {

using test::exampleDesign;
using test::readBytes;
using test::RecordingTarget;
using test::TempDir;
using test::writeBytes;

TEST(Cp932, convertsNamesBothWaysAndReplacesWhatIsNotCodePage932) {
    const struct {
        const char* bytes;
        const char* utf8;
    } cases[] = {
        {"FW208Kolvex", "FW208Kolvex"},
        {"\x90\xdd\x8c\x76", "設計"},
        {"a\\b~", "a\\b~"},
        {"\xb1", "ｱ"},  // half-width kana, one byte
        {"\x83\x5c", "ソ"},  // the trail byte is the ASCII backslash
        {"x\x81", "x\xEF\xBF\xBD"},  // a lead byte cut off at the end
        {"\xFFy", "\xEF\xBF\xBDy"},
        {"\x81\x20z", "\xEF\xBF\xBD z"},  // an invalid trail byte starts again
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932ToUtf8(c.bytes), c.utf8) << c.bytes;
    }
    for (const char* name : {"FW208Kolvex", "設計", "ｱ", "ソ", "a\\b~"}) {
        const std::optional<std::string> bytes = utf8ToCp932(name);
        ASSERT_TRUE(bytes) << name;
        EXPECT_EQ(cp932ToUtf8(*bytes), name);
    }
    EXPECT_FALSE(utf8ToCp932("\xF0\x9F\x98\x80"));  // U+1F600 has no code
    EXPECT_FALSE(utf8ToCp932("abc\xC3"));           // not UTF-8
}

// Code page 932 gives some characters the same bytes and holds some plain
// Shift_JIS has not. A design loads under the name it was saved as; a copy
// of its file under another name shows what the bytes decode to.
TEST(Cp932, namesSaveAndLoadBackAsTyped) {
    const struct {
        const char* name;
        const char* line;
        const char* decoded;
    } cases[] = {
        {"FW〜1 −2", "FW\x81\x60" "1 \x81\x7c" "2", "FW～1 －2"},
        {"～①㍑Ⅱ￢∥", "\x81\x60\x87\x40\x87\x67\x87\x55\x81\xca\x81\x61", "～①㍑Ⅱ￢∥"},
        {"a\\b", "a\\b", "a\\b"},
        {"¥‾—‖¢", "\\~\x81\x5c\x81\x61\x81\x91", "\\~―∥￠"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = designFilePath(dir.folder(), c.name);
        saveDesignFile(dir.folder(), exampleDesign(c.name), false);
        const std::string bytes = readBytes(path);
        EXPECT_EQ(bytes.substr(250, bytes.size() - 259), c.line) << c.name;
        writeBytes(dir.file("copy.dat"), bytes);
        RecordingTarget own;
        RecordingTarget copy;
        ASSERT_TRUE(loadDesignFile(path, own));
        ASSERT_TRUE(loadDesignFile(dir.file("copy.dat"), copy));
        EXPECT_EQ(own.name, c.name);
        EXPECT_EQ(copy.name, c.decoded);
    }
}

}  // namespace
}  // namespace ventbox
