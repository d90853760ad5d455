// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a design file. Every value that reads without an
// error must be one the writer can write and the reader read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/errors.hpp"
#include "calc/number_text.hpp"
#include "files/design_reader.hpp"
#include "files/file_number.hpp"

namespace {

class CheckingTarget : public ventbox::LoadTarget {
public:
    void storeValue(ventbox::Field, double value) override {
        stored = value;
        const std::string line = ventbox::fileNumberText(value);
        if (line.size() != 23) std::abort();
        if (!std::isfinite(value)) return;
        if (ventbox::parseFileNumber(std::string_view(line).substr(line[0] == ' ')).malformed) {
            std::abort();
        }
    }
    void showValue(ventbox::Field) override {
        if (ventbox::displayText(stored).empty()) std::abort();
    }
    void setName(const std::string&) override {}
    void showName() override {}
    void checkPipe() override {}

private:
    double stored = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ventbox::BufferSource source(
        std::string_view(reinterpret_cast<const char*>(data), size));
    CheckingTarget target;
    try {
        ventbox::readDesign(source, target);
    } catch (const ventbox::Error&) {
        // A malformed number or one beyond the double range: a reported error.
    }
    return 0;
}
