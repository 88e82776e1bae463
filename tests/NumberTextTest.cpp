// SPDX-License-Identifier: GPL-3.0-or-later
// The number reading and writing the game does without the standard
// library's locale-free conversions, checked against them where the desktop
// has them.
#include "ui/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

double Read(std::string_view text) {
    const auto read = ui::ReadDecimal(text);
    EXPECT_TRUE(read.has_value()) << text;
    EXPECT_FALSE(read && read->outOfRange) << text;
    return read ? read->value : std::nan("");
}

std::string General17(double value) {
    char buffer[40];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, end);
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Under the Portuguese desktop's locale, as Qt sets it, for one test.
class Portuguese {
public:
    Portuguese() : old_(std::setlocale(LC_ALL, nullptr)) {
        set_ = std::setlocale(LC_ALL, "pt_BR.UTF-8") != nullptr;
        if (set_) {
            oldGlobal_ = std::locale::global(std::locale("pt_BR.UTF-8"));
        }
    }
    ~Portuguese() {
        if (set_) {
            std::locale::global(oldGlobal_);
        }
        std::setlocale(LC_ALL, old_.c_str());
    }
    bool set() const { return set_; }

private:
    std::string old_;
    std::locale oldGlobal_;
    bool set_ = false;
};

} // namespace

TEST(NumberText, ReadsPlainDecimals) {
    EXPECT_EQ(Read("2.5"), 2.5);
    EXPECT_EQ(Read(".5"), 0.5);
    EXPECT_EQ(Read("5."), 5.0);
    EXPECT_EQ(Read("-0.25"), -0.25);
    EXPECT_EQ(Read("0.3"), 0.3);
    EXPECT_EQ(Read("007"), 7.0);
    EXPECT_EQ(Read("32767"), 32767.0);
    EXPECT_TRUE(std::signbit(Read("-0")));
    EXPECT_EQ(Read("0.000"), 0.0);
}

TEST(NumberText, ReadsExponents) {
    EXPECT_EQ(Read("1e3"), 1000.0);
    EXPECT_EQ(Read("1E+3"), 1000.0);
    EXPECT_EQ(Read("-1.5e2"), -150.0);
    EXPECT_EQ(Read("25e-1"), 2.5);
    EXPECT_EQ(Read("1e-5"), 0.00001);
    EXPECT_EQ(Read("1e308"), 1e308);
    EXPECT_EQ(Read("1.7976931348623157e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(Read("2.2250738585072014e-308"), std::numeric_limits<double>::min());
    EXPECT_EQ(Read("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(Read("0e999999999999999999999"), 0.0);
}

TEST(NumberText, RefusesWhatIsNotADecimal) {
    for (const char* bad : {"", "-", ".", "-.", "+5", " 5", "5 ", "1e", "1e+", "1.2.3", "0x10",
                            "inf", "nan", "e5", "1,5", "--1", "1e5.0"}) {
        EXPECT_FALSE(ui::ReadDecimal(bad).has_value()) << bad;
    }
}

TEST(NumberText, HugeAndTinyAreOutOfRange) {
    const auto huge = ui::ReadDecimal("1e400");
    ASSERT_TRUE(huge.has_value());
    EXPECT_TRUE(huge->outOfRange);
    EXPECT_EQ(huge->value, Inf);
    const auto negativeHuge = ui::ReadDecimal("-1.8e308");
    ASSERT_TRUE(negativeHuge.has_value());
    EXPECT_TRUE(negativeHuge->outOfRange);
    EXPECT_EQ(negativeHuge->value, -Inf);
    const auto tiny = ui::ReadDecimal("1e-400");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_TRUE(tiny->outOfRange);
    EXPECT_EQ(tiny->value, 0.0);
    const auto belowHalfTheLeast = ui::ReadDecimal("2e-324");
    ASSERT_TRUE(belowHalfTheLeast.has_value());
    EXPECT_TRUE(belowHalfTheLeast->outOfRange);
    const auto hugeExponent = ui::ReadDecimal("1e99999999999999999999999");
    ASSERT_TRUE(hugeExponent.has_value());
    EXPECT_EQ(hugeExponent->value, Inf);
}

TEST(NumberText, LongDigitStringsRoundCorrectly) {
    // A thousand zeros before the digit, made up for by the exponent.
    EXPECT_EQ(Read("0." + std::string(1000, '0') + "1e1000"), 0.1);
    EXPECT_EQ(Read("0." + std::string(1000, '0') + "1e1001"), 1.0);
    EXPECT_EQ(Read("1" + std::string(400, '0') + "e-400"), 1.0);
    EXPECT_EQ(Read("123456789012345678901234567890"), 123456789012345678901234567890.0);
    // Exactly halfway between 1 and the next double rounds to even (1); a
    // digit far beyond the kept ones tips it up.
    const std::string half = "1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(Read(half), 1.0);
    EXPECT_EQ(Read(half + std::string(900, '0') + "1"), std::nextafter(1.0, 2.0));
}

TEST(NumberText, LeadingNumberKeepsItsRules) {
    EXPECT_EQ(ui::LeadingNumber("  +2.5abc"), 2.5);
    EXPECT_EQ(ui::LeadingNumber("\t-.5"), -0.5);
    EXPECT_EQ(ui::LeadingNumber("3e"), 3.0);
    EXPECT_EQ(ui::LeadingNumber("3e+x"), 3.0);
    EXPECT_EQ(ui::LeadingNumber("1e400"), Inf);
    EXPECT_EQ(ui::LeadingNumber("-1e400"), -Inf);
    EXPECT_EQ(ui::LeadingNumber("1e-400"), 0.0);
    EXPECT_EQ(ui::LeadingNumber("abc"), 0.0);
    EXPECT_EQ(ui::LeadingNumber(std::string(500, '9')), Inf);
}

TEST(NumberText, WritesWholeNumbersAsIntegers) {
    EXPECT_EQ(ui::WholeNumberText(0), "0");
    EXPECT_EQ(ui::WholeNumberText(-3), "-3");
    EXPECT_EQ(ui::WholeNumberText(2.5), "2");
    EXPECT_EQ(ui::WholeNumberText(3.5), "4");
    EXPECT_EQ(ui::WholeNumberText(99999999999.0), "99999999999");
    EXPECT_EQ(ui::WholeNumberText(1e20), "100000000000000000000");
}

TEST(NumberText, WritesSeventeenSignificantDigits) {
    EXPECT_EQ(ui::SignificantText(0.3), "0.29999999999999999");
    EXPECT_EQ(ui::SignificantText(-2.5), "-2.5");
    EXPECT_EQ(ui::SignificantText(1e20), "1e+20");
    EXPECT_EQ(ui::SignificantText(1e-7), "9.9999999999999995e-08");
    EXPECT_EQ(ui::SignificantText(123456.75), "123456.75");
    EXPECT_EQ(ui::SignificantText(std::numeric_limits<double>::max()), "1.7976931348623157e+308");
    EXPECT_EQ(ui::SignificantText(std::numeric_limits<double>::denorm_min()),
              "4.9406564584124654e-324");
}

TEST(NumberText, AgreesWithTheStandardConversionsUnderAPortugueseLocale) {
    Portuguese portuguese;
    ASSERT_TRUE(portuguese.set()) << "the pt_BR.UTF-8 locale is missing: run scripts/deps.sh test";
    std::mt19937_64 random(12345);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) {
            continue;
        }
        const std::string written = ui::SignificantText(value);
        ASSERT_EQ(written, General17(value));
        ASSERT_TRUE(SameBits(Read(written), value)) << written;
        // Shorter texts too: every digit count reads as the standard reading does.
        char shortest[40];
        const auto [end, ec] = std::to_chars(shortest, shortest + sizeof shortest, value);
        const std::string text(shortest, end);
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_TRUE(SameBits(Read(text), expected)) << text;
    }
    EXPECT_EQ(ui::WholeNumberText(1234567.0), "1234567");
    EXPECT_EQ(ui::SignificantText(0.5), "0.5");
}
