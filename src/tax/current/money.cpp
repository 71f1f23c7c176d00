// Reading amounts in yuan from field text and writing them back, in whole fen.

#include "tax/current.hpp"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace tax::current {
namespace {

constexpr std::uint64_t kLargestYuan = 1'000'000'000'000;
constexpr std::string_view kIdeographicSpace = "\u3000";

// The text without its blanks: ASCII space and tab, and the ideographic space that a Chinese
// input method types in full-width mode.
std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' || text[i] == '\t') continue;
        if (text.substr(i).starts_with(kIdeographicSpace)) {
            i += kIdeographicSpace.size() - 1;
            continue;
        }
        kept += text[i];
    }
    return kept;
}

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// A run of ASCII digits as a number, nullopt when it is beyond 64 bits.
std::optional<std::uint64_t> DigitValue(std::string_view digits) {
    std::uint64_t value = 0;
    if (digits.empty()) return value;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

}  // namespace

// Either side of the point may be empty ("1." is 1.00, ".5" is 0.50) but not both.
std::optional<Fen> ReadYuan(std::string_view text) {
    const std::string compact = WithoutBlanks(text);
    if (compact.empty()) return 0;
    const std::size_t point = compact.find('.');
    const std::string_view whole = std::string_view(compact).substr(0, point);
    const std::string_view decimals = point == std::string::npos
                                          ? std::string_view()
                                          : std::string_view(compact).substr(point + 1);
    if (!AllDigits(whole) || !AllDigits(decimals) || decimals.size() > 2) return std::nullopt;
    if (whole.empty() && decimals.empty()) return std::nullopt;
    const std::optional<std::uint64_t> yuan = DigitValue(whole);
    if (!yuan || *yuan > kLargestYuan) return std::nullopt;
    const std::uint64_t fen = *DigitValue(decimals) * (decimals.size() == 1 ? 10 : 1);
    const std::uint64_t amount = *yuan * 100 + fen;
    if (amount > kLargestYuan * 100) return std::nullopt;
    return static_cast<Fen>(amount);
}

std::string FormatYuan(Fen amount) {
    // The magnitude in unsigned arithmetic, where negating INT64_MIN is defined.
    const std::uint64_t magnitude =
        amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    std::array<char, std::numeric_limits<std::uint64_t>::digits10 + 1> digits{};
    const auto end =
        std::to_chars(digits.data(), digits.data() + digits.size(), magnitude / 100).ptr;
    const std::string_view yuan(digits.data(), static_cast<std::size_t>(end - digits.data()));

    std::string text = amount < 0 ? "-" : "";
    for (std::size_t i = 0; i < yuan.size(); ++i) {
        if (i > 0 && (yuan.size() - i) % 3 == 0) text += ',';
        text += yuan[i];
    }
    const unsigned cents = static_cast<unsigned>(magnitude % 100);
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    return text;
}

}  // namespace tax::current
