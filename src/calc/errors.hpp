// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace ventbox {

// Every failure the user sees carries its exact message; the shell reports it.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class InvalidOperation : public Error {
public:
    InvalidOperation() : Error("不正な浮動小数点数演算命令") {}
};

class ZeroDivide : public Error {
public:
    ZeroDivide() : Error("0 による浮動小数点数除算") {}
};

class Overflow : public Error {
public:
    Overflow() : Error("浮動小数点数のオーバーフロー") {}
};

// A field text that is not a number; the message quotes the text unchanged.
class ConversionError : public Error {
public:
    explicit ConversionError(const std::string& text)
        : Error("'" + text + "' は浮動小数点数ではありません") {}
};

}  // namespace ventbox
