// Reading, predicting and validating cohort files, through the library telma-cohort uses.
#include "bmicourse.h"
#include "cohortinput.h"
#include "cohortprediction.h"
#include "cohortvalidation.h"
#include "csvreader.h"
#include "numberfield.h"
#include "predictorcheck.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtTest>

#include <charconv>
#include <unistd.h>
#include <cmath>

namespace {

const QByteArray predictorHeader = "restrained_eating,emotional_eating,external_eating,personal_standards,"
                                   "concern_over_mistakes,body_image_dissatisfaction,alexithymia,initial_bmi";
const QByteArray goodPredictors = "3,3,3,20,30,20,60,35";

struct Run {
    bool ok = false;
    QString error;
    QByteArray output;
    qint64 read = 0;
    qint64 refused = 0;
};

Run predict(const QByteArray &text, CohortReadOptions options = {})
{
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    CohortInput input(in, QStringLiteral("test.csv"), options);
    input.setRefusalStream(nullptr);
    CohortPrediction prediction(options);
    Run run;
    run.ok = prediction.run(input, out);
    run.error = prediction.error();
    run.output = out.data();
    run.read = input.rowsRead();
    run.refused = input.rowsRefused();
    return run;
}

// The last field of every output line (the error column), when no field is quoted across lines.
QString errorOfRow(const QByteArray &output, int row)
{
    const QList<QByteArray> lines = output.split('\n');
    const QByteArray line = lines.value(row);
    if (line.endsWith('"')) {
        const int start = line.lastIndexOf(",\"");
        return QString::fromUtf8(line.mid(start + 2, line.size() - start - 3).replace("\"\"", "\""));
    }
    return QString::fromUtf8(line.mid(line.lastIndexOf(',') + 1));
}

QString shortest(double value)
{
    char text[32];
    return QString::fromLatin1(text, int(std::to_chars(text, text + 32, value).ptr - text));
}

} // namespace

class TestCohort : public QObject
{
    Q_OBJECT

private slots:
    void fastReaderAgreesWithTheWindow_data();
    void fastReaderAgreesWithTheWindow();
    void refusedRows_data();
    void refusedRows();
    void plainLinesSplitAsByTheParser_data();
    void plainLinesSplitAsByTheParser();
    void hostileText_data();
    void hostileText();
    void fileErrors_data();
    void fileErrors();
    void fileShapes_data();
    void fileShapes();
    void decimalComma();
    void statistics_data();
    void statistics();
    void plotOfALargeCohortIsASample();
    void figuresThatCannotBeComputed_data();
    void figuresThatCannotBeComputed();
};

void TestCohort::fastReaderAgreesWithTheWindow_data()
{
    QTest::addColumn<QByteArray>("text");
    for (const char *text : {"35.5", "+35.5", " 35.5", "35.5 ", "3.", ".5e2", "3.5E1", "-35", "1e400",
                             "1e-400", "nan", "inf", "infinity", "0x10", "35,5", "1,000", "", "35.5.1",
                             "035.50", "15", "67", "67.0000000000001", "14.999999999999999"})
        QTest::addRow("%s", text) << QByteArray(text);
}

// The file reader takes a fast path for plain numbers; it must accept exactly what the
// window accepts, with the same value.
void TestCohort::fastReaderAgreesWithTheWindow()
{
    QFETCH(QByteArray, text);
    const PredictorRange &range = predictorRange(Predictor::InitialBmi);
    double window = -1, file = -1;
    const bool windowOk = readPredictor(QString::fromLatin1(text), range, &window);
    const bool fileOk = readNumberField(std::string_view(text.constData(), size_t(text.size())), range,
                                        DecimalMark::Point, &file);
    QCOMPARE(fileOk, windowOk);
    if (windowOk)
        QCOMPARE(file, window);
}

void TestCohort::refusedRows_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("error");
    const QByteArray base = "3,3,3,20,30,20,60,";
    QTest::newRow("out of range") << base + "70,33" << "initial_bmi: 70 is outside 15 to 67";
    QTest::newRow("decimal comma") << QByteArray("3,\"2,5\",3,20,30,20,60,35,33")
                                   << "emotional_eating: “2,5” uses a decimal comma: write 2.5";
    QTest::newRow("empty") << base + ",33" << "initial_bmi: the field is empty – write a number from 15 to 67";
    QTest::newRow("not a number") << base + "abc,33" << "initial_bmi: “abc” is not a number – write a number from 15 to 67";
    QTest::newRow("not finite") << base + "nan,33" << "initial_bmi: “nan” is not a number – write a number from 15 to 67";
    QTest::newRow("a full stop in the text") << base + "\"a. B\",33"
                                             << "initial_bmi: “a. B” is not a number – write a number from 15 to 67";
    QTest::newRow("decimal comma, out of range") << base + "\"75,5\",33"
                                                 << "initial_bmi: “75,5” uses a decimal comma: write 75.5 – 75.5 is outside 15 to 67";
    QTest::newRow("two columns") << QByteArray("0,3,3,20,30,20,60,70,33")
                                 << "restrained_eating: 0 is outside 1 to 5; initial_bmi: 70 is outside 15 to 67";
    QTest::newRow("too few fields") << base + "35" << "the row has 8 fields where the header has 9";
    QTest::newRow("too many fields") << base + "35,33,1" << "the row has 10 fields where the header has 9";
    QTest::newRow("observed out of range") << base + "35,9.9" << "bmi_month_6: 9.9 is outside 10 to 100";
    QTest::newRow("observed not a number") << base + "35,x" << "bmi_month_6: “x” is not a number – write a number from 10 to 100";
}

// Every kind of bad row is refused with its reason, keeps its place in the output with empty
// predictions, and does not stop the rows after it.
void TestCohort::refusedRows()
{
    QFETCH(QByteArray, row);
    QFETCH(QString, error);
    const Run run = predict(predictorHeader + ",bmi_month_6\n" + row + "\n" + goodPredictors + ",33\n");
    QVERIFY2(run.ok, qPrintable(run.error));
    QCOMPARE(run.read, 2);
    QCOMPARE(run.refused, 1);
    QCOMPARE(errorOfRow(run.output, 1), error);
    QVERIFY(run.output.split('\n').value(1).contains(",,,,,,"));
    // The added columns stay under their names whatever the row's field count.
    std::vector<size_t> fieldCounts;
    CsvReader reader(',', [&](const CsvRow &r) { fieldCounts.push_back(r.fields.size()); });
    QVERIFY(reader.parse(run.output.constData(), size_t(run.output.size())) && reader.finish());
    QCOMPARE(fieldCounts, std::vector<size_t>(3, 16));
    QCOMPARE(errorOfRow(run.output, 2), QString());
}

void TestCohort::plainLinesSplitAsByTheParser_data()
{
    QTest::addColumn<char>("delimiter");
    QTest::newRow("comma") << ',';
    QTest::newRow("semicolon") << ';';
    QTest::newRow("tab") << '\t';
}

// Whole lines without quotes are cut without libcsv; handed over one byte at a time, the same
// text goes through libcsv. Both give the same records, fields, bytes and lines.
void TestCohort::plainLinesSplitAsByTheParser()
{
    QFETCH(char, delimiter);
    QRandomGenerator random(7);
    const QByteArray alphabet = "ab ,;\t";
    QByteArray text;
    for (int line = 0; line < 3000; ++line) {
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i) {
            // Quoted fields and lone CRs now and then, so that most lines are plain.
            const int pick = random.bounded(alphabet.size() * 8);
            if (pick < alphabet.size() * 4)
                text += alphabet.at(pick / 4);
            else if (random.bounded(40) > 0)
                text += 'x';
            else
                // The third: a quoted field opened after a lone CR, open past the line end.
                text += pick % 3 == 0 ? delimiter + QByteArray("\"q") + delimiter + "\"\"\"" + delimiter
                      : pick % 3 == 1 ? QByteArray(1, '\r')
                                      : QByteArray("\r\"x\ny\"");
        }
        text += random.bounded(3) == 0 ? "\r\n" : "\n";
    }
    const auto records = [delimiter](const QByteArray &bytes, bool oneByteAtATime) {
        QStringList seen;
        CsvReader reader(delimiter, [&seen](const CsvRow &row) {
            QStringList fields;
            for (std::string_view field : row.fields)
                fields << QString::fromLatin1(field.data(), qsizetype(field.size()));
            seen << QStringLiteral("%1 [%2] {%3}").arg(row.line).arg(fields.join(QLatin1Char('|')),
                                                       QString::fromLatin1(row.text.data(), qsizetype(row.text.size())));
        });
        // A CRLF stays together: cut between its bytes, a record's text is not kept.
        for (qsizetype at = 0, step = 0; at < bytes.size(); at += step) {
            step = !oneByteAtATime ? bytes.size() : bytes.mid(at, 2) == "\r\n" ? 2 : 1;
            reader.parse(bytes.constData() + at, size_t(step));
        }
        reader.finish();
        return seen;
    };
    const QStringList whole = records(text, false);
    const QStringList parsed = records(text, true);
    QVERIFY2(whole.size() > 1500, qPrintable(QString::number(whole.size())));
    for (int i = 0; i < std::min(whole.size(), parsed.size()); ++i)
        QCOMPARE(whole.at(i), parsed.at(i));
    QCOMPARE(whole.size(), parsed.size());
}

void TestCohort::hostileText_data()
{
    QTest::addColumn<QByteArray>("note");   // the bytes of a passed-through field, quoted
    QTest::addColumn<int>("rowsBefore");    // good rows before it
    QTest::addColumn<QString>("error");     // empty: the row is taken
    QTest::newRow("invalid byte") << QByteArray("FF\xff") << 0 << "note: holds invalid UTF-8 (byte 0xFF) at byte 2";
    QTest::newRow("other invalid byte") << QByteArray("FF\xfe") << 0 << "note: holds invalid UTF-8 (byte 0xFE) at byte 2";
    QTest::newRow("overlong form") << QByteArray("a\xc0\xaf" "b") << 0 << "note: holds invalid UTF-8 (byte 0xC0) at byte 1";
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << 0 << "note: holds invalid UTF-8 (byte 0xED) at byte 0";
    QTest::newRow("cut short") << QByteArray("ab\xe2\x82") << 0 << "note: holds invalid UTF-8 (byte 0xE2) at byte 2";
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << 0 << "note: holds a NUL character at byte 1";
    QTest::newRow("NUL after the first MiB") << QByteArray("a\0b", 3) << 50000 << "note: holds a NUL character at byte 1";
    QTest::newRow("escape") << QByteArray("\x1b[2J") << 0 << "note: holds the control character U+001B (ESC) at byte 0";
    QTest::newRow("escape far into the field") << QByteArray("abcdefghijklmnopq\x1b" "rstuvwxyz") << 0
                                               << "note: holds the control character U+001B (ESC) at byte 17";
    QTest::newRow("C1 control") << QByteArray("x\xc2\x85") << 0 << "note: holds the control character U+0085 at byte 1";
    QTest::newRow("byte-order mark inside") << QByteArray("\xef\xbb\xbfX") << 0 << "note: holds a byte-order mark (U+FEFF) at byte 0";
    QTest::newRow("tab") << QByteArray("a\tb") << 0 << "";
    QTest::newRow("accents and emoji") << QByteArray("Café 🙂") << 0 << "";
}

// Every field is text as it came, or its row is refused naming the column and the byte.
void TestCohort::hostileText()
{
    QFETCH(QByteArray, note);
    QFETCH(int, rowsBefore);
    QFETCH(QString, error);
    QByteArray text = "note," + predictorHeader + "\n";
    for (int i = 0; i < rowsBefore; ++i)
        text += "ok," + goodPredictors + "\n";
    text += "\"" + note + "\"," + goodPredictors + "\n";
    const Run run = predict(text);
    QVERIFY2(run.ok, qPrintable(run.error));
    QCOMPARE(run.refused, error.isEmpty() ? 0 : 1);
    QCOMPARE(errorOfRow(run.output, rowsBefore + 1), error);
}

void TestCohort::fileErrors_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("decimalComma");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << 0 << "test.csv is empty";
    QTest::newRow("missing column") << QByteArray("restrained_eating,initial_bmi\n3,35\n") << 0
                                    << "no column emotional_eating, external_eating";
    QTest::newRow("not text") << QByteArray("PK\x03\x04\0\0" + predictorHeader, 6 + predictorHeader.size())
                              << 0 << "not a text file";
    QTest::newRow("twice") << predictorHeader + ",Initial_BMI\n" << 0 << "“initial_bmi” appears more than once";
    QTest::newRow("already predicted") << predictorHeader + ",error\n" << 0 << "already has a column “error”";
    QTest::newRow("comma with decimal comma") << predictorHeader + "\n" << 1 << "cannot be a comma";
    const QByteArray longField(1100 * 1024, 'x');
    QTest::newRow("long field") << "note," + predictorHeader + "\nok," + goodPredictors + "\n" + longField
                                       + "," + goodPredictors + "\n"
                                << 0 << "test.csv:3: the record is longer than 1 MiB";
    QTest::newRow("long quoted record over lines")
        << "note," + predictorHeader + "\n\"" + QByteArray(300 * 1024, 'x').append('\n').repeated(4) + "\","
               + goodPredictors + "\n"
        << 0 << "test.csv:2: the record is longer than 1 MiB";
    QTest::newRow("many empty fields") << predictorHeader + "\n" + QByteArray(600 * 1024, ',') + "\n" << 0
                                       << "test.csv:2: the record is longer than 1 MiB";
    QTest::newRow("long header line") << predictorHeader + QByteArray(1100 * 1024, 'x') + "\n" << 0
                                      << "test.csv:1: the record is longer than 1 MiB";
    QTest::newRow("control character in the header") << "note\x07," + predictorHeader + "\n" << 0
                                                      << "test.csv:1: the header line's field 1 holds the "
                                                         "control character U+0007 (BEL) at byte 4";
}

// A file that cannot be read as a cohort is one clear message, not a run.
void TestCohort::fileErrors()
{
    QFETCH(QByteArray, text);
    QFETCH(int, decimalComma);
    QFETCH(QString, message);
    CohortReadOptions options;
    options.mark = decimalComma ? DecimalMark::Comma : DecimalMark::Point;
    const Run run = predict(text, options);
    QVERIFY(!run.ok);
    QVERIFY2(run.error.contains(message), qPrintable(run.error));
}

void TestCohort::fileShapes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("passedThrough"); // the first output row starts with it
    QTest::addColumn<int>("refusedLine");          // line of the refused last row, counted from 1
    const QByteArray header = "code, Note ," + predictorHeader;
    const QByteArray bad = "Z,,3,3,3,20,30,20,60,99\n";
    QTest::newRow("plain") << header + "\nP1, keep  me ," + goodPredictors + "\n" + bad
                           << QByteArray("P1, keep  me ,") << 3;
    QTest::newRow("byte-order mark, CRLF") << "\xEF\xBB\xBF" + header + "\r\nP1,x," + goodPredictors + "\r\n" + bad
                                           << QByteArray("P1,x,") << 3;
    QTest::newRow("quotes and a line break inside")
        << header + "\n\"P1\",\"two\nlines, \"\"quoted\"\"\"," + goodPredictors + "\n\n" + bad
        << QByteArray("P1,\"two\nlines, \"\"quoted\"\"\",") << 5;
    QByteArray semicolons = header + "\nP1;x;" + goodPredictors + "\n" + bad;
    semicolons.replace(',', ';');
    QTest::newRow("semicolons") << semicolons << QByteArray("P1;x;") << 3;
    QByteArray tabs = header.toUpper() + "\nP1\tx\t" + goodPredictors + "\n" + bad;
    tabs.replace(',', '\t');
    QTest::newRow("tabs, upper-case names") << tabs << QByteArray("P1\tx\t") << 3;
}

// The dialects of CSV a spreadsheet writes: every one gives the same predictions, passes
// other columns through as they were, and names the right line for a refused row.
void TestCohort::fileShapes()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, passedThrough);
    QFETCH(int, refusedLine);

    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    CohortInput input(in, QStringLiteral("test.csv"), {});
    QTemporaryFile refusals;
    QVERIFY(refusals.open());
    std::FILE *stream = fdopen(dup(refusals.handle()), "w");
    input.setRefusalStream(stream);
    CohortPrediction prediction({});
    QVERIFY2(prediction.run(input, out), qPrintable(prediction.error()));
    std::fclose(stream);
    QCOMPARE(input.rowsRefused(), 1);
    refusals.seek(0);
    QVERIFY(refusals.readAll().startsWith(QStringLiteral("test.csv:%1: initial_bmi").arg(refusedLine).toLatin1()));

    const QByteArray output = out.data();
    const int firstRow = output.indexOf('\n') + 1;
    QVERIFY2(output.mid(firstRow).startsWith(passedThrough), output.constData());
    QCOMPARE(output.startsWith("\xEF\xBB\xBF"), text.startsWith("\xEF\xBB\xBF"));

    PredictorValues values{};
    QCOMPARE(firstInvalidPredictor(QString::fromLatin1(goodPredictors).split(QLatin1Char(',')), &values), -1);
    const char delimiter = input.delimiter();
    QByteArray expected;
    for (double month : predictBmiCourse(values))
        expected += delimiter + shortest(month).toLatin1();
    QVERIFY2(output.contains(expected + delimiter + (text.contains("\r\n") ? "\r\n" : "\n")), output.constData());
}

void TestCohort::decimalComma()
{
    CohortReadOptions options;
    options.mark = DecimalMark::Comma;
    const Run run = predict("code;" + QByteArray(predictorHeader).replace(',', ';') + "\nP1;3;3;3;20;30;20;60;35,5\nP2;3;3;3;20;30;20;60;35.5\n", options);
    QVERIFY2(run.ok, qPrintable(run.error));
    QCOMPARE(run.refused, 1);
    PredictorValues values{3, 3, 3, 20, 30, 20, 60, 35.5};
    QString month1 = shortest(predictBmiCourse(values)[0]);
    month1.replace(QLatin1Char('.'), QLatin1Char(','));
    QVERIFY2(run.output.split('\n').value(1).contains(";" + month1.toLatin1() + ";"), run.output.constData());
    QCOMPARE(QString::fromUtf8(run.output.split('\n').value(2).split(';').last()),
             QStringLiteral("initial_bmi: “35.5” uses a decimal point: write 35,5"));
}

// A plot keeps no more than PlottedPoints people, chosen from the whole file, not its start,
// each kept once, and knows how many there were.
void TestCohort::plotOfALargeCohortIsASample()
{
    const int rows = CohortValidation::PlottedPoints + 5000;
    QByteArray text = "restrained_eating,emotional_eating,external_eating,personal_standards,"
                      "concern_over_mistakes,body_image_dissatisfaction,alexithymia,initial_bmi,bmi_month_6\n";
    for (int i = 0; i < rows; ++i)
        text += "3,3,3,20,30,20,60,35," + QByteArray::number(20 + i / 1000.0, 'f', 3) + '\n';
    QBuffer in(&text);
    in.open(QIODevice::ReadOnly);
    CohortInput input(in, QStringLiteral("large.csv"), {});
    CohortValidation validation;
    QString error;
    QVERIFY2(validation.read(input, true, 6, &error), qPrintable(error));
    QCOMPARE(qint64(validation.points.size()), qint64(CohortValidation::PlottedPoints));
    QCOMPARE(validation.plotPeople, qint64(rows));
    QSet<int> kept;
    for (const QPointF &point : validation.points)
        kept.insert(qRound((point.y() - 20) * 1000));
    QCOMPARE(kept.size(), CohortValidation::PlottedPoints);
    QVERIFY(*std::max_element(kept.cbegin(), kept.cend()) >= CohortValidation::PlottedPoints);
    QVERIFY(*std::min_element(kept.cbegin(), kept.cend()) >= 0);
}

void TestCohort::statistics_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QList<double>>("figures");
    // Worked out apart from this program (two-pass sums in Python, Student t quantiles by
    // numerical integration of the density) from the predictions telma-cohort wrote for the
    // rows below: mean observed, mean predicted, mean error and its interval, slope and its
    // interval, intercept and its interval, R², RMSE, MAE.
    QTest::addRow("month 1") << 1 << qint64(6) << QList<double>{35.550000000000004, 34.35178346497997, 1.198216535020033, -0.015301679383741718, 2.4117347494238075, 0.8937470600978166, 0.6956053009682007, 1.0918888192274323, 4.8481945190573725, -2.059081710832136, 11.75547074894688, 0.9115473317078546, 1.5968771763368779, 1.2821614364203764};
    QTest::addRow("month 3") << 3 << qint64(3) << QList<double>{34.96666666666667, 32.01023351706545, 2.9564331496012115, -4.591150943215046, 10.504017242417468, 0.6318047044730716, -0.8507916658291094, 2.1144010747752526, 14.742450539303121, -33.66172111692612, 63.14662219553236, 0.12532629453015298, 3.859367998063769, 2.9564331496012115};
    QTest::addRow("month 6") << 6 << qint64(5) << QList<double>{30.919999999999998, 25.717479668013993, 5.202520331986008, -1.4768257131675844, 11.881866377139602, 0.49340863360607917, 0.15777274230904603, 0.8290445249031123, 18.230773497213093, 9.092996433072923, 27.368550561353263, -1.2724707027892252, 7.086335343600048, 5.202520331986008};
}

// A small cohort: months with fewer than 3 observed values are left out, a refused row is
// no data, and every figure matches the independent computation.
void TestCohort::statistics()
{
    QFETCH(int, month);
    QFETCH(qint64, n);
    QFETCH(QList<double>, figures);
    QBuffer in;
    in.setData("code,restrained_eating,emotional_eating,external_eating,personal_standards,"
               "concern_over_mistakes,body_image_dissatisfaction,alexithymia,initial_bmi,"
               "bmi_month_1,bmi_month_3,bmi_month_6,bmi_month_4\n"
               "A,2,2,2,15,25,10,50,32,31.4,29.8,27.5,30\n"
               "B,3,1.5,2.5,20,30,20,60,36.5,36.9,35.2,33.9,\n"
               "C,1.5,3,3.5,25,35,30,70,41,40.1,39.9,38.2,\n"
               "D,4,2.5,1.5,12,20,15,45,29.3,28.0,,24.9,28\n"
               "E,2.5,3.5,2,30,45,25,80,44.2,43.9,,,\n"
               "F,3.5,1.2,4,18,28,40,55,33.8,33.0,,30.1,\n"
               "G,3,3,3,20,30,20,60,70,69,68,67,66\n");
    in.open(QIODevice::ReadOnly);
    CohortInput input(in, QStringLiteral("test.csv"), {});
    input.setRefusalStream(nullptr);
    CohortValidation validation;
    QString error;
    QVERIFY2(validation.read(input, true, 0, &error), qPrintable(error));
    QCOMPARE(validation.rowsRead, 7);
    QCOMPARE(validation.rowsRefused, 1);
    QCOMPARE(int(validation.months.size()), 3); // month 4 has only 2 values
    QCOMPARE(validation.plotMonth, 6);
    QCOMPARE(int(validation.points.size()), 5);

    const auto found = std::find_if(validation.months.begin(), validation.months.end(),
                                    [month](const CohortValidation::Month &m) { return m.month == month; });
    QVERIFY(found != validation.months.end());
    const CalibrationStatistics &s = found->statistics;
    QCOMPARE(s.n, n);
    const double got[] = {s.meanObserved, s.meanPredicted, s.meanError, s.meanErrorCi[0], s.meanErrorCi[1],
                          s.slope, s.slopeCi[0], s.slopeCi[1], s.intercept, s.interceptCi[0],
                          s.interceptCi[1], s.r2, s.rmse, s.mae};
    for (int i = 0; i < figures.size(); ++i) {
        // The reference quantiles come from numerical integration, good to about 1e-10.
        QVERIFY2(std::fabs(got[i] - figures[i]) <= 1e-8 * std::max(1.0, std::fabs(figures[i])),
                 qPrintable(QStringLiteral("figure %1: %2 instead of %3").arg(i).arg(got[i], 0, 'g', 17).arg(figures[i], 0, 'g', 17)));
    }

    // The JSON carries the same doubles in full.
    const QJsonObject json = QJsonDocument::fromJson(validation.json()).object();
    QCOMPARE(json.value(QLatin1String("rows_refused")).toInt(), 1);
    const QJsonObject first = json.value(QLatin1String("months")).toArray().at(0).toObject();
    QCOMPARE(first.value(QLatin1String("mean_error")).toDouble(), validation.months[0].statistics.meanError);
    QCOMPARE(first.value(QLatin1String("slope_ci")).toArray().at(1).toDouble(), validation.months[0].statistics.slopeCi[1]);
}

void TestCohort::figuresThatCannotBeComputed_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("nulls"); // JSON keys that must be null
    QTest::addColumn<QStringList>("numbers"); // JSON keys that must be numbers
    // One person three times: every prediction the same, so no line can be fitted.
    QTest::newRow("one prediction") << QByteArray(goodPredictors + ",30\n" + goodPredictors + ",31\n" + goodPredictors + ",32\n")
                                    << QStringList{"slope", "intercept"} << QStringList{"r2", "mean_error", "rmse"};
    // Everyone observed at the same BMI: R² has nothing to compare with.
    QTest::newRow("one observation") << QByteArray("3,3,3,20,30,20,60,35,30\n2,2,2,15,25,10,50,32,30\n4,2.5,1.5,12,20,15,45,29.3,30\n")
                                     << QStringList{"r2"} << QStringList{"slope", "mean_error", "mae"};
}

// Degenerate cohorts give null where a figure is undefined, never NaN or a division by zero.
void TestCohort::figuresThatCannotBeComputed()
{
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, nulls);
    QFETCH(QStringList, numbers);
    QBuffer in;
    in.setData(predictorHeader + ",bmi_month_2\n" + rows);
    in.open(QIODevice::ReadOnly);
    CohortInput input(in, QStringLiteral("test.csv"), {});
    CohortValidation validation;
    QString error;
    QVERIFY2(validation.read(input, false, 0, &error), qPrintable(error));
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(validation.json(), &parse);
    QCOMPARE(parse.error, QJsonParseError::NoError);
    const QJsonObject month = json.object().value(QLatin1String("months")).toArray().at(0).toObject();
    QCOMPARE(month.value(QLatin1String("month")).toInt(), 2);
    for (const QString &key : nulls)
        QVERIFY2(month.value(key).isNull(), qPrintable(key));
    for (const QString &key : numbers)
        QVERIFY2(month.value(key).isDouble(), qPrintable(key));
}

QTEST_GUILESS_MAIN(TestCohort)
#include "tst_cohort.moc"
