// Makes the README's pictures: the main window with a typical person's scores, the
// emotional-eating questionnaire partly answered, the result dialog for that person, the
// weight-and-height dialog, and a result whose course carries cautions.
//   telma_screenshots OUTPUT_DIR   (run it on a real display, e.g. under xvfb-run)
#include "bmicourse.h"
#include "bmidialog.h"
#include "dialog.h"
#include "graph.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget &window, const QString &path)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(300); // let the style finish its first paint
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "saved" : "could not save", qPrintable(path));
    // Hidden, not closed: closing a questionnaire that holds answers would ask first.
    window.hide();
    return ok;
}

// The report's page at 100 dpi, painted as the PDF is.
bool saveReport(const graph &result, const QString &path)
{
    QImage page(827, 1169, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    result.report().paint(painter, page.rect());
    painter.end();
    const bool ok = page.save(path);
    std::printf("%s %s\n", ok ? "saved" : "could not save", qPrintable(path));
    return ok;
}

const PredictorValues typicalPerson{3, 3, 3, 21, 39, 28, 70, 35};
// Valid scores whose course falls far beyond what treatment aims for.
const PredictorValues steepCourse{1.5, 1.5, 2, 15, 20, 5, 40, 45};
// Three fields filled by questionnaires, the others typed.
const PredictorSources typicalSources{QString(), "DEBQ, “Emotional eating” scale", QString(),
                                      QString(), "MPS-FROST, “Concern over mistakes, doubts "
                                      "about actions” scale", "Body image questionnaire",
                                      QString(), QString()};

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
    bool ok = true;

    MainWindow window;
    const QList<QLineEdit *> fields = {
        window.findChild<QLineEdit *>("lineEdit"),   window.findChild<QLineEdit *>("lineEdit_2"),
        window.findChild<QLineEdit *>("lineEdit_3"), window.findChild<QLineEdit *>("lineEdit_4"),
        window.findChild<QLineEdit *>("lineEdit_5"), window.findChild<QLineEdit *>("lineEdit_6"),
        window.findChild<QLineEdit *>("lineEdit_7"), window.findChild<QLineEdit *>("lineEdit_8")};
    for (int i = 0; i < PredictorCount; ++i)
        fields[i]->setText(QString::number(typicalPerson[i]));
    ok &= save(window, out.filePath("main-window.png"));

    Dialog questionnaire;
    questionnaire.setScale(1, QStringLiteral("Calculating the score on “Emotional eating” scale..."));
    const char *answers[] = {"checkBox_13", "checkBox_22", "checkBox_34", "checkBox_43"};
    for (const char *name : answers)
        questionnaire.findChild<QCheckBox *>(name)->setChecked(true);
    ok &= save(questionnaire, out.filePath("questionnaire.png"));

    graph result;
    BmiCourse course = predictBmiCourse(typicalPerson);
    result.prepareview(course.data());
    result.setPredictors(typicalPerson, typicalSources,
                         QDateTime(QDate(2026, 3, 14), QTime(9, 26)));
    ok &= save(result, out.filePath("result.png"));
    ok &= saveReport(result, out.filePath("report.png"));

    BmiDialog bmi;
    bmi.findChild<QLineEdit *>("bmiWeightEdit")->setText("95");
    bmi.findChild<QLineEdit *>("bmiHeightEdit")->setText("170");
    ok &= save(bmi, out.filePath("bmi-dialog.png"));

    graph steep;
    BmiCourse steepMonths = predictBmiCourse(steepCourse);
    steep.prepareview(steepMonths.data());
    steep.setPredictors(steepCourse, {}, QDateTime(QDate(2026, 3, 14), QTime(9, 40)));
    steep.resize(700, 560);
    ok &= save(steep, out.filePath("result-caution.png"));

    return ok ? 0 : 1;
}
