#pragma once
// Conversions between the toolkit stand-in's byte strings and Qt.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "fw/platform.h"

namespace regsmith::host {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline std::string S(const QString& text) { return text.toStdString(); }
inline QColor ToQColor(fw::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// "C Files (*.c)|*.c|All Files (*.*)|*.*|" -> {"C Files (*.c)", "All Files (*)"}:
// the patterns of each pair replace the parenthesised part of its description,
// "*.*" becomes "*" (every file, with or without a dot) and ';' separators
// become blanks.
QStringList ConvertFileFilter(const std::string& filter);

// The font a view asks for when it is installed ("Courier New"), otherwise the
// metric-compatible Liberation Mono, otherwise the system's fixed font; always
// at the requested point size.
QFont ResolveFixedFont(const fw::FontSpec& spec);

// One run of text in one colour, with CR LF already turned into LF.
struct TextRun {
    QString text;
    fw::Rgb colour;
};

// Splits a view's text into runs of equal colour.  Colour ranges are byte
// positions in `text`; bytes outside every range are black.  Ranges reaching
// past the end are cut; a CR directly before an LF is dropped.
std::vector<TextRun> ColourRuns(const std::string& text, const std::vector<fw::ColourRange>& colours);

// A name usable as a file name: lower case, letters and digits, words joined
// by '-' ("Port I/O" -> "port-i-o").
std::string Slug(const std::string& text);

}  // namespace regsmith::host
