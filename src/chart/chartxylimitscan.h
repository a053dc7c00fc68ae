#ifndef CHARTXYLIMITSCAN_H
#define CHARTXYLIMITSCAN_H

#include "chartxylimit.h"

#include <QList>

#include <limits>

class QAbstractItemModel;

// The extremes of a model's chart values: X from column 0, Y from every further column.
// One scan finds them; after that, changed rows can be re-read on their own. Only values
// that can be drawn take part. On ties the cell met first in row order wins, so both ways
// give the same cells a full scan gives. The scan keeps the real of every cell it read as
// well, so that the series drawn next need not read the model a second time.
class ChartXYLimitScan
{
public:
    // Reads every top-level row of the model (none for a null model).
    void scan(const QAbstractItemModel *model);
    // Re-reads rows first..last after their values changed. False, with nothing usable
    // left, when only a full scan can tell: another model or shape than the one scanned,
    // or an extreme whose cell now holds a less extreme value.
    bool rescanRows(const QAbstractItemModel *model, int first, int last);
    // Forgets the scan, for when rows or columns moved, came or went.
    void invalidate();
    // Forgets it and lets go of the reals it kept.
    void release();

    // The extremes as the variants their cells hold now; invalid where an axis has none.
    ChartXYLimit limit() const;
    // Column `column` of the model as the scan read it, one real per row (NaN where a cell
    // cannot be drawn), as long as the scan is current for this model and every drawable
    // cell of the column is of type `type`; null otherwise.
    const QList<double> *reals(const QAbstractItemModel *model, int column, int type) const;

private:
    // One extreme: the real value and the cell holding it; row -1 while there is none.
    struct Cell
    {
        int row = -1;
        int column = -1;
        double real = 0;

        bool isBefore(int otherRow, int otherColumn) const
        {
            return row < otherRow || (row == otherRow && column < otherColumn);
        }
    };

    // Both extremes of one axis. Until a value is met they hold infinities, which every
    // drawable value beats, so a cell costs two comparisons.
    struct Range
    {
        Cell min{-1, -1, std::numeric_limits<double>::infinity()};
        Cell max{-1, -1, -std::numeric_limits<double>::infinity()};

        // A strictly smaller or larger value replaces an extreme; an equal one only when
        // its cell comes first, which during a full scan in row order never happens.
        void offer(double real, int row, int column)
        {
            if (real <= min.real && (real < min.real || !min.isBefore(row, column)))
                min = {row, column, real};
            if (real >= max.real && (real > max.real || !max.isBefore(row, column)))
                max = {row, column, real};
        }
        // Takes the new value of a cell (NaN when it cannot be drawn); false when an
        // extreme held there may have moved.
        bool reread(double real, int row, int column);
    };

    // The reals read from one column, and the one type of its drawable cells.
    struct Column
    {
        QList<double> reals;
        int type = 0;
        bool mixed = false;

        void note(int cellType)
        {
            if (type == 0)
                type = cellType;
            else if (cellType != type)
                mixed = true;
        }
    };

    bool rereadCell(int row, int column);
    QVariant valueAt(const Cell &cell) const;

    const QAbstractItemModel *m_model = nullptr;
    int m_rows = 0;
    int m_columns = 0;
    bool m_valid = false;
    Range m_x;
    Range m_y;
    QList<Column> m_read;
};

#endif // CHARTXYLIMITSCAN_H
