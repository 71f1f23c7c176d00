#include "payroll/amount.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

namespace {

using payroll::Fen;

// The fast path must agree with ReadYuan on every text: plain decimals of each shape, texts
// near them, and random texts over the characters that matter.
TEST(ReadAmount, AgreesWithReadYuan) {
    const char* const kTexts[] = {"",
                                  "0",
                                  "0.00",
                                  "1234.56",
                                  "1234.5",
                                  "1234.",
                                  ".5",
                                  ".56",
                                  ".",
                                  "1.234",
                                  "999999999999.99",
                                  "1000000000000",
                                  "1000000000000.00",
                                  "1000000000000.01",
                                  "0999999999999.99",
                                  "12,3",
                                  "-5",
                                  "+5",
                                  "1e3",
                                  " 12 .3 ",
                                  "\u3000100",
                                  "１００",
                                  "12a.00",
                                  "1..2",
                                  "00000000000000000000000001.00",
                                  "99999999999999999999999"};
    for (const char* text : kTexts) {
        EXPECT_EQ(payroll::ReadAmount(text), tax::current::ReadYuan(text)) << '"' << text << '"';
    }
    std::mt19937 random(19);
    const std::string alphabet = "0123456789.  ,-e";
    for (int i = 0; i < 200'000; ++i) {
        std::string text(random() % 17, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        ASSERT_EQ(payroll::ReadAmount(text), tax::current::ReadYuan(text)) << '"' << text << '"';
    }
}

TEST(ReadMonth, Table) {
    const struct {
        const char* text;
        std::optional<int> month;
    } kRows[] = {{"1", 1},
                 {"12", 12},
                 {"03", 3},
                 {" 7\t", 7},
                 {"\u30009", 9},
                 {"0", std::nullopt},
                 {"13", std::nullopt},
                 {"", std::nullopt},
                 {"1.0", std::nullopt},
                 {"一", std::nullopt},
                 {"3月", std::nullopt},
                 {"012", std::nullopt}};
    for (const auto& row : kRows) EXPECT_EQ(payroll::ReadMonth(row.text), row.month) << row.text;
}

TEST(PlainYuan, Table) {
    const struct {
        Fen fen;
        const char* text;
    } kRows[] = {{0, "0.00"},
                 {5, "0.05"},
                 {-80000, "-800.00"},
                 {123456, "1234.56"},
                 {100000000000000, "1000000000000.00"},
                 {std::numeric_limits<Fen>::max(), "92233720368547758.07"},
                 {std::numeric_limits<Fen>::min(), "-92233720368547758.08"}};
    for (const auto& row : kRows) EXPECT_EQ(payroll::PlainYuan(row.fen), row.text) << row.fen;
    // Every amount reads back as itself.
    std::mt19937_64 random(7);
    for (int i = 0; i < 100'000; ++i) {
        const Fen fen = static_cast<Fen>(random() % 100'000'000'000'000ULL);
        ASSERT_EQ(payroll::ReadAmount(payroll::PlainYuan(fen)), fen);
    }
}

}  // namespace
