// Makes the README's pictures: the main window with a typical person's scores, the
// emotional-eating questionnaire partly answered, the result dialog for that person, the
// weight-and-height dialog, and a result whose course carries cautions.
//   telma_screenshots OUTPUT_DIR   (run it on a real display, e.g. under xvfb-run)
#include "bmicourse.h"
#include "chartxy.h"
#include "chartxysetting.h"
#include "bmidialog.h"
#include "dialog.h"
#include "graph.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QTest>

#include <cstdio>

// The case book's pictures.
#include "casebookdialog.h"
#include "casestore.h"
#include "savecasedialog.h"

#include <QTableView>
#include <QTemporaryDir>

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

// The chart's styles in one picture: a scatter of observed values, a line with markers,
// a dashed reference line and the legend naming them.
bool saveChartStyles(const QString &path)
{
    QStandardItemModel model(13, 4);
    model.setHorizontalHeaderLabels({QStringLiteral("Predicted"), QStringLiteral("Observed"),
                                     QStringLiteral("Predicted course"),
                                     QStringLiteral("Identity")});
    const QColor colours[] = {QColor(0, 90, 200), QColor(200, 30, 30), QColor(40, 40, 40)};
    QRandomGenerator random(3);
    for (int row = 0; row < 13; ++row) {
        const qreal x = 26 + row;
        model.setData(model.index(row, 0), x);
        model.setData(model.index(row, 1), x + 3 * (random.generateDouble() - 0.5));
        model.setData(model.index(row, 2), 27 + 0.8 * row + 0.04 * row * row);
        model.setData(model.index(row, 3), x);
    }
    for (int column = 1; column < 4; ++column)
        model.setData(model.index(0, column), colours[column - 1], Qt::DecorationRole);

    ChartXY chart;
    chart.setModel(&model);
    ChartXYSetting *setting = chart.setting();
    setting->scale()->setAutoLimitView(true);
    setting->scale()->setAutoRound(true);
    ChartXYSeriesStyle &observed = setting->seriesStyle(1);
    observed.setLineVisible(false);
    observed.setMarker(ChartXYSeriesStyle::Circle);
    setting->seriesStyle(2).setMarker(ChartXYSeriesStyle::Square);
    setting->seriesStyle(3).setLineStyle(Qt::DashLine);
    setting->seriesStyle(3).setLineWidth(1.5);
    setting->legend()->setVisible(true);
    setting->legend()->setCorner(Qt::BottomRightCorner);
    chart.updateChart();
    chart.resize(560, 380);
    return save(chart, path);
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
    // A height, as the weight-and-height dialog gives it: the course in kilograms too.
    result.setHeightMetres(1.70);
    ok &= save(result, out.filePath("result.png"));
    ok &= saveReport(result, out.filePath("report.png"));

    // The case book with a few cases, one selected, and the dialog that saves a result.
    QTemporaryDir caseFolder;
    CaseStore store;
    ok &= store.open(caseFolder.filePath(QStringLiteral("cases.sqlite")));
    const char *codes[] = {"AB-014", "AB-017", "AB-022", "KL-003", "KL-009", "MN-120", "MN-121"};
    int variant = 0;
    for (const char *code : codes) {
        CaseRecord record;
        record.code = QString::fromLatin1(code);
        record.baselineDate = QDate(2026, 1, 5).addDays(9 * variant);
        record.predictors = typicalPerson;
        record.predictors[7] = 31.5 + 1.7 * variant++;
        record.course = predictBmiCourse(record.predictors);
        record.modelVersion = QStringLiteral(TELMA_VERSION);
        ok &= store.addCase(&record);
    }
    {
        CaseBookDialog book(store);
        book.findChild<QLineEdit *>(QStringLiteral("caseFilterEdit"))->setText(QStringLiteral("ab"));
        book.findChild<QTableView *>(QStringLiteral("caseList"))->selectRow(1);
        ok &= save(book, out.filePath("casebook.png"));
    }
    {
        CaseRecord draft;
        draft.baselineDate = QDate(2026, 3, 14);
        draft.predictors = typicalPerson;
        draft.course = predictBmiCourse(typicalPerson);
        SaveCaseDialog saveCase(store, draft);
        saveCase.findChild<QLineEdit *>(QStringLiteral("caseCodeEdit"))->setText(QStringLiteral("AB-031"));
        saveCase.findChild<QLineEdit *>(QStringLiteral("heightEdit"))->setText(QStringLiteral("168"));
        ok &= save(saveCase, out.filePath("save-case.png"));
    }
    ok &= saveChartStyles(out.filePath("chart-styles.png"));
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
