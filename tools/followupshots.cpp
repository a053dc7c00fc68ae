// Makes the README's pictures of the follow-up: the case book with a case and its visits
// selected, the clinic's range from a calibration on earlier people, the calibration
// dialog, and the follow-up report's page.
//   telma_followup_screenshots OUTPUT_DIR   (run it on a real display, e.g. under xvfb-run)
#include "calibrationdialog.h"
#include "calibrationstore.h"
#include "casebookcalibration.h"
#include "casebookdialog.h"
#include "casestore.h"
#include "chartxy.h"
#include "followupreport.h"
#include "followuptablemodel.h"
#include "graph.h"
#include "visitstore.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QRandomGenerator>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdio>

namespace {

bool saved(bool ok, const QString &path)
{
    std::printf("%s %s\n", ok ? "saved" : "could not save", qPrintable(path));
    return ok;
}

Visit visitAfter(const CaseRecord &record, int days, double bmi, const QString &note = {})
{
    Visit visit;
    visit.date = record.baselineDate.addDays(days);
    visit.bmi = bmi;
    visit.note = note;
    return visit;
}

} // namespace

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(telma);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir folder;
    CaseStore store;
    if (!store.open(folder.filePath(QStringLiteral("cases.sqlite"))))
        return 1;

    const char *codes[] = {"AB-012", "AB-017", "BK-003", "CL-021"};
    CaseRecord followed;
    for (int i = 0; i < 4; ++i) {
        CaseRecord record;
        record.code = QString::fromLatin1(codes[i]);
        record.baselineDate = QDate::currentDate().addDays(-170 + 9 * i);
        record.heightMetres = 1.70;
        record.predictors = {3, 3, 3, 21, 39, 28, 70, 35.0 + 2 * i};
        record.sources[1] = QStringLiteral("DEBQ, “Emotional eating” scale");
        record.course = predictBmiCourse(record.predictors);
        record.modelVersion = QStringLiteral(TELMA_VERSION);
        if (!store.addCase(&record))
            return 1;
        if (i == 1)
            followed = record;
    }
    VisitStore visits(store);
    // Earlier people of the clinic, followed for six months, near their own predictions:
    // the calibration the range comes from.
    QRandomGenerator random(2026);
    const auto spread = [&random] {
        double sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += random.generateDouble();
        return sum - 6; // about normal, sd 1
    };
    for (int i = 0; i < 148; ++i) {
        CaseRecord record;
        record.code = QStringLiteral("ZZ-%1").arg(i, 3, 10, QLatin1Char('0'));
        record.baselineDate = QDate::currentDate().addDays(-400 - 2 * i);
        record.heightMetres = 1.70;
        record.predictors = {2.0 + i % 3, 2.5, 3, 18.0 + i % 9, 35, 25.0 + i % 7, 60.0 + i % 20,
                             31.0 + (i % 13)};
        record.course = predictBmiCourse(record.predictors);
        record.modelVersion = QStringLiteral(TELMA_VERSION);
        if (!store.addCase(&record))
            return 1;
        for (int k = 1; k <= CourseMonths; ++k) {
            Visit visit = visitAfter(record, int(k * DaysPerMonth), 0);
            visit.bmi = std::round((record.course[k - 1] + 0.1 * k + 0.3 * std::pow(k, 0.7) * spread()) * 100) / 100;
            if (!visits.addVisit(record.id, &visit))
                return 1;
        }
    }
    Calibration calibration;
    if (!CaseBookCalibration::make(store, QStringLiteral(TELMA_VERSION), &calibration)
        || !CalibrationStore(store).add(&calibration, true))
        return 1;
    Visit first = visitAfter(followed, 29, 34.6);
    Visit second = visitAfter(followed, 63, 96.0 / (1.7 * 1.7), QStringLiteral("weighed at home"));
    second.weightKg = 96.0;
    Visit third = visitAfter(followed, 118, 33.9);
    if (!visits.addVisit(followed.id, &first) || !visits.addVisit(followed.id, &second)
        || !visits.addVisit(followed.id, &third))
        return 1;
    // A correction, as in the day's work: the third visit's BMI mistyped.
    third.bmi = 32.9;
    if (!visits.updateVisit(followed.id, third))
        return 1;

    bool ok = true;
    CaseBookDialog book(store);
    // Wide enough for the visits' range and course columns.
    book.resize(1900, 680);
    book.show();
    if (auto *split = book.findChild<QSplitter *>())
        split->setSizes({800, 1100});
    if (!QTest::qWaitForWindowExposed(&book))
        return 1;
    book.findChild<QTableView *>("caseList")->selectRow(1);
    QTest::qWait(300);
    const QString view = out.filePath(QStringLiteral("follow-up.png"));
    ok &= saved(book.grab().save(view), view);
    {
        CalibrationDialog dialog(store, &book);
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return 1;
        QTest::qWait(200);
        const QString picture = out.filePath(QStringLiteral("calibration.png"));
        ok &= saved(dialog.grab().save(picture), picture);
    }

    {
        graph result;
        BmiCourse course = followed.course;
        result.prepareview(course.data());
        result.setPredictors(followed.predictors, followed.sources);
        result.setCalibration(calibration);
        result.show();
        if (!QTest::qWaitForWindowExposed(&result))
            return 1;
        QTest::qWait(200);
        const QString picture = out.filePath(QStringLiteral("result-band.png"));
        ok &= saved(result.grab().save(picture), picture);
    }

    FollowUpTableModel table;
    FollowUpCase followUp;
    followUp.code = followed.code;
    followUp.baseline = followed.baselineDate;
    followUp.heightM = followed.heightMetres;
    followUp.predictors = followed.predictors;
    followUp.sources = followed.sources;
    followUp.modelVersion = followed.modelVersion;
    visits.visits(followed.id, &followUp.visits);
    followUp.calibration = calibration;
    table.setFollowUp(followUp);
    QImage page(827, 1169, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    FollowUpReport(table, *book.findChild<ChartXY *>("caseChart")).paint(painter, page.rect());
    painter.end();
    const QString report = out.filePath(QStringLiteral("follow-up-report.png"));
    ok &= saved(page.save(report), report);
    return ok ? 0 : 1;
}
