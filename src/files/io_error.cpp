// SPDX-License-Identifier: GPL-3.0-or-later
#include "io_error.hpp"

#include <array>
#include <string_view>

namespace ventbox {

namespace {

struct CodeMessage {
    int code;
    std::string_view message;
};

// The codes that have a message of their own; every other code is shown by number.
constexpr std::array<CodeMessage, 7> kMessages{{
    {2, "ファイルが見つかりません"},
    {3, "ファイル名の指定が間違っています"},
    {4, "オープンしたファイルが多すぎます"},
    {5, "ファイルへのアクセスが拒否されました"},
    {100, "ファイルの末尾以降を読み込みました"},
    {101, "ディスクがいっぱいです"},
    {106, "入力値が数値ではありません"},
}};

}  // namespace

std::string ioErrorMessage(int code) {
    for (const CodeMessage& entry : kMessages) {
        if (entry.code == code) return std::string(entry.message);
    }
    return "I/O エラー (" + std::to_string(code) + ")";
}

IoError::IoError(int code) : Error(ioErrorMessage(code)), code_(code) {}

}  // namespace ventbox
