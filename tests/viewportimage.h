#ifndef VIEWPORTIMAGE_H
#define VIEWPORTIMAGE_H

#include "chartxy.h"

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QTest>

// What the viewport paints, one device pixel per logical pixel whatever the screen's
// ratio, so that tests can probe positions in logical pixels.
inline QImage viewportPainted(QWidget *viewport)
{
    QImage image(viewport->size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::white);
    viewport->render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// Shows the view with a viewport of exactly the given size and takes what it paints; a
// null image when the window system would not give it that size.
inline QImage viewportImage(ChartXY &view, const QSize &size)
{
    const int frame = view.frameWidth();
    view.resize(size + QSize(2 * frame, 2 * frame));
    view.show();
    if (!QTest::qWaitForWindowExposed(&view) || view.viewport()->size() != size)
        return QImage();
    return viewportPainted(view.viewport());
}

// The chart drawn as a viewport of the given size would show it on a screen of the given
// device pixel ratio: an image of size * ratio device pixels.
inline QImage chartImageAt(const ChartXY &view, const QSize &size, qreal ratio)
{
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.renderChart(painter, size);
    painter.end();
    return image;
}

#endif // VIEWPORTIMAGE_H
