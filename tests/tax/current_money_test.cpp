#include "tax/current.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace {

using tax::current::Fen;
using tax::current::FormatYuan;
using tax::current::ReadYuan;

struct ReadCase {
    const char* text;
    std::optional<Fen> fen;
};

TEST(CurrentReadYuan, AcceptsDigitsWithAPointAndBlanks) {
    // clang-format off
    const ReadCase cases[] = {
        {"", 0}, {"   ", 0}, {"\t", 0}, {"\u3000", 0}, {"0", 0}, {"00", 0}, {"0.00", 0},
        {"15730", 1'573'000}, {"15730.5", 1'573'050}, {"15730.05", 1'573'005},
        {" 1 5 730 . 0\t5 ", 1'573'005}, {"\u3000" "12\u3000", 1'200}, {"007", 700},
        {"1.", 100}, {".5", 50}, {".05", 5}, {"0.01", 1},
        {"999999999999.99", 99'999'999'999'999}, {"1000000000000", 100'000'000'000'000},
        {"1000000000000.00", 100'000'000'000'000},
        {"000000000000000000000001000000000000", 100'000'000'000'000},
    };
    // clang-format on
    for (const ReadCase& c : cases) EXPECT_EQ(ReadYuan(c.text), c.fen) << '"' << c.text << '"';
}

TEST(CurrentReadYuan, RefusesEverythingElse) {
    // clang-format off
    const char* refused[] = {
        ".", " . ", "..", "1..", "1.2.3", "1.234", "-1", "+1", "-0", "1e3", "1E3", "1,000",
        "1，000", "１２", "abc", "12a", "0x10", "1\n", "\r", "\u00a0" "1", "\xe3\x80" "1",
        "1000000000000.01", "1000000000001", "99999999999999999999999",
        "18446744073709551616", "\xef\xbc\x8e" "5",
    };
    // clang-format on
    for (const char* text : refused) EXPECT_EQ(ReadYuan(text), std::nullopt) << '"' << text << '"';
}

TEST(CurrentFormatYuan, TwoDecimalsGroupedInThrees) {
    const struct {
        Fen fen;
        const char* text;
        // clang-format off
    } cases[] = {
        {0, "0.00"}, {1, "0.01"}, {10, "0.10"}, {99, "0.99"}, {100, "1.00"}, {-1, "-0.01"},
        {-80'000, "-800.00"}, {1'573'000, "15,730.00"}, {1'200, "12.00"}, {12'300, "123.00"},
        {123'400, "1,234.00"}, {1'234'500, "12,345.00"}, {12'345'600, "123,456.00"},
        {123'456'700, "1,234,567.00"}, {1'234'567'800, "12,345,678.00"},
        {12'345'678'900, "123,456,789.00"}, {123'456'789'000, "1,234,567,890.00"},
        {1'234'567'890'100, "12,345,678,901.00"}, {12'345'678'901'200, "123,456,789,012.00"},
        {123'456'789'012'300, "1,234,567,890,123.00"},
        {1'234'567'890'123'400, "12,345,678,901,234.00"},
        {12'345'678'901'234'500, "123,456,789,012,345.00"},
        {123'456'789'012'345'600, "1,234,567,890,123,456.00"},
        {99'999'999'999'999, "999,999,999,999.99"},
        {100'000'000'000'000, "1,000,000,000,000.00"},
        {-100'000'000'000'000, "-1,000,000,000,000.00"},
        {std::numeric_limits<Fen>::max(), "92,233,720,368,547,758.07"},
        {std::numeric_limits<Fen>::min(), "-92,233,720,368,547,758.08"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(FormatYuan(c.fen), c.text) << c.fen;
}

}  // namespace
