#ifndef BENCHDATA_H
#define BENCHDATA_H

#include <QPen>
#include <QSize>
#include <QVector>

class QStandardItemModel;

namespace benchmark {
namespace internal {
class Benchmark;
}
}

// What every chart in this benchmark draws, and how.
namespace benchdata {

// One series, a signed random walk: X = 0 .. rows - 1, each Y one uniform step in
// [-1, 1] from the last. The same seed for every size, built once per size.
struct Walk
{
    QVector<double> x;
    QVector<double> y;
};
const Walk &walk(int rows);
// The walk as a two-column model of doubles, the series red (DecorationRole of row 0).
QStandardItemModel &model(int rows);
// The same in a subclass of QStandardItemModel that changes nothing: a model the chart
// cannot read through its items.
QStandardItemModel &subclassModel(int rows);

// The viewport every chart fills, and the pen of the series: antialiased, 2 px, red.
inline const QSize ViewSize(1280, 720);
QPen seriesPen();

// 10^5 and 10^6 rows, timed in milliseconds.
void rows(benchmark::internal::Benchmark *benchmark);

} // namespace benchdata

#endif // BENCHDATA_H
