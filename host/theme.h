#pragma once
// Colours that stay readable in any colour scheme: the contrast ratio of two
// colours (as accessibility guidelines define it), a colour moved just far
// enough from its background to be read, and the light and dark palettes the
// program can be told to use where the desktop's own cannot be read.

#include <QColor>
#include <QPalette>
#include <QString>

namespace regsmith::host {

// The least contrast between text and its background that the program draws.
inline constexpr double kMinimumContrast = 4.5;

// Relative luminance, 0 (black) to 1 (white).
double RelativeLuminance(const QColor& colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);
// `wanted` if it contrasts with `background` by at least kMinimumContrast;
// otherwise the same hue made lighter (on a dark background) or darker (on a
// light one), just enough to reach it.
QColor ReadableOn(const QColor& wanted, const QColor& background);

// Fusion's palettes: "light" and "dark".  False for any other name.
bool NamedPalette(const QString& name, QPalette& palette);
// Whether the palette draws dark text on a light background.
bool IsDarkPalette(const QPalette& palette);

}  // namespace regsmith::host
