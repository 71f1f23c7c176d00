#include "random_input.hpp"

#include <iterator>

namespace monkey {
namespace {

struct Range {
    char32_t low;
    char32_t high;
    int weight;
};

// Weighted towards what an amount field meets most, but every kind is there:
// the filter's boundary at 58 and at 0x8000 is crossed on both sides.
// clang-format off
constexpr Range kCharacters[] = {
    {'0', '9', 30},         {' ', '/', 12},          {':', '~', 14},         {0x00, 0x1F, 4},
    {0x7F, 0x7F, 1},        {0x80, 0x7FF, 5},        {0x4E00, 0x7FFF, 8},    {0x8000, 0x9FFF, 8},
    {0xAC00, 0xD7A3, 2},    {0xE000, 0xF8FF, 2},     {0xFF01, 0xFF5E, 3},    {0xFDD0, 0xFDEF, 1},
    {0xFFFD, 0xFFFD, 1},    {0x200B, 0x200F, 2},     {0x00AD, 0x00AD, 1},    {0xFEFF, 0xFEFF, 1},
    {0x1F600, 0x1F64F, 2},  {0x20000, 0x2A6DF, 1},   {0x0000, 0xD7FF, 3},
};
// clang-format on

// Amounts around the tables' bounds, beyond the double and the single range,
// below the smallest double, and readings that stop early.
// clang-format off
const char* const kSpecialAmounts[] = {
    "0", "800", "800.01", "1500", "2000", "3500", "4000", "4000.01", "4800", "5000", "9999.99",
    "10000", "10000.01", "20000", "50000", "80000", "100000", "1e5", "1e6", "1.5e8", "-100",
    "1e308", "1.7976931348623157e308", "1.8e308", "-1e309", "1e400", "1e39", "3.4e38", "4e38",
    "-4e38", "1e38", "1e-320", "4.9e-324", "1e-400", "0.0000001", "1,500", "3.5.1", "5-3", "--5",
    "+-1", ".e3", "1e", "1e+", "1d3", "1D-2", "&H", "&HFFFF", "&h7fffffff", "&HFFFFFFFFFFFFFFFFFFFF",
    "&O777", "&o9", "&12", " 1 000 ", "1\t2", "1\n2", "0x10", "inf", "nan", "-", "+", ".", "",
    "\xef\xbc\x91\xef\xbc\x92\xef\xbc\x93",  // full-width 123
};
// clang-format on

}  // namespace

int RandomInput::Below(int bound) {
    return std::uniform_int_distribution<int>(0, bound - 1)(engine_);
}
int RandomInput::Between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(engine_);
}
bool RandomInput::Chance(int percent) { return Below(100) < percent; }

char32_t RandomInput::CodePoint() {
    int total = 0;
    for (const Range& range : kCharacters) total += range.weight;
    int pick = Below(total);
    for (const Range& range : kCharacters) {
        if (pick < range.weight) {
            return std::uniform_int_distribution<char32_t>(range.low, range.high)(engine_);
        }
        pick -= range.weight;
    }
    return '0';
}

QString RandomInput::Character() {
    const char32_t code = CodePoint();
    // fromUcs4 would drop a NUL, which is a character to type like any other.
    if (code < 0x10000) return QString(QChar(static_cast<char16_t>(code)));
    return QString::fromUcs4(&code, 1);
}

QString RandomInput::Characters(int count) {
    QString text;
    for (int i = 0; i < count; ++i) text += Character();
    return text;
}

QString RandomInput::Commit() {
    QString text;
    const int count = Between(1, 6);
    for (int i = 0; i < count; ++i) {
        if (Chance(5)) text += QChar(static_cast<char16_t>(Between(0xD800, 0xDFFF)));
        else if (Chance(60)) text += QChar(static_cast<char16_t>(Between(0x4E00, 0x9FFF)));
        else text += Character();
    }
    return text;
}

QString RandomInput::SpecialAmount() {
    return QString::fromUtf8(kSpecialAmounts[Below(static_cast<int>(std::size(kSpecialAmounts)))]);
}

QString RandomInput::PlainAmount() {
    QString text;
    if (Chance(20)) text += Chance(50) ? '-' : '+';
    const int digits = Chance(5) ? Between(20, 400) : Between(1, 7);
    for (int i = 0; i < digits; ++i) text += QChar('0' + Below(10));
    if (Chance(35)) text += '.' + QString::number(Below(100));
    if (Chance(10)) {
        text += QString("EeDd")[Below(4)];
        if (Chance(50)) text += Chance(50) ? '-' : '+';
        text += QString::number(Chance(50) ? Below(40) : Below(500));
    }
    return text;
}

QString RandomInput::Amount() {
    QString text = Chance(30) ? SpecialAmount() : PlainAmount();
    if (Chance(5)) text.insert(Below(static_cast<int>(text.size()) + 1), ' ');
    return text;
}

QString RandomInput::Pasted() {
    const int kind = Below(100);
    if (kind < 50) return Amount();
    if (kind < 65) return Amount() + Characters(Between(1, 5));
    if (kind < 80) return Characters(Between(1, 20));
    if (kind < 85) return Amount() + QString(Chance(50) ? "\n" : "\r\n") + Amount();
    if (kind < 90) return Commit() + Amount();
    if (kind < 92) return QString();
    if (kind < 94) return '1' + QString(Between(30000, 40000), '0');
    if (kind < 95) return Characters(Between(30000, 34000));
    return SpecialAmount();
}

}  // namespace monkey
