#pragma once

#include <QRect>

// Geometry of the window is laid out in twips (1/1440 inch), 15 twips to a
// pixel at 96 dpi; Qt scales the pixels for high-density screens itself.
constexpr int twips(int t)
{
    return t / 15;
}
// A rectangle given in twips, in pixels.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
