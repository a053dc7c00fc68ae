#include "calibrationtable.h"

#include "calibration.h"
#include "calibrationbuilder.h"
#include "calibrationviewtr.h"

#include <QHeaderView>

#include <cmath>

namespace {

const char *const titles[] = {
    QT_TRANSLATE_NOOP("CalibrationView", "Month"),
    QT_TRANSLATE_NOOP("CalibrationView", "People"),
    QT_TRANSLATE_NOOP("CalibrationView", "Mean error (kg/m²)"),
    QT_TRANSLATE_NOOP("CalibrationView", "SD (kg/m²)"),
    QT_TRANSLATE_NOOP("CalibrationView", "Low (kg/m²)"),
    QT_TRANSLATE_NOOP("CalibrationView", "High (kg/m²)"),
};

QString figure(double value)
{
    return std::isfinite(value) ? QString::number(value, 'f', 2) : QStringLiteral("–");
}

} // namespace

CalibrationTable::CalibrationTable(QWidget *parent)
    : QTableWidget(parent)
{
    setColumnCount(int(std::size(titles)));
    QStringList labels;
    for (const char *title : titles)
        labels << CalibrationViewTr::tr(title);
    setHorizontalHeaderLabels(labels);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setFocusPolicy(Qt::TabFocus);
    // Six months fit without scrolling.
    setSizeAdjustPolicy(AdjustToContents);
}

void CalibrationTable::showCalibration(const Calibration *calibration)
{
    setRowCount(calibration ? CourseMonths : 0);
    if (!calibration)
        return;
    for (int k = 1; k <= CourseMonths; ++k) {
        const CalibrationMonth &m = calibration->month(k);
        const QString noRange = CalibrationViewTr::tr("no range (fewer than %1)").arg(CalibrationBuilder::MinimumPeople);
        const QStringList cells = {QString::number(k), QString::number(m.n), figure(m.meanError),
                                   figure(m.sdError), m.hasOffsets() ? figure(*m.low) : noRange,
                                   m.hasOffsets() ? figure(*m.high) : QString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells.at(c));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(k - 1, c, item);
        }
    }
}
