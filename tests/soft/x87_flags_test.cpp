// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <cstring>
#include <string>

#include "calc/soft_extended.hpp"
#include "calc/x87_extended.hpp"
#include "edge_rows.hpp"
#include "operand_generator.hpp"
#include "sweep_count.hpp"

namespace ventbox {
namespace {

using edge::Bits;
using edge::hex;
using edge::make;
using edge::Operation;
using S = SoftExtended;

long double hardware(Bits b) {
    long double v = 0;
    std::memcpy(&v, &b.significand, 8);
    std::memcpy(reinterpret_cast<unsigned char*>(&v) + 8, &b.signExponent, 2);
    return v;
}

// The unit also flags signalling NaNs and the encodings it rejects as
// invalid; the faults of both types leave those to the NaN they give.
bool flagsAgreeWithFaults(Bits b) {
    const S x = make<S>(b);
    const bool signalling = x.isNaN() && (b.significand >> 62) != 3;
    return !signalling && !(x.isNaN() && (b.signExponent & 0x7FFF) != 0x7FFF);
}

unsigned hardwareFaults() {
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    return ((raised & FE_INVALID) != 0 ? kInvalid : 0u) |
           ((raised & FE_DIVBYZERO) != 0 ? kZeroDivide : 0u) |
           ((raised & FE_OVERFLOW) != 0 ? kOverflow : 0u);
}

unsigned hardwareOperation(Operation op, Bits a, Bits b) {
    volatile long double x = hardware(a), y = hardware(b);
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile long double r = 0;
    switch (op) {
    case Operation::Add: r = x + y; break;
    case Operation::Sub: r = x - y; break;
    case Operation::Mul: r = x * y; break;
    case Operation::Div: r = x / y; break;
    case Operation::Sqrt: r = sqrtl(x); break;
    }
    (void)r;
    return hardwareFaults();
}

unsigned hardwareToDouble(Bits a) {
    volatile long double x = hardware(a);
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile double d = static_cast<double>(x);
    (void)d;
    return hardwareFaults();
}

// The fault rules both types share, checked against the unit's own flags.
TEST(SoftAgainstX87Flags, faultsAreTheFlagsTheUnitRaises) {
    X87Extended::ModeGuard mode;
    OperandGenerator g(0x666C616773);
    std::uint64_t differences = 0;
    std::string first;
    auto check = [&](const std::string& what, unsigned soft, unsigned unit) {
        if (soft != unit && ++differences <= 8) {
            first += what + ": soft " + std::to_string(soft) + ", unit " + std::to_string(unit) + "\n";
        }
    };
    // Each draw checks six operations, each between two status-word reads.
    for (std::uint64_t i = 0, n = sweepCount() / 10; i < n; ++i) {
        const auto [a, b] = i % 3 == 0 ? g.addOperands() : i % 3 == 1 ? g.mulOperands() : g.divOperands();
        if (!flagsAgreeWithFaults(a) || !flagsAgreeWithFaults(b)) continue;
        for (Operation op : {Operation::Add, Operation::Sub, Operation::Mul, Operation::Div}) {
            unsigned faults = 0;
            edge::apply(op, make<S>(a), make<S>(b), faults);
            check(hex(a) + " op" + std::to_string(static_cast<int>(op)) + " " + hex(b), faults,
                  hardwareOperation(op, a, b));
        }
        const Bits c = g.sqrtOperand();
        if (flagsAgreeWithFaults(c)) {
            unsigned faults = 0;
            S::sqrt(make<S>(c), faults);
            check("sqrt " + hex(c), faults, hardwareOperation(Operation::Sqrt, c, c));
        }
        const Bits d = g.toDoubleOperand();
        if (flagsAgreeWithFaults(d)) {
            unsigned faults = 0;
            S::toDouble(make<S>(d), faults);
            check("toDouble " + hex(d), faults, hardwareToDouble(d));
        }
    }
    EXPECT_EQ(differences, 0u) << first;
}

}  // namespace
}  // namespace ventbox
