// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/alignment.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ventbox {
namespace {

constexpr double kLossless = 1e9;

const Alignment& of(const std::vector<Alignment>& alignments, AlignmentFamily family) {
    return alignments[static_cast<std::size_t>(family)];
}

std::vector<Alignment> forQt(double Qt, double Ql, double fo = 100) {
    return alignmentsFor(DriverFigures{200, 50, fo, Qt}, Ql);
}

// Small's coefficients of the box an alignment gives, worked out again from
// alpha, h, Qt and Ql.
struct Polynomial {
    double a1, a2, a3;
};
Polynomial polynomialOf(const Alignment& a, double Qt, double Ql) {
    const double rootH = std::sqrt(a.h);
    return {(Ql + a.h * Qt) / (rootH * Ql * Qt),
            (a.h + (a.alpha + 1 + a.h * a.h) * Ql * Qt) / (a.h * Ql * Qt),
            (a.h * Ql + Qt) / (rootH * Ql * Qt)};
}

// Thiele's table of 1971, without losses: Qt is given to three decimals, so
// each figure must lie between those of Qt ± 0.0005, widened by the
// figure's own rounding; alpha and h by 0.5 % more, the table's own
// precision (it gives B4's Vb/Vas = 1/√2 as 0.7072, and its QB3 tunings lie
// up to 0.5 % above those its own alpha and Qt give).
TEST(Alignments, agreeWithThielesTable) {
    const struct {
        const char* row;
        AlignmentFamily family;
        double Qt, f3, f3Rounding, h, alpha;
    } rows[] = {
        {"1 QB3", AlignmentFamily::QB3, 0.180, 2.68, 0.005, 2.000, 1 / 0.0954},
        {"2 QB3", AlignmentFamily::QB3, 0.209, 2.28, 0.005, 1.730, 1 / 0.1337},
        {"3 QB3", AlignmentFamily::QB3, 0.259, 1.77, 0.005, 1.420, 1 / 0.2242},
        {"4 QB3", AlignmentFamily::QB3, 0.303, 1.45, 0.005, 1.230, 1 / 0.3390},
        {"5 B4", AlignmentFamily::B4, 0.383, 1.000, 0.0005, 1.000, 1 / 0.7072},
        {"6 C4", AlignmentFamily::C4, 0.415, 0.867, 0.0005, 0.927, 1 / 0.9479},
        {"8 C4", AlignmentFamily::C4, 0.518, 0.641, 0.0005, 0.757, 1 / 1.790},
        {"9 C4", AlignmentFamily::C4, 0.557, 0.600, 0.0005, 0.716, 1 / 2.062},
    };
    for (const auto& row : rows) {
        const Alignment low = of(forQt(row.Qt - kSameQt, kLossless), row.family);
        const Alignment high = of(forQt(row.Qt + kSameQt, kLossless), row.family);
        const Alignment at = of(forQt(row.Qt, kLossless), row.family);
        ASSERT_TRUE(at.found) << row.row;
        auto within = [&](double value, double a, double b, double rounding) {
            return value >= std::min(a, b) - rounding && value <= std::max(a, b) + rounding;
        };
        // B4 is one polynomial: its figures do not move with Qt.
        const bool single = row.family == AlignmentFamily::B4;
        const double f3Low = single ? *at.F3 : *low.F3;
        const double f3High = single ? *at.F3 : *high.F3;
        EXPECT_TRUE(within(row.f3 * 100, f3Low, f3High, row.f3Rounding * 100 + 0.01))
            << row.row << " F3 " << *at.F3;
        constexpr double kTablePrecision = 0.005;
        EXPECT_TRUE(within(row.h, single ? at.h : low.h, single ? at.h : high.h,
                           0.0005 + row.h * kTablePrecision))
            << row.row << " h " << at.h;
        EXPECT_TRUE(within(row.alpha, single ? at.alpha : low.alpha,
                           single ? at.alpha : high.alpha,
                           row.alpha * row.alpha * 0.00005 + row.alpha * kTablePrecision))
            << row.row << " alpha " << at.alpha;
    }
}

// Each family's defining property, checked on the box it gives.
TEST(Alignments, giveTheirFamilysPolynomial) {
    const struct {
        AlignmentFamily family;
        double Qt, Ql;
    } cases[] = {
        {AlignmentFamily::QB3, 0.25, 7},  {AlignmentFamily::QB3, 0.35, 20},
        {AlignmentFamily::SBB4, 0.25, 7}, {AlignmentFamily::SBB4, 0.35, 20},
        {AlignmentFamily::C4, 0.55, 7},   {AlignmentFamily::C4, 0.7, 20},
    };
    for (const auto& c : cases) {
        const Alignment a = of(forQt(c.Qt, c.Ql), c.family);
        ASSERT_TRUE(a.found) << alignmentName(c.family) << " " << c.Qt;
        const auto [a1, a2, a3] = polynomialOf(a, c.Qt, c.Ql);
        const std::string what = std::string(alignmentName(c.family)) + " Qt " + std::to_string(c.Qt);
        switch (c.family) {
            case AlignmentFamily::QB3:  // |D(jω)|² has no ω⁶ and no ω⁴ term
                EXPECT_NEAR(a1 * a1, 2 * a2, 1e-6) << what;
                EXPECT_NEAR(a2 * a2 + 2, 2 * a1 * a3, 1e-6) << what;
                break;
            case AlignmentFamily::SBB4:  // fb = fs, and no ω⁴ term
                EXPECT_NEAR(a.h, 1, 1e-9) << what;
                EXPECT_NEAR(a2 * a2 + 2, 2 * a1 * a3, 1e-6) << what;
                break;
            default:  // an equiripple passband peaks by its ripple
                ASSERT_TRUE(a.peak) << what;
                EXPECT_NEAR(a.peak->levelDb, a.rippleDb, 0.005) << what;
                break;
        }
        EXPECT_NEAR(a.Vo, 50 / a.alpha, 1e-9) << what;
        EXPECT_NEAR(a.fb, 100 * a.h, 1e-9) << what;
    }
}

// Figures published for Ql = 7, and which families a driver has.
TEST(Alignments, existOnlyWhereTheDriversQtLies) {
    const std::vector<Alignment> butterworth = forQt(0.4048, 7);
    EXPECT_NEAR(of(butterworth, AlignmentFamily::B4).alpha, 1.0613, 0.0001);
    EXPECT_NEAR(of(butterworth, AlignmentFamily::B4).range->lowest, 0.4048, 0.0001);
    const Alignment bessel = of(forQt(0.3312, 7), AlignmentFamily::BL4);
    ASSERT_TRUE(bessel.found);
    EXPECT_NEAR(bessel.alpha, 1.9076, 0.0001);
    EXPECT_NEAR(bessel.h, 0.97354, 0.00001);

    const struct {
        double Qt;
        std::array<bool, 5> found;  // QB3, SBB4, B4, C4, BL4
    } cases[] = {
        {0.42, {false, false, false, true, false}},
        {0.30, {true, true, false, false, false}},
        {0.405, {false, false, true, true, false}},  // B4 to three decimals
        {0.406, {false, false, false, true, false}},
        {0.331, {true, true, false, false, true}},
        {1.5, {false, false, false, false, false}},  // beyond C4's endless box
    };
    for (const auto& c : cases) {
        const std::vector<Alignment> found = forQt(c.Qt, 7);
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].found, c.found[i]) << c.Qt << " " << alignmentName(found[i].family);
        }
    }
    EXPECT_THROW(forQt(0, 7), NoAlignment);
    EXPECT_THROW(forQt(std::nan(""), 7), NoAlignment);
}

}  // namespace
}  // namespace ventbox
