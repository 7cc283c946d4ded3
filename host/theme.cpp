#include "host/theme.h"

#include <algorithm>
#include <cmath>

namespace regsmith::host {

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& wanted, const QColor& background) {
    if (ContrastRatio(wanted, background) >= kMinimumContrast) return wanted;
    // Lightness in small steps away from the background keeps the hue, so
    // comments stay green and literals violet.
    const bool lighten = RelativeLuminance(background) < 0.18;
    const QColor hsl = wanted.toHsl();
    const float hue = hsl.hslHueF();
    const float saturation = hsl.hslSaturationF();
    for (int step = 1; step <= 100; ++step) {
        const float lightness = std::clamp(hsl.lightnessF() + (lighten ? 0.01f : -0.01f) * static_cast<float>(step),
                                           0.0f, 1.0f);
        const QColor candidate = QColor::fromHslF(hue, saturation, lightness).toRgb();
        if (ContrastRatio(candidate, background) >= kMinimumContrast) return candidate;
    }
    return lighten ? QColor(Qt::white) : QColor(Qt::black);
}

bool IsDarkPalette(const QPalette& palette) {
    return RelativeLuminance(palette.color(QPalette::Base)) < RelativeLuminance(palette.color(QPalette::Text));
}

bool NamedPalette(const QString& name, QPalette& palette) {
    if (name == "light") {
        palette = QPalette(QColor(239, 239, 239));  // Fusion's own
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        return true;
    }
    if (name != "dark") return false;
    const QColor window(45, 45, 48);
    const QColor text(230, 230, 230);
    const QColor disabled(150, 150, 150);
    palette = QPalette();
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::AlternateBase, QColor(53, 53, 56));
    palette.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabled);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(58, 58, 62));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(255, 110, 110));
    palette.setColor(QPalette::Light, QColor(80, 80, 84));
    palette.setColor(QPalette::Midlight, QColor(68, 68, 72));
    palette.setColor(QPalette::Mid, QColor(40, 40, 43));
    palette.setColor(QPalette::Dark, QColor(25, 25, 27));
    palette.setColor(QPalette::Shadow, QColor(10, 10, 10));
    palette.setColor(QPalette::Highlight, QColor(62, 130, 200));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(120, 175, 255));
    palette.setColor(QPalette::LinkVisited, QColor(190, 150, 255));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    palette.setColor(QPalette::Disabled, QPalette::Button, window);
    return true;
}

}  // namespace regsmith::host
