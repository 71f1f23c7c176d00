#include "payroll/amount.hpp"

#include <array>
#include <cstdint>
#include <cstring>

namespace payroll {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Twelve digits stay below ReadYuan's limit of 10^12 yuan, so a plain decimal with at most
// twelve before its point needs no range check.
constexpr std::size_t kPlainWholeDigits = 12;

// "D", "D.", "D.d", "D.dd", ".d" and ".dd" with D at most twelve digits: the value in fen,
// or nullopt for any other text (ReadYuan then decides).
std::optional<Fen> PlainDecimal(std::string_view text) {
    std::size_t i = 0;
    std::int64_t yuan = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (i == kPlainWholeDigits) return std::nullopt;
        yuan = yuan * 10 + (text[i] - '0');
    }
    const std::size_t whole = i;
    std::int64_t fen = 0;
    std::size_t decimals = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]) && decimals < 3) {
            fen = fen * 10 + (text[i++] - '0');
            ++decimals;
        }
        if (decimals > 2) return std::nullopt;
        if (decimals == 1) fen *= 10;
    }
    if (i != text.size() || whole + decimals == 0) return std::nullopt;
    return yuan * 100 + fen;
}

bool IsBlankAt(std::string_view text, std::size_t i, std::size_t& width) {
    if (text[i] == ' ' || text[i] == '\t') {
        width = 1;
        return true;
    }
    if (text.substr(i).starts_with("\u3000")) {
        width = 3;
        return true;
    }
    return false;
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t width = 0;
    while (!text.empty() && IsBlankAt(text, 0, width)) text.remove_prefix(width);
    while (!text.empty()) {
        if (text.back() == ' ' || text.back() == '\t') {
            text.remove_suffix(1);
        } else if (text.ends_with("\u3000")) {
            text.remove_suffix(3);
        } else {
            break;
        }
    }
    return text;
}

}  // namespace

std::optional<Fen> ReadAmount(std::string_view cell) {
    const std::size_t n = cell.size();
    if (n == 0) return 0;
    // "D.dd", the form spreadsheets write amounts in, without a loop's branches per character.
    if (n >= 4 && n <= kPlainWholeDigits + 3 && cell[n - 3] == '.') {
        std::uint64_t yuan = 0;
        bool digits = IsDigit(cell[n - 2]) && IsDigit(cell[n - 1]);
        for (std::size_t i = 0; i + 3 < n; ++i) {
            digits = digits && IsDigit(cell[i]);
            yuan = yuan * 10 + static_cast<unsigned char>(cell[i] - '0');
        }
        if (digits) {
            return static_cast<Fen>(yuan * 100 +
                                    static_cast<std::uint64_t>(cell[n - 2] - '0') * 10 +
                                    static_cast<std::uint64_t>(cell[n - 1] - '0'));
        }
    }
    if (const std::optional<Fen> plain = PlainDecimal(cell)) return plain;
    return tax::current::ReadYuan(cell);
}

std::optional<int> ReadMonth(std::string_view cell) {
    const std::string_view digits = TrimBlanks(cell);
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    int month = 0;
    for (char c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        month = month * 10 + (c - '0');
    }
    if (month < 1 || month > 12) return std::nullopt;
    return month;
}

// "00" to "99": two digits a division, for the millions of figures of a large file.
constexpr std::array<char, 200> kPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

void AppendPlainYuan(std::string& out, Fen amount) {
    // The magnitude in unsigned arithmetic, where negating INT64_MIN is defined.
    const std::uint64_t magnitude =
        amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    std::array<char, 24> text;
    char* end = text.data() + text.size();
    char* p = end;
    const auto pair = [&p](std::uint64_t twoDigits) {
        p -= 2;
        std::memcpy(p, kPairs.data() + 2 * twoDigits, 2);
    };
    pair(magnitude % 100);
    *--p = '.';
    std::uint64_t yuan = magnitude / 100;
    while (yuan >= 100) {
        pair(yuan % 100);
        yuan /= 100;
    }
    if (yuan >= 10) {
        pair(yuan);
    } else {
        *--p = static_cast<char>('0' + yuan);
    }
    if (amount < 0) *--p = '-';
    out.append(p, static_cast<std::size_t>(end - p));
}

std::string PlainYuan(Fen amount) {
    std::string text;
    AppendPlainYuan(text, amount);
    return text;
}

}  // namespace payroll
