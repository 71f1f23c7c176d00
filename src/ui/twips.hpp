#pragma once
// Window geometry is given in twips; Qt works in logical pixels, which it
// scales itself on high-density screens.

#include <QRect>

namespace ui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect PixelRect(int left, int top, int width, int height) {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

}  // namespace ui
