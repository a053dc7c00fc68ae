#ifndef VIEWPORTIMAGE_H
#define VIEWPORTIMAGE_H

#include "chartxy.h"

#include <QImage>
#include <QSize>
#include <QTest>

// Shows the view with a viewport of exactly the given size and grabs what it paints; a
// null image when the window system would not give it that size.
inline QImage viewportImage(ChartXY &view, const QSize &size)
{
    const int frame = view.frameWidth();
    view.resize(size + QSize(2 * frame, 2 * frame));
    view.show();
    if (!QTest::qWaitForWindowExposed(&view) || view.viewport()->size() != size)
        return QImage();
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

#endif // VIEWPORTIMAGE_H
