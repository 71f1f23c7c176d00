#include "tax/tax.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>

namespace {

using tax::ArithmeticError;
using tax::FormatAmount;
using tax::FormatDoubleAmount;
using tax::ReadAmount;

// Test names show the text with anything unprintable escaped.
std::string Escaped(std::string_view text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c > 32 && c < 127) {
            shown += static_cast<char>(c);
        } else {
            static const char* hex = "0123456789ABCDEF";
            shown += std::string("\\x") + hex[c >> 4] + hex[c & 15];
        }
    }
    return shown;
}

struct ReadCase {
    const char* text;
    double amount;
    friend void PrintTo(const ReadCase& c, std::ostream* os) {
        *os << '"' << Escaped(c.text) << '"';
    }
};

class ReadAmountReads : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadAmountReads, TheNumberTheTextStartsWith) {
    const ReadCase& c = GetParam();
    const double read = ReadAmount(c.text);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(c.amount))
        << '"' << c.text << "\" read as " << read;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ReadAmountReads,
    // clang-format off
    testing::Values(
        ReadCase{"", 0}, ReadCase{"-", 0}, ReadCase{"+", 0}, ReadCase{".", 0},
        ReadCase{"abc", 0}, ReadCase{"$5", 0}, ReadCase{"-.", 0}, ReadCase{"e5", 0},
        ReadCase{"12abc", 12}, ReadCase{"1,500", 1}, ReadCase{"2,500", 2},
        ReadCase{"3.5.1", 3.5}, ReadCase{"5-3", 5}, ReadCase{"+7", 7},
        ReadCase{".5", 0.5}, ReadCase{"-.5", -0.5}, ReadCase{"5.", 5},
        ReadCase{"1e3", 1000}, ReadCase{"1d3", 1000}, ReadCase{"1E3", 1000},
        ReadCase{"1D-3", 0.001}, ReadCase{"1e+3", 1000}, ReadCase{"1e", 1},
        ReadCase{"1e+", 1}, ReadCase{"1e-", 1}, ReadCase{"2.5e1x", 25},
        ReadCase{"1e3.5", 1000}, ReadCase{"0.1", 0.1}, ReadCase{"-0", -0.0},
        ReadCase{"0x10", 0}, ReadCase{"1_000", 1}, ReadCase{"\r5", 0},
        // Blanks count for nothing wherever they stand.
        ReadCase{"2 500", 2500}, ReadCase{"1 000", 1000}, ReadCase{" \t\n-1 2 . 5 e 1", -125},
        ReadCase{"1e 3", 1000}, ReadCase{"- 5", -5},
        // Full-width digits and signs are no digits.
        ReadCase{"\xEF\xBC\x95", 0}, ReadCase{"5\xEF\xBC\x95", 5},
        // Hexadecimal and octal whole numbers, never wrapped negative.
        ReadCase{"&H10", 16}, ReadCase{"&hff", 255}, ReadCase{"&HFFFF", 65535},
        ReadCase{"&HFFFFFFFF", 4294967295.0}, ReadCase{"&h1F.5", 31}, ReadCase{"&H", 0},
        ReadCase{"&Hxyz", 0}, ReadCase{"&H-5", 0}, ReadCase{"& H 1 0", 16},
        ReadCase{"&O17", 15}, ReadCase{"&o777", 511}, ReadCase{"&O8", 0},
        ReadCase{"&O178", 15}, ReadCase{"&177", 0}, ReadCase{"&", 0},
        ReadCase{"&O1777777777777777777777", 18446744073709551615.0},
        ReadCase{"&H1FFFFFFFFFFFFF", 9007199254740991.0},
        // Rounds to nearest even beyond 53 bits: 2^53 + 1 is a tie.
        ReadCase{"&H20000000000001", 9007199254740992.0},
        ReadCase{"&H20000000000003", 9007199254740996.0},
        // The edges of the double range.
        ReadCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
        ReadCase{"1.7976931348623158e308", std::numeric_limits<double>::max()},
        ReadCase{"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        ReadCase{"3e-324", std::numeric_limits<double>::denorm_min()},
        ReadCase{"2e-324", 0}, ReadCase{"-1e-400", -0.0}, ReadCase{"1e-999999999999", 0},
        ReadCase{"0e999999999999", 0}, ReadCase{"0.000000000000000000000000001e27", 1}));
// clang-format on

class ReadAmountOverflows : public testing::TestWithParam<const char*> {};

TEST_P(ReadAmountOverflows, BeyondTheDoubleRange) {
    EXPECT_THROW(ReadAmount(GetParam()), ArithmeticError) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Examples, ReadAmountOverflows,
                         testing::Values("1.8e308", "-1.8e308", "1.797693134862315808e308", "1e309",
                                         "1d400", "1e999999999999999999999"));

// Every digit of either base in the lowest places, so that a digit read as
// another, or a place weighed wrongly, changes the value.
TEST(ReadAmount, EveryHexAndOctalDigitInEveryPlace) {
    struct Base {
        const char* prefix;
        const char* digits;
        double radix;
    };
    for (const Base base : {Base{"&H", "0123456789ABCDEF", 16}, Base{"&h", "0123456789abcdef", 16},
                            Base{"&O", "01234567", 8}, Base{"&o", "01234567", 8}}) {
        const std::string_view digits = base.digits;
        for (std::size_t d = 0; d < digits.size(); ++d) {
            for (int place = 0; place < 4; ++place) {
                const std::string text = base.prefix + std::string(1, digits[d]) +
                                         std::string(static_cast<std::size_t>(place), '0');
                EXPECT_EQ(ReadAmount(text), static_cast<double>(d) * std::pow(base.radix, place))
                    << text;
                // The same digit below a leading 1: "&O16" is 14, "&HA1" is 161.
                const std::string under = base.prefix + std::string("1") + digits[d];
                EXPECT_EQ(ReadAmount(under), base.radix + static_cast<double>(d)) << under;
            }
        }
    }
    EXPECT_EQ(ReadAmount("&O10"), 8);
    EXPECT_EQ(ReadAmount("&O1234567"), 342391);
    EXPECT_EQ(ReadAmount("&H89ABCDEF"), 2309737967.0);
    EXPECT_EQ(ReadAmount("&O19"), 1);  // 9 is no octal digit and ends the number
    EXPECT_EQ(ReadAmount("&H1G"), 1);
}

TEST(ReadAmount, HexadecimalAtTheTopOfTheRange) {
    const std::string zeros(242, '0');
    EXPECT_EQ(ReadAmount("&HFFFFFFFFFFFFF8" + zeros), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadAmount("&HFFFFFFFFFFFFFB" + zeros), std::numeric_limits<double>::max());
    EXPECT_THROW(ReadAmount("&HFFFFFFFFFFFFFC" + zeros), ArithmeticError);  // tie goes up
    EXPECT_THROW(ReadAmount("&H" + std::string(256, 'F')), ArithmeticError);
    EXPECT_EQ(ReadAmount("&H" + std::string(100000, '0') + "1"), 1);
    EXPECT_EQ(ReadAmount("&O" + std::string(100000, '0') + "17"), 15);
}

// Glibc's strtod rounds correctly in the "C" locale, a reference made
// independently of std::from_chars.
TEST(ReadAmount, AgreesWithStrtodOnRandomDecimals) {
    std::setlocale(LC_NUMERIC, "C");
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> digitCount(1, 40), digit(0, 9), exponent(-340, 320);
    for (int i = 0; i < 20000; ++i) {
        std::string text = (i % 3 == 0) ? "-" : "";
        const int n = digitCount(random);
        for (int d = 0; d < n; ++d) {
            text += static_cast<char>('0' + digit(random));
            if (d == n / 2 && i % 2) text += '.';
        }
        text += 'e' + std::to_string(exponent(random));
        const double expected = std::strtod(text.c_str(), nullptr);
        if (std::isinf(expected)) {
            EXPECT_THROW(ReadAmount(text), ArithmeticError) << text;
        } else {
            EXPECT_EQ(ReadAmount(text), expected) << text;
        }
    }
}

TEST(ReadAmount, LongTextsStayCheapAndExact) {
    const std::string manyDigits = "1." + std::string(2'000'000, '0') + "1";
    EXPECT_EQ(ReadAmount(manyDigits), 1.0);
    EXPECT_EQ(ReadAmount("0." + std::string(1'000'000, '0') + "1e1000001"), 1);
    EXPECT_EQ(ReadAmount(std::string(1'000'000, ' ') + "42"), 42);
    // Just above the tie between 1 and the next double, decided 1000 digits in.
    const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(ReadAmount(halfway), 1.0);
    EXPECT_EQ(ReadAmount(halfway + std::string(1000, '0') + "1"), std::nextafter(1.0, 2.0));
}

struct FormatCase {
    double amount;
    const char* single;
    const char* full;
    friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.full; }
};

class Formatting : public testing::TestWithParam<FormatCase> {};

TEST_P(Formatting, SevenAndFifteenSignificantDigits) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatAmount(c.amount), c.single) << c.amount;
    EXPECT_EQ(FormatDoubleAmount(c.amount), c.full) << c.amount;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Formatting,
    testing::Values(
        FormatCase{45, "45", "45"}, FormatCase{0, "0", "0"}, FormatCase{-0.0, "0", "0"},
        FormatCase{-20, "-20", "-20"}, FormatCase{0.1, "0.1", "0.1"},
        FormatCase{0.1 + 0.2, "0.3", "0.3"}, FormatCase{1234.5678, "1234.568", "1234.5678"},
        FormatCase{1.0 / 3, "0.3333333", "0.333333333333333"},
        FormatCase{1234567, "1234567", "1234567"}, FormatCase{12345678, "1.234568E+07", "12345678"},
        FormatCase{0.0001, "0.0001", "0.0001"}, FormatCase{9999999.5, "1E+07", "9999999.5"},
        FormatCase{9999999, "9999999", "9999999"},
        FormatCase{-12345678, "-1.234568E+07", "-12345678"}, FormatCase{1e15, "1E+15", "1E+15"},
        FormatCase{999999999999999.4, "1E+15", "999999999999999"},
        FormatCase{999999999999999.5, "1E+15", "1E+15"},
        FormatCase{123456789012345678.0, "1.234568E+17", "1.23456789012346E+17"},
        FormatCase{1e38, "1E+38", "1E+38"}, FormatCase{0.000099999999, "0.0001", "9.9999999E-05"},
        FormatCase{0.00001234567, "1.234567E-05", "1.234567E-05"},
        FormatCase{6958.3325, "6958.333", "6958.3325"}, FormatCase{1e-50, "0", "1E-50"}));

TEST(Formatting, BeyondTheSingleRangeIsAnArithmeticError) {
    EXPECT_THROW(FormatAmount(3.5e38), ArithmeticError);
    EXPECT_THROW(FormatAmount(-1e300), ArithmeticError);
    EXPECT_THROW(FormatDoubleAmount(std::numeric_limits<double>::infinity()), ArithmeticError);
    EXPECT_EQ(FormatAmount(std::numeric_limits<float>::max()), "3.402823E+38");
    EXPECT_EQ(FormatAmount(0x1.fffffefffffffp+127), "3.402823E+38");  // rounds down to the max
    EXPECT_THROW(FormatAmount(0x1.ffffffp+127), ArithmeticError);     // rounds up to infinity
}

// 2^128 - 2^103 lies halfway between the largest single and the next power
// of two, so it rounds up to infinity: it is the first magnitude refused.
TEST(SingleConversion, RefusesExactlyFromTheHalfwayPointUp) {
    constexpr double kFirstRefused = 0x1.ffffffp+127;
    const double lastAccepted = std::nextafter(kFirstRefused, 0.0);
    for (const double sign : {1.0, -1.0}) {
        EXPECT_THROW(tax::checked::ToSingle(sign * kFirstRefused), ArithmeticError) << sign;
        EXPECT_EQ(tax::checked::ToSingle(sign * lastAccepted),
                  sign * std::numeric_limits<float>::max())
            << sign;
    }
    EXPECT_THROW(tax::checked::ToSingle(std::numeric_limits<double>::quiet_NaN()), ArithmeticError);
    // A rule whose product lands on the halfway point exactly raises as well.
    EXPECT_EQ(0x1.3fffff6p+130 * 0.2, kFirstRefused);
    EXPECT_THROW(tax::InterestDividendTax(0x1.3fffff6p+130), ArithmeticError);
    EXPECT_EQ(tax::InterestDividendTax(std::nextafter(0x1.3fffff6p+130, 0.0)),
              std::numeric_limits<float>::max());
}

TEST(Formatting, TextIsTheSameWhateverTheLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_ALL, "C.UTF-8");
    EXPECT_EQ(FormatAmount(1234.5678), "1234.568");
    EXPECT_EQ(ReadAmount("2.5"), 2.5);
    std::setlocale(LC_ALL, saved.c_str());
}

// What a window shows reads back as what it showed (but just below a power of
// ten, where the value read back may fall into the decade below and show one
// digit more); amounts of up to seven significant digits, such as taxes in
// fen below 100000, read back as the very same single value.
TEST(Formatting, SingleTextReadsBackToItself) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-4, 12);
    for (int i = 0; i < 50000; ++i) {
        const double amount = std::pow(10.0, magnitude(random)) * (i % 2 ? -1 : 1);
        const std::string text = FormatAmount(amount);
        ASSERT_EQ(FormatAmount(ReadAmount(text)), text) << amount;
        ASSERT_EQ(text.find_first_of(" ,"), std::string::npos) << text;
        const auto plus = text.find('+');
        ASSERT_TRUE(plus == std::string::npos || text[plus - 1] == 'E') << text;
        const double inFen = std::round(std::fmod(std::fabs(amount), 1e5) * 100) / 100;
        ASSERT_EQ(static_cast<float>(ReadAmount(FormatAmount(inFen))), static_cast<float>(inFen))
            << inFen;
    }
}

TEST(Formatting, DoubleTextReadsBackWithinFifteenDigits) {
    std::mt19937_64 random(8);
    std::uniform_real_distribution<double> magnitude(-3, 14);
    for (int i = 0; i < 50000; ++i) {
        const double amount = std::pow(10.0, magnitude(random));
        const double back = ReadAmount(FormatDoubleAmount(amount));
        ASSERT_LE(std::fabs(back - amount), std::fabs(amount) * 5e-15) << amount;
    }
}

}  // namespace
