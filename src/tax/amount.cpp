#include "tax/amount.hpp"

#include "tax/arithmetic.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace tax {
namespace {

constexpr std::string_view kOctalToBits[] = {"000", "001", "010", "011",
                                             "100", "101", "110", "111"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

[[noreturn]] void BeyondDoubleRange() {
    throw ArithmeticError("number beyond the double-precision range");
}

// Spaces, tabs and line feeds count for nothing wherever they stand.
std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') kept.push_back(c);
    }
    return kept;
}

std::string_view LeadingRun(std::string_view s, bool (*accepts)(char)) {
    const auto end = std::find_if_not(s.begin(), s.end(), accepts);
    return s.substr(0, static_cast<std::size_t>(end - s.begin()));
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
}

// A whole number in hexadecimal digits, without sign or prefix, as the
// nearest double. 257 significant hex digits are at least 16^256 = 2^1024.
double HexWholeNumber(std::string_view digits) {
    digits = WithoutLeadingZeros(digits);
    if (digits.empty()) return 0;
    if (digits.size() > 256) BeyondDoubleRange();
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::hex);
    if (ec != std::errc{} || end != digits.data() + digits.size() || std::isinf(value)) {
        BeyondDoubleRange();
    }
    return value;
}

// Octal digits become the same bits written in hexadecimal, so that one
// correctly rounding conversion serves both prefixes.
double OctalWholeNumber(std::string_view digits) {
    digits = WithoutLeadingZeros(digits);
    if (digits.size() > 342) BeyondDoubleRange();  // 8^342 = 2^1026
    std::string bits;
    for (char d : digits) bits += kOctalToBits[d - '0'];
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble = std::stoi(bits.substr(i, 4), nullptr, 2);
        hex += "0123456789abcdef"[nibble];
    }
    return HexWholeNumber(hex);
}

// The parts of the longest decimal number at the start of a text.
struct DecimalNumber {
    bool negative = false;
    std::string_view wholeDigits;
    std::string_view fractionDigits;
    std::int64_t exponent = 0;  // saturated far beyond any double's reach
};

constexpr std::int64_t kExponentCap = 1'000'000'000;

std::int64_t SaturatedExponent(std::string_view digits, bool negative) {
    std::int64_t value = 0;
    for (char d : WithoutLeadingZeros(digits)) {
        value = std::min(value * 10 + (d - '0'), kExponentCap);
    }
    return negative ? -value : value;
}

// Sign, digits with at most one point, then an exponent letter E, e, D or d
// with an optional sign and digits. An exponent letter without digits is
// not part of the number. Returns false when no digit is there at all.
bool ScanDecimal(std::string_view s, DecimalNumber& number) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.negative = s[i++] == '-';
    number.wholeDigits = LeadingRun(s.substr(i), IsDigit);
    i += number.wholeDigits.size();
    if (i < s.size() && s[i] == '.') {
        number.fractionDigits = LeadingRun(s.substr(++i), IsDigit);
        i += number.fractionDigits.size();
    }
    if (number.wholeDigits.empty() && number.fractionDigits.empty()) return false;
    if (i < s.size() && std::string_view("EeDd").find(s[i]) != std::string_view::npos) {
        std::size_t j = i + 1;
        const bool negativeExponent = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::string_view digits = LeadingRun(s.substr(j), IsDigit);
        if (!digits.empty()) number.exponent = SaturatedExponent(digits, negativeExponent);
    }
    return true;
}

// The nearest double to a scanned decimal number. The significant digits are
// handed to std::from_chars in a normal form, at most kKeptDigits of them and
// a sticky 1 for any nonzero rest: a double's rounding is decided within
// 768 significant digits, so the result is the same as with all of them.
double NearestDouble(const DecimalNumber& number) {
    constexpr std::size_t kKeptDigits = 800;
    std::string digits;
    digits.append(number.wholeDigits).append(number.fractionDigits);
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return number.negative ? -0.0 : 0.0;
    const auto last = digits.find_last_not_of('0');

    // Power of ten of the first significant digit.
    const std::int64_t leadExponent = static_cast<std::int64_t>(number.wholeDigits.size()) - 1 -
                                      static_cast<std::int64_t>(first) + number.exponent;
    if (leadExponent > 400) BeyondDoubleRange();
    if (leadExponent < -400) return number.negative ? -0.0 : 0.0;

    std::string normal = digits.substr(first, last - first + 1);
    if (normal.size() > kKeptDigits) {
        normal.resize(kKeptDigits);
        normal.push_back('1');
    }
    const std::int64_t scale = leadExponent - static_cast<std::int64_t>(normal.size() - 1);
    normal += 'e' + std::to_string(scale);

    double value = 0;
    const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec == std::errc::result_out_of_range || std::isinf(value)) {
        if (leadExponent > 0) BeyondDoubleRange();
        value = 0;  // below the smallest subnormal
    }
    return number.negative ? -value : value;
}

// Text of a finite, nonzero value with `digits` significant digits, in plain
// notation for powers of ten from -4 to digits - 1 and in exponent notation
// beyond, trailing zeros dropped. std::to_chars rounds the exact binary value,
// so an exact tie at the last digit goes to the even digit. The power of ten
// is read off the rounded scientific text, so 9999999.5 becomes 1E+07.
// Values below 0.0001 take the exponent notation too: 1.5E-05.
std::string FormatSignificant(double value, int digits) {
    std::array<char, 512> buffer{};
    auto written = [&](std::to_chars_result r) { return std::string(buffer.data(), r.ptr); };
    const std::string scientific =
        written(std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                              std::chars_format::scientific, digits - 1));
    const auto e = scientific.find('e');
    const int power = std::stoi(scientific.substr(e + 1));

    auto trimmed = [](std::string text) {
        if (text.find('.') == std::string::npos) return text;
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
        return text;
    };
    if (power >= -4 && power <= digits - 1) {
        return trimmed(written(std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                             std::chars_format::fixed, digits - 1 - power)));
    }
    std::string exponent = scientific.substr(e + 1);  // sign and two or more digits
    return trimmed(scientific.substr(0, e)) + 'E' + exponent;
}

std::string FormatFinite(double value, int digits) {
    if (!std::isfinite(value)) throw ArithmeticError("amount beyond the double-precision range");
    if (value == 0) return "0";  // negative zero included
    return FormatSignificant(value, digits);
}

}  // namespace

// "&H" and "&O" (either case) start a hexadecimal or octal whole number: its
// digits are read up to the first other character, with no sign, no point
// and no width limit, and the value is the nearest double, never wrapped into
// a negative number; one beyond the double range raises ArithmeticError.
// The prefix with no digit after it reads 0, and so does "&" followed
// directly by digits, which is no prefix.
double ReadAmount(std::string_view text) {
    const std::string s = WithoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        const std::string_view rest = std::string_view(s).substr(2);
        if (s[1] == 'H' || s[1] == 'h') return HexWholeNumber(LeadingRun(rest, IsHexDigit));
        if (s[1] == 'O' || s[1] == 'o') return OctalWholeNumber(LeadingRun(rest, IsOctalDigit));
    }
    DecimalNumber number;
    if (!ScanDecimal(s, number)) return 0;
    return NearestDouble(number);
}

std::string FormatAmount(double amount) { return FormatFinite(checked::ToSingle(amount), 7); }

std::string FormatDoubleAmount(double amount) { return FormatFinite(amount, 15); }

}  // namespace tax
