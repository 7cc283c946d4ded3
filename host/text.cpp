#include "host/text.h"

#include <QFontDatabase>
#include <QHash>

#include <algorithm>
#include <cctype>

namespace regsmith::host {

QStringList ConvertFileFilter(const std::string& filter) {
    QStringList parts = Q(filter).split('|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == "*.*") pattern = "*";
            if (!pattern.isEmpty()) patterns << pattern;
        }
        if (description.isEmpty() && patterns.isEmpty()) continue;
        if (patterns.isEmpty()) patterns << "*";
        const int open = description.lastIndexOf('(');
        if (open >= 0 && description.endsWith(')')) description = description.left(open).trimmed();
        if (description.isEmpty()) description = patterns.join(' ');
        result << description + " (" + patterns.join(' ') + ")";
    }
    if (result.isEmpty()) result << "All Files (*)";
    return result;
}

QFont ResolveFixedFont(const fw::FontSpec& spec) {
    // The font database is asked once per face: the answer does not change
    // while the program runs, and every refresh of a code window needs it.
    static QHash<QString, QString> resolved;
    const QString wanted = Q(spec.face);
    auto known = resolved.find(wanted);
    if (known == resolved.end()) {
        const QStringList families = QFontDatabase::families();
        QString found;
        if (families.contains(wanted, Qt::CaseInsensitive))
            found = wanted;
        else if (families.contains("Liberation Mono", Qt::CaseInsensitive))
            found = "Liberation Mono";
        known = resolved.insert(wanted, found);
    }
    const QString family = known.value();
    QFont font = family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(spec.pointSize > 0 ? spec.pointSize : 10);
    return font;
}

std::vector<TextRun> ColourRuns(const std::string& text, const std::vector<fw::ColourRange>& colours) {
    // Colour of every byte; later ranges win where ranges overlap.
    std::vector<fw::Rgb> byteColour(text.size(), fw::Rgb{0, 0, 0});
    for (const fw::ColourRange& range : colours) {
        if (range.start >= text.size()) continue;
        const std::size_t end = range.start + std::min(range.length, text.size() - range.start);
        std::fill(byteColour.begin() + static_cast<std::ptrdiff_t>(range.start),
                  byteColour.begin() + static_cast<std::ptrdiff_t>(end), range.colour);
    }
    std::vector<TextRun> runs;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && byteColour[end] == byteColour[start]) ++end;
        std::string piece;
        piece.reserve(end - start);
        for (std::size_t i = start; i < end; ++i) {
            const bool crBeforeLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            if (!crBeforeLf) piece.push_back(text[i]);
        }
        if (!piece.empty()) runs.push_back(TextRun{QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())),
                                                   byteColour[start]});
        start = end;
    }
    return runs;
}

std::string Slug(const std::string& text) {
    std::string slug;
    bool pendingDash = false;
    for (unsigned char c : text) {
        if (std::isalnum(c)) {
            if (pendingDash && !slug.empty()) slug.push_back('-');
            pendingDash = false;
            slug.push_back(static_cast<char>(std::tolower(c)));
        } else {
            pendingDash = true;
        }
    }
    return slug;
}

}  // namespace regsmith::host
