#include "benchdata.h"

#include <QColor>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

namespace benchdata {

const Walk &walk(int rows)
{
    static std::map<int, Walk> walks;
    Walk &walk = walks[rows];
    if (walk.x.isEmpty()) {
        std::mt19937_64 random(20261208);
        std::uniform_real_distribution<double> step(-1.0, 1.0);
        walk.x.resize(rows);
        walk.y.resize(rows);
        double y = 0;
        for (int row = 0; row < rows; ++row) {
            walk.x[row] = row;
            walk.y[row] = y;
            y += step(random);
        }
    }
    return walk;
}

namespace {

class SubclassModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
};

template<class Model>
QStandardItemModel &walkModel(int rows)
{
    static std::map<int, std::unique_ptr<QStandardItemModel>> models;
    auto &slot = models[rows];
    if (!slot) {
        const Walk &data = walk(rows);
        slot = std::make_unique<Model>(rows, 2);
        for (int row = 0; row < rows; ++row) {
            slot->setData(slot->index(row, 0), data.x[row]);
            slot->setData(slot->index(row, 1), data.y[row]);
        }
        slot->setData(slot->index(0, 1), QColor(Qt::red), Qt::DecorationRole);
    }
    return *slot;
}

} // namespace

QStandardItemModel &model(int rows)
{
    return walkModel<QStandardItemModel>(rows);
}

QStandardItemModel &subclassModel(int rows)
{
    return walkModel<SubclassModel>(rows);
}

QPen seriesPen()
{
    return QPen(QBrush(QColor(Qt::red), Qt::SolidPattern), 2.0, Qt::SolidLine, Qt::SquareCap,
                Qt::BevelJoin);
}

void rows(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

} // namespace benchdata
