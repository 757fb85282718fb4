#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

namespace windara::ui {

// Window layouts are given in twips: 1/1440 inch, 15 twips to a pixel at 96 dpi.
inline constexpr int TwipsPerPixel = 15;

// Nearest pixel. 15 is odd, so a whole number of twips never falls half-way.
constexpr int Pixel(int twips) noexcept
{
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

// Each of the four numbers is converted on its own, so controls given the same
// width in twips get the same width in pixels wherever they stand.
constexpr QSize DimensioneTwips(int width, int height) noexcept
{
    return QSize(Pixel(width), Pixel(height));
}

constexpr QRect RettangoloTwips(int left, int top, int width, int height) noexcept
{
    return QRect(Pixel(left), Pixel(top), Pixel(width), Pixel(height));
}

inline void PosizionaTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(RettangoloTwips(left, top, width, height));
}

} // namespace windara::ui
