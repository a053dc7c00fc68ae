// Makes the README's pictures of the follow-up: the case book with a case and its visits
// selected, and the follow-up report's page.
//   telma_followup_screenshots OUTPUT_DIR   (run it on a real display, e.g. under xvfb-run)
#include "casebookdialog.h"
#include "casestore.h"
#include "chartxy.h"
#include "followupreport.h"
#include "followuptablemodel.h"
#include "visitstore.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

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
    book.show();
    if (!QTest::qWaitForWindowExposed(&book))
        return 1;
    book.findChild<QTableView *>("caseList")->selectRow(1);
    QTest::qWait(300);
    const QString view = out.filePath(QStringLiteral("follow-up.png"));
    ok &= saved(book.grab().save(view), view);

    FollowUpTableModel table;
    FollowUpCase followUp;
    followUp.code = followed.code;
    followUp.baseline = followed.baselineDate;
    followUp.heightM = followed.heightMetres;
    followUp.predictors = followed.predictors;
    followUp.sources = followed.sources;
    followUp.modelVersion = followed.modelVersion;
    visits.visits(followed.id, &followUp.visits);
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
