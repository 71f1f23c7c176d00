#pragma once
// The layout tables give geometry in twips; Qt works in logical pixels, which
// it scales itself on high-density screens. The windows convert here, once.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace app {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline QPoint PixelPoint(int x, int y) { return {Pixels(x), Pixels(y)}; }

inline QSize PixelSize(int width, int height) { return {Pixels(width), Pixels(height)}; }

inline QRect PixelRect(int left, int top, int width, int height) {
    return {PixelPoint(left, top), PixelSize(width, height)};
}

}  // namespace app
