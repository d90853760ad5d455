// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp932.hpp"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "error_codes.hpp"
#include "io_error.hpp"

namespace ventbox {

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One conversion descriptor for one call; closed on every path.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false at the first byte it cannot
    // take, leaving `in` there.
    bool convert(std::string_view& in, std::string& out) {
        char buffer[256];
        while (!in.empty()) {
            char* inPtr = const_cast<char*>(in.data());
            std::size_t inLeft = in.size();
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            in.remove_prefix(in.size() - inLeft);
            if (result == static_cast<std::size_t>(-1) && error != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::string cp932ToUtf8(std::string_view bytes) {
    if (isAscii(bytes)) return std::string(bytes);
    std::string out;
    Converter converter("UTF-8", "CP932");
    // Without the code page every name beyond ASCII would come back replaced,
    // and the next save would write it so.
    if (!converter.valid()) throw IoError(kNoMapping);
    while (!bytes.empty()) {
        if (converter.convert(bytes, out)) break;
        // An invalid or cut-off sequence: replace its first byte and go on
        // with the next, which may start a valid character.
        const auto c = static_cast<unsigned char>(bytes.front());
        if (c < 0x80) {
            out += bytes.front();
        } else {
            out += kReplacementCharacter;
        }
        bytes.remove_prefix(1);
    }
    return out;
}

std::optional<std::string> utf8ToCp932(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    std::string out;
    Converter converter("CP932", "UTF-8");
    if (!converter.valid() || !converter.convert(text, out)) return std::nullopt;
    return out;
}

}  // namespace ventbox
