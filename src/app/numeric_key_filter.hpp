#pragma once
// The keystroke rule of the amount fields.

#include <cstdint>

namespace app {

// Discards (sets to 0) every character whose code, as a signed 16-bit value,
// is 58 or more: letters and most punctuation. Digits, signs, the decimal
// point, control characters and codes of 0x8000 and above pass.
inline void NumericKeyFilter(std::int16_t& keyAscii) {
    if (keyAscii >= 58) keyAscii = 0;
}

}  // namespace app
