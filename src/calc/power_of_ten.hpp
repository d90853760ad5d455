// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "extended.hpp"

namespace ventbox {

// A power of ten as the extended value nearest to it: m × 2^e.
struct PowerOfTen {
    std::uint64_t m;
    int e;
};

// 10^0 to 10^31: exact up to 10^27, the nearest extended value from 10^28 on.
// Each generated from the exact integer power rounded to 64 bits, ties to
// even, as the tests derive it again; so are the two tables below.
inline constexpr std::array<PowerOfTen, 32> kSmallPowersOfTen{{
    {0x8000000000000000, -63}, {0xA000000000000000, -60}, {0xC800000000000000, -57},
    {0xFA00000000000000, -54}, {0x9C40000000000000, -50}, {0xC350000000000000, -47},
    {0xF424000000000000, -44}, {0x9896800000000000, -40}, {0xBEBC200000000000, -37},
    {0xEE6B280000000000, -34}, {0x9502F90000000000, -30}, {0xBA43B74000000000, -27},
    {0xE8D4A51000000000, -24}, {0x9184E72A00000000, -20}, {0xB5E620F480000000, -17},
    {0xE35FA931A0000000, -14}, {0x8E1BC9BF04000000, -10}, {0xB1A2BC2EC5000000, -7},
    {0xDE0B6B3A76400000, -4},  {0x8AC7230489E80000, 0},   {0xAD78EBC5AC620000, 3},
    {0xD8D726B7177A8000, 6},   {0x878678326EAC9000, 10},  {0xA968163F0A57B400, 13},
    {0xD3C21BCECCEDA100, 16},  {0x84595161401484A0, 20},  {0xA56FA5B99019A5C8, 23},
    {0xCECB8F27F4200F3A, 26},  {0x813F3978F8940984, 30},  {0xA18F07D736B90BE5, 33},
    {0xC9F2C9CD04674EDF, 36},  {0xFC6F7C4045812296, 39},
}};

// 10^(32 j) for j = 1 to 15, each the nearest extended value.
inline constexpr std::array<PowerOfTen, 15> kMediumPowersOfTen{{
    {0x9DC5ADA82B70B59E, 43},   {0xC2781F49FFCFA6D5, 149},  {0xEFB3AB16C59B14A3, 255},
    {0x93BA47C980E98CE0, 362},  {0xB616A12B7FE617AA, 468},  {0xE070F78D3927556B, 574},
    {0x8A5296FFE33CC930, 681},  {0xAA7EEBFB9DF9DE8E, 787},  {0xD226FC195C6A2F8C, 893},
    {0x81842F29F2CCE376, 1000}, {0x9FA42700DB900AD2, 1106}, {0xC4C5E310AEF8AA17, 1212},
    {0xF28A9C07E9B09C59, 1318}, {0x957A4AE1EBF7F3D4, 1425}, {0xB83ED8DC0795A262, 1531},
}};

// 10^(512 k) for k = 1 to 9, each the nearest extended value.
inline constexpr std::array<PowerOfTen, 9> kLargePowersOfTen{{
    {0xE319A0AEA60E91C7, 1637},  {0xC976758681750C17, 3338},  {0xB2B8353B3993A7E4, 5039},
    {0x9E8B3B5DC53D5DE5, 6740},  {0x8CA554C020A1F0A6, 8441},  {0xF9895D25D88B5A8B, 10141},
    {0xDD5DC8A2BF27F3F8, 11842}, {0xC46052028A20979B, 13543}, {0xAE3511626ED559F0, 15244},
}};

// 10^p as the extended value the tables give for 0 <= p < 32.
Extended smallPowerOfTen(int p);

// x × 10^p through the three tables, one rounded operation per factor; the
// faults raised are or-ed into `faults`. |p| >= 5120 gives zero or infinity.
Extended scaleByPowerOfTen(Extended x, int p, unsigned& faults);

}  // namespace ventbox
