#ifndef GRAPH_H
#define GRAPH_H

#include <QDialog>

class QStandardItemModel;

namespace Ui {
class graph;
}

// The result dialog: the predicted BMI course of months 1 to 6 as a red line in a chart,
// with axis titles, a caption and an Ok button.
class graph : public QDialog
{
    Q_OBJECT

public:
    explicit graph(QWidget *parent = nullptr);
    ~graph() override;

public slots:
    // month[i] is the predicted BMI (kg/m2) at the end of month i + 1. The array parameter
    // is kept as written so that the slot's signature stays prepareview(double[6]).
    void prepareview(double month[6]);

private:
    Ui::graph *ui;
    QStandardItemModel *model = nullptr;
};

#endif // GRAPH_H
