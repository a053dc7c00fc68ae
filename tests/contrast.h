#ifndef CONTRAST_H
#define CONTRAST_H

#include <QApplication>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QRect>

#include <algorithm>
#include <cmath>

// Text contrast as WCAG 2.1 measures it, read from what was actually painted.

inline double relativeLuminance(const QColor &color)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF())
           + 0.0722 * linear(color.blueF());
}

// From 1 (the same) to 21 (black on white); 4.5 is the least that normal text needs.
inline double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How many pixels of each colour rect holds.
inline QHash<QRgb, int> colourCounts(const QImage &image, const QRect &rect)
{
    QHash<QRgb, int> counts;
    const QRect inside = rect & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    return counts;
}

// The contrast of the text painted in rect against its background. The background is the
// most common colour; the text is the colour that stands out most from it, since glyph cores
// are painted in the text's full colour (a colour on fewer than minPixels pixels is taken as
// noise). The rect's outer two pixels, where a frame may be drawn, are left out.
inline double paintedTextContrast(const QImage &image, const QRect &rect, int minPixels = 3)
{
    const QHash<QRgb, int> counts = colourCounts(image, rect.adjusted(2, 2, -2, -2));
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            background = it.key();
            most = it.value();
        }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() >= minPixels)
            best = std::max(best, contrastRatio(QColor::fromRgb(it.key()),
                                                QColor::fromRgb(background)));
    return best;
}

// A palette as a dark desktop theme gives one: dark window and fields, light text.
inline QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::AlternateBase, QColor(0x28, 0x28, 0x28));
    dark.setColor(QPalette::Button, QColor(0x40, 0x40, 0x40));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    return dark;
}

// Sets the application palette for as long as it lives.
class ScopedAppPalette
{
public:
    explicit ScopedAppPalette(const QPalette &palette) : m_saved(QApplication::palette())
    {
        QApplication::setPalette(palette);
    }
    ~ScopedAppPalette() { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

#endif // CONTRAST_H
