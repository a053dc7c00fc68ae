// Feeds arbitrary chart values (doubles, ints, dates, times, date-times, text) through an
// item model into the automatic limits, edits the model cell by cell checking that the
// row-by-row update always equals a full scan (limits and the reals kept for drawing), and
// feeds arbitrary pairs straight into the rounding.
// Input: [x intervals][y intervals][flags][columns] then cells of one type byte and eight
// payload bytes each, row by row.
#include "chartxyscale.h"
#include "varianttoreal.h"

#include <QDateTime>
#include <QStandardItemModel>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

class Reader
{
public:
    Reader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    uint64_t word()
    {
        uint64_t w = 0;
        for (int i = 0; i < 8; ++i)
            w = (w << 8) | byte();
        return w;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

QVariant cellValue(uint8_t type, uint64_t bits)
{
    double d;
    std::memcpy(&d, &bits, sizeof d);
    switch (type % 8) {
    case 0: return d; // any double, NaN and infinities included
    case 1: return int(int32_t(bits));
    case 2: return double(int32_t(bits)) / 64.0; // ordinary chart values
    case 3: return QDate::fromJulianDay(int64_t(bits % 6000000) - 1000000);
    case 4: return QTime::fromMSecsSinceStartOfDay(int(bits % 86400000));
    case 5: return QDateTime::fromMSecsSinceEpoch(int64_t(bits >> 8) - (int64_t(1) << 54), Qt::UTC);
    case 6: return QString::number(d);
    default: return QVariant();
    }
}

// A rounded pair of finite doubles must still cover the original range.
void checkRounding(const QVariant &min, const QVariant &max, uint intervals)
{
    QVariant lo = min, hi = max;
    ChartXYScale::roundLimits(lo, hi, intervals, 1.0);
    if (min.typeId() != QMetaType::Double || max.typeId() != QMetaType::Double)
        return;
    const double a = min.toDouble(), b = max.toDouble();
    if (!(std::isfinite(a) && std::isfinite(b) && a < b))
        return;
    if (!(lo.toDouble() <= a && hi.toDouble() >= b))
        std::abort();
}

bool sameLimit(const ChartXYLimit &a, const ChartXYLimit &b)
{
    return identicalValues(a.x().min(), b.x().min()) && identicalValues(a.x().max(), b.x().max())
            && identicalValues(a.y().min(), b.y().min()) && identicalValues(a.y().max(), b.y().max());
}

// Numbers that cannot be drawn must never become limits.
void checkFinite(const ChartXYLimit &limit)
{
    for (const QVariant &value : {limit.x().min(), limit.x().max(), limit.y().min(), limit.y().max()}) {
        if (value.typeId() == QMetaType::Double && !std::isfinite(value.toDouble()))
            std::abort();
    }
}

// Reals the row updates offer for drawing must be those a full scan reads. A column the
// updates saw change type may be withheld although its types agree again.
void checkKeptReals(const QStandardItemModel &model, const ChartXYScale &scale,
                    const ChartXYScale &reference)
{
    const int types[] = {QMetaType::Double, QMetaType::Int, QMetaType::QDate, QMetaType::QTime,
                         QMetaType::QDateTime};
    for (int column = 0; column < model.columnCount(); ++column) {
        for (const int type : types) {
            const QList<double> *kept = scale.scan().reals(&model, column, type);
            if (!kept)
                continue;
            const QList<double> *read = reference.scan().reals(&model, column, type);
            if (!read || kept->size() != read->size()
                || std::memcmp(kept->constData(), read->constData(),
                               size_t(kept->size()) * sizeof(double)) != 0)
                std::abort();
        }
    }
}

// Writes the cells back in reverse order, one at a time, updating only the row changed;
// a second scale scans the whole model each time and must agree bit for bit.
void checkRowUpdates(QStandardItemModel &model, const QList<QVariant> &cells, ChartXYScale &scale,
                     uint xIntervals, uint yIntervals)
{
    ChartXYScale reference;
    reference.setAutoLimitBase(scale.autoLimitBase());
    reference.setAutoLimitView(scale.autoLimitView());
    reference.setAutoRound(scale.autoRound());
    reference.updateLimits(&model, xIntervals, yIntervals);
    const int columns = model.columnCount();
    const int edits = std::min(int(model.rowCount()) * columns, 64);
    for (int i = 0; i < edits; ++i) {
        const int row = i / columns;
        model.setData(model.index(row, i % columns), cells.at(cells.size() - 1 - i), Qt::DisplayRole);
        scale.updateLimitsOfRows(&model, row, row, xIntervals, yIntervals);
        reference.updateLimits(&model, xIntervals, yIntervals);
        if (!sameLimit(scale.limitView(), reference.limitView())
            || !sameLimit(scale.limitBase(), reference.limitBase()))
            std::abort();
        checkFinite(scale.limitView());
        checkKeptReals(model, scale, reference);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader in(data, size);
    const uint xIntervals = in.byte() % 16;
    const uint yIntervals = in.byte() % 16;
    const uint8_t flags = in.byte();
    const int columns = 1 + in.byte() % 3;

    QStandardItemModel model(0, columns);
    QList<QVariant> cells;
    while (!in.atEnd()) {
        const uint8_t type = in.byte();
        cells << cellValue(type, in.word());
    }
    for (int i = 0; i + columns <= cells.size(); i += columns) {
        QList<QStandardItem *> row;
        for (int c = 0; c < columns; ++c) {
            auto *item = new QStandardItem;
            item->setData(cells.at(i + c), Qt::DisplayRole);
            row << item;
        }
        model.appendRow(row);
    }

    ChartXYScale scale;
    scale.setAutoLimitBase(flags & 1);
    scale.setAutoLimitView(flags & 2);
    scale.setAutoRound(flags & 4);
    scale.updateLimits(&model, xIntervals, yIntervals);
    checkFinite(scale.limitView());
    checkRowUpdates(model, cells, scale, xIntervals, yIntervals);

    for (int i = 0; i + 1 < cells.size(); i += 2)
        checkRounding(cells.at(i), cells.at(i + 1), yIntervals);
    return 0;
}
