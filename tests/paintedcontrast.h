#ifndef PAINTEDCONTRAST_H
#define PAINTEDCONTRAST_H

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QRect>

#include <algorithm>
#include <cmath>

// Text contrast as WCAG 2.1 defines it, measured on what a widget actually painted.

inline double relativeLuminance(QRgb rgb)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb))
        + 0.0722 * linear(qBlue(rgb));
}

inline double contrastRatio(QRgb a, QRgb b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct PaintedText {
    QRgb background = 0;
    QRgb text = 0;
    double ratio = 1;

    // Takes candidate as the text colour when it stands out more from the background.
    void consider(QRgb candidate)
    {
        const double r = contrastRatio(candidate, background);
        if (r > ratio) {
            ratio = r;
            text = candidate;
        }
    }
};

inline QRgb mostFrequent(const QHash<QRgb, int> &counts)
{
    QRgb colour = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            colour = it.key();
        }
    }
    return colour;
}

// For text whose colour is not the widget's own (rich text): within rect, the background is
// the most frequent colour and the text is the pixel that stands out from it most, as glyph
// stems are fully covered and only their antialiased edges lie between.
inline PaintedText paintedText(const QImage &image, const QRect &rect)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const QRect area = rect & img.rect();
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[img.pixel(x, y)];
    PaintedText seen;
    seen.background = seen.text = mostFrequent(counts);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        seen.consider(it.key());
    return seen;
}

// The text of a label or field against what lies under most of its glyphs: the window is
// grabbed twice, the second time with the widget's text colours made transparent. The
// background is the colour most changed pixels had been covering; only pixels over it count,
// so that a glyph crossing a grid line is not measured against the line.
inline PaintedText textAgainstBackground(QWidget *window, QWidget *textWidget)
{
    const QRect area(textWidget->mapTo(window, QPoint()), textWidget->size());
    const QImage withText = window->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    const QPalette kept = textWidget->palette();
    QPalette clear = kept;
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        clear.setColor(role, Qt::transparent);
    textWidget->setPalette(clear);
    const QImage under = window->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    textWidget->setPalette(kept);

    const QRect pixels = withText.rect() & under.rect();
    QHash<QRgb, int> covered;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (withText.pixel(x, y) != under.pixel(x, y))
                ++covered[under.pixel(x, y)];
    PaintedText seen;
    seen.background = seen.text = mostFrequent(covered);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (under.pixel(x, y) == seen.background)
                seen.consider(withText.pixel(x, y));
    return seen;
}

// What a dark desktop theme gives: dark window and base, light texts.
inline QPalette darkPalette()
{
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::AlternateBase, QColor(0x28, 0x28, 0x28));
    dark.setColor(QPalette::Button, QColor(0x38, 0x38, 0x38));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xee, 0xee, 0xee));
    return dark;
}

// Sets the application palette for one scope and puts the previous one back afterwards.
class ScopedPalette
{
public:
    explicit ScopedPalette(const QPalette &palette)
        : previous(QApplication::palette())
    {
        QApplication::setPalette(palette);
    }
    ~ScopedPalette() { QApplication::setPalette(previous); }
    ScopedPalette(const ScopedPalette &) = delete;
    ScopedPalette &operator=(const ScopedPalette &) = delete;

private:
    QPalette previous;
};

#endif // PAINTEDCONTRAST_H
