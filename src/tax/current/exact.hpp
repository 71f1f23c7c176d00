#pragma once
// Exact money: amounts in whole millionths of a fen, in 128-bit integers.

#include "tax/current.hpp"

#include <limits>

namespace tax::current::detail {

__extension__ typedef __int128 Wide;

// A formula applies at most three percentages in a row to whole fen (author's remuneration in
// the settlement: × 80 %, × 70 %, then the rate), and each percentage needs two more decimal
// places, so in millionths of a fen every step stays whole and no formula ever rounds. The
// largest product any Fen inputs can give (twelve months of a wage less three deductions, all
// near 2^63, in millionths, × 45) stays below 10^29, far inside 128 bits (10^38).
class Exact {
public:
    constexpr Exact() = default;
    constexpr explicit Exact(Wide fen) : micro_(fen * kMicroPerFen) {}

    constexpr Exact Percent(int percent) const { return Micro(micro_ * percent / 100); }
    constexpr Exact Times(Wide factor) const { return Micro(micro_ * factor); }
    friend constexpr Exact operator+(Exact a, Exact b) { return Micro(a.micro_ + b.micro_); }
    friend constexpr Exact operator-(Exact a, Exact b) { return Micro(a.micro_ - b.micro_); }
    friend constexpr bool operator==(Exact a, Exact b) { return a.micro_ == b.micro_; }
    friend constexpr bool operator<=(Exact a, Exact b) { return a.micro_ <= b.micro_; }
    friend constexpr bool operator<(Exact a, Exact b) { return a.micro_ < b.micro_; }

    // Whole fen, half away from zero: half up for the positive figures taxes are.
    constexpr Wide RoundedFen() const {
        constexpr Wide half = kMicroPerFen / 2;
        return micro_ < 0 ? -((-micro_ + half) / kMicroPerFen) : (micro_ + half) / kMicroPerFen;
    }

private:
    static constexpr Wide kMicroPerFen = 1'000'000;
    static constexpr Exact Micro(Wide micro) {
        Exact e;
        e.micro_ = micro;
        return e;
    }
    Wide micro_ = 0;
};

// A figure as a Fen, the ends of Fen's range standing for anything beyond them.
constexpr Fen ClampToFen(Wide figure) {
    constexpr Fen lowest = std::numeric_limits<Fen>::min();
    constexpr Fen highest = std::numeric_limits<Fen>::max();
    if (figure < lowest) return lowest;
    if (figure > highest) return highest;
    return static_cast<Fen>(figure);
}

}  // namespace tax::current::detail
