#include "graph.h"
#include "ui_graph.h"

#include "chartxysetting.h"

#include <QStandardItemModel>

#include <algorithm>

namespace {

constexpr int Months = 6;

// The values of the last prepareview call, shared by every dialog.
double shownMonths[Months];

} // namespace

graph::graph(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::graph)
{
    ui->setupUi(this);
}

graph::~graph()
{
    delete ui;
}

void graph::prepareview(double month[6])
{
    std::copy(month, month + Months, shownMonths);

    // Filled before the chart sees it, so that filling triggers no chart updates.
    model = new QStandardItemModel(Months, 2, this);
    model->setHeaderData(0, Qt::Horizontal, tr("Month"));
    model->setHeaderData(1, Qt::Horizontal, tr("BMI(kg/m2"));
    for (int row = 0; row < model->rowCount(); ++row) {
        model->setData(model->index(row, 0), row + 1, Qt::EditRole);
        model->setData(model->index(row, 1), month[row], Qt::EditRole);
        model->setData(model->index(row, 1), QColor(255, 0, 0, 255), Qt::DecorationRole);
    }

    ChartXY *chart = ui->chart;
    ChartXYSetting *setting = chart->setting();
    chart->setModel(model);
    setting->border()->setRight(64);
    setting->border()->setBackground(QColor(255, 255, 255, 255));
    setting->grid()->tickX().setCount(4);
    setting->grid()->tickX().setSubCount(5);
    setting->grid()->tickY().setCount(8);
    setting->grid()->tickY().setSubCount(5);
    setting->grid()->setBackground(QColor(192, 192, 192, 255));
    setting->grid()->setForeground(QColor(0, 0, 0, 255));
    setting->scale()->setAutoLimitView(true);
    setting->scale()->setAutoRound(true);
    chart->updateChart();
}
