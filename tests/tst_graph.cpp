#include "bmicourse.h"
#include "casecodenotifier.h"
#include "chartxy.h"
#include "chartxysetting.h"
#include "fixture.h"
#include "graph.h"
#include "mainwindow.h"
#include "modaldriver.h"

#include <QtTest>
#include <QAction>
#include <QClipboard>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>

namespace {

using Course = std::array<double, 6>;

ChartXY *chartOf(QWidget *dialog)
{
    return dialog->findChild<ChartXY *>(QStringLiteral("chart"));
}

QList<double> seriesOf(QWidget *dialog)
{
    QList<double> values;
    const QAbstractItemModel *model = chartOf(dialog)->model();
    for (int row = 0; model && row < model->rowCount(); ++row)
        values << model->index(row, 1).data(Qt::EditRole).toDouble();
    return values;
}

const PredictorValues typicalValues{3, 3, 3, 21, 39, 28, 70, 35};
const PredictorValues lowerCorner{1, 1, 1, 7, 13, 1, 30, 30};

QPushButton *buttonOf(QWidget *dialog, const char *name)
{
    return dialog->findChild<QDialogButtonBox *>("buttonBox")->findChild<QPushButton *>(name);
}

QLabel *cautionOf(QWidget *dialog)
{
    return dialog->findChild<QLabel *>(QStringLiteral("cautionLabel"));
}

void showCourseOf(graph &dialog, const PredictorValues &values)
{
    BmiCourse course = predictBmiCourse(values);
    dialog.prepareview(course.data());
}

// Presses "Simulation" and returns the sources the result dialog was given.
PredictorSources simulate(MainWindow &window)
{
    PredictorSources sources;
    bool seen = false;
    onNextModal([&](QWidget *modal) {
        if (auto *result = qobject_cast<graph *>(modal))
            sources = result->record().sources;
        modal->close();
    }, &seen);
    window.findChild<QCommandLinkButton *>("btnSimulation")->click();
    if (!seen)
        qWarning("no dialog opened");
    return sources;
}

// Runs the restrained-eating questionnaire with every item answered, ending it with ending.
void runRestrainedEating(MainWindow &window, QDialog::DialogCode ending)
{
    onNextModal([ending](QWidget *modal) {
        answerRows(modal, sameAnswer(10, 2));
        static_cast<QDialog *>(modal)->done(ending);
    });
    window.findChild<QPushButton *>("pushButton_RES")->click();
}

// An extension as another library would write one: a button of its own, and a label that
// shows the case the result belongs to, both through the dialog's declared interface.
class StampExtension : public QObject
{
public:
    explicit StampExtension(graph &result)
        : QObject(&result)
        , action(new QAction(QStringLiteral("Stamp…"), &result))
        , label(new QLabel)
    {
        action->setObjectName(QStringLiteral("stampButton"));
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
        button = result.addActionButton(action);
        connect(action, &QAction::triggered, this, [this] { ++stamps; });
        label->setObjectName(QStringLiteral("stampLabel"));
        result.addExtra(label);
        connect(result.caseCodeNotifier(), &CaseCodeNotifier::changed, label, &QLabel::setText);
    }

    QAction *action;
    QLabel *label;
    QPushButton *button = nullptr;
    int stamps = 0;
};

} // namespace

class TestGraph : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void form();
    void prepareviewSlot();
    void modelContentsAndRoles();
    void limitsOfWorkedExamples_data();
    void limitsOfWorkedExamples();
    void secondCallAttachesNewModel();
    void simulationOpensResult();
    void buttonsBesideOkWhichStaysDefault();
    void reportButtonsWaitForTheInputs();
    void copyPutsTheValuesAndChartOnTheClipboard();
    void cautionsShownUnderTheChart_data();
    void cautionsShownUnderTheChart();
    void savePdfProposesDatedNameAndWrites();
    void printOpensThePrintDialog();
    void sourcesFollowQuestionnairesUntilEdited();
    void extensionButtonFollowsItsAction();
    void extensionExtrasStandBetweenChartAndButtons();
    void extensionHearsOfTheCaseCode();
};

void TestGraph::initTestCase()
{
    Q_INIT_RESOURCE(telma);
}

void TestGraph::form()
{
    graph dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("A person's TELMA score"));
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.size(), QSize(640, 480));

    ChartXY *chart = chartOf(&dialog);
    QVERIFY(chart);
    QVERIFY(!chart->model());
    const QList<QPair<QString, QString>> labels = {
        {"label_2", "BMI(kg/m2)"},
        {"label_3", "Month"},
        {"label", "Predicted time courses of person's BMI(kg/m2) during six month of CBT "
                  "treatment"}};
    for (const auto &[name, text] : labels) {
        auto *label = dialog.findChild<QLabel *>(name);
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), text);
        QCOMPARE(label->parentWidget(), chart);
    }
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok);

    // Shown before prepareview: an empty chart that still paints, and Ok accepts.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!chart->viewport()->grab().isNull());
    // The caption at the bottom, the Y title above it, the X title at the right.
    QWidget *caption = dialog.findChild<QLabel *>("label");
    QWidget *yTitle = dialog.findChild<QLabel *>("label_2");
    QWidget *xTitle = dialog.findChild<QLabel *>("label_3");
    QVERIFY(yTitle->y() < xTitle->y() && xTitle->y() < caption->y());
    QVERIFY(yTitle->x() < caption->x() && caption->geometry().right() < xTitle->geometry().right());
    buttons->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void TestGraph::prepareviewSlot()
{
    const QMetaObject &mo = graph::staticMetaObject;
    QCOMPARE(mo.className(), "graph");
    QCOMPARE(mo.methodCount() - mo.methodOffset(), 1);
    const QMetaMethod slot = mo.method(mo.methodOffset());
    QCOMPARE(slot.methodSignature(), QByteArray("prepareview(double[6])"));
    QCOMPARE(slot.parameterNames(), QByteArrayList({"month"}));
    QCOMPARE(slot.methodType(), QMetaMethod::Slot);
    QCOMPARE(slot.access(), QMetaMethod::Public);
}

void TestGraph::modelContentsAndRoles()
{
    graph dialog;
    double month[6] = {34.5, 34.0, 33.25, 32.5, 32.0, 31.75};
    dialog.prepareview(month);
    auto *model = qobject_cast<QStandardItemModel *>(chartOf(&dialog)->model());
    QVERIFY(model);
    QCOMPARE(model->parent(), &dialog);
    QCOMPARE(model->rowCount(), 6);
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Month"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("BMI (kg/m²)"));
    for (int row = 0; row < 6; ++row) {
        const QVariant x = model->index(row, 0).data(Qt::EditRole);
        const QVariant y = model->index(row, 1).data(Qt::EditRole);
        QCOMPARE(x.typeId(), int(QMetaType::Int));
        QCOMPARE(x.toInt(), row + 1);
        QCOMPARE(y.typeId(), int(QMetaType::Double));
        QCOMPARE(y.toDouble(), month[row]);
        QCOMPARE(model->index(row, 1).data(Qt::DecorationRole), QVariant(QColor(255, 0, 0)));
        QVERIFY(!model->index(row, 0).data(Qt::DecorationRole).isValid());
    }
}

void TestGraph::limitsOfWorkedExamples_data()
{
    QTest::addColumn<Course>("course");
    QTest::addColumn<double>("ymin");
    QTest::addColumn<double>("ymax");
    QTest::newRow("steps of 0.5") << Course{34.3829, 33.6, 32.9, 32.3, 31.8, 31.4569} << 31.0 << 34.5;
    QTest::newRow("steps of 3") << Course{40.4962, 35.0, 30.0, 27.0, 25.0, 23.9013} << 21.0 << 42.0;
    QTest::newRow("from zero") << Course{14.9983, 10.0, 6.0, 3.0, 1.0, 0.4684} << 0.0 << 21.0;
    // Equal values are not rounded; the line is drawn at mid-height.
    QTest::newRow("flat") << Course{33.0, 33.0, 33.0, 33.0, 33.0, 33.0} << 33.0 << 33.0;
}

void TestGraph::limitsOfWorkedExamples()
{
    QFETCH(Course, course);
    QFETCH(double, ymin);
    QFETCH(double, ymax);
    graph dialog;
    dialog.prepareview(course.data());
    const ChartXYLimit &limit = chartOf(&dialog)->setting()->scale()->limitView();
    QCOMPARE(limit.x().min(), QVariant(0));
    QCOMPARE(limit.x().max(), QVariant(6));
    QCOMPARE(limit.x().type(), int(QMetaType::Int));
    QCOMPARE(limit.y().min().toDouble(), ymin);
    QCOMPARE(limit.y().max().toDouble(), ymax);
    QCOMPARE(limit.y().type(), int(QMetaType::Double));
}

void TestGraph::secondCallAttachesNewModel()
{
    graph dialog;
    Course first{30, 30.5, 31, 31.5, 32, 32.5};
    Course second{20, 21, 22, 23, 24, 25};
    dialog.prepareview(first.data());
    QAbstractItemModel *firstModel = chartOf(&dialog)->model();
    dialog.prepareview(second.data());
    QVERIFY(chartOf(&dialog)->model() != firstModel);
    QCOMPARE(firstModel->parent(), &dialog);
    QCOMPARE(seriesOf(&dialog), QList<double>(second.begin(), second.end()));
    graph fresh;
    fresh.prepareview(second.data());
    QCOMPARE(chartOf(&dialog)->setting()->scale()->limitView(),
             chartOf(&fresh)->setting()->scale()->limitView());
}

void TestGraph::simulationOpensResult()
{
    MainWindow window;
    window.show();
    const QStringList texts = {"3", "3", "3", "21", "39", "28", "70", "35"};
    PredictorValues values{};
    for (int i = 0; i < 8; ++i) {
        const QString name = i == 0 ? QStringLiteral("lineEdit") : QStringLiteral("lineEdit_%1").arg(i + 1);
        window.findChild<QLineEdit *>(name)->setText(texts.at(i));
        values[i] = texts.at(i).toDouble();
    }
    const BmiCourse expected = predictBmiCourse(values);

    bool opened = false;
    QString title;
    QList<double> shown;
    onNextModal([&](QWidget *modal) {
        title = modal->windowTitle();
        if (qobject_cast<graph *>(modal) && chartOf(modal))
            shown = seriesOf(modal);
        auto *buttons = modal->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        if (buttons)
            buttons->button(QDialogButtonBox::Ok)->click();
        else
            modal->close();
    }, &opened);
    QTest::mouseClick(window.findChild<QCommandLinkButton *>("btnSimulation"), Qt::LeftButton);

    QVERIFY(opened);
    QCOMPARE(title, QStringLiteral("A person's TELMA score"));
    QCOMPARE(shown, QList<double>(expected.begin(), expected.end()));
    QVERIFY(!QApplication::activeModalWidget());
    // Closed and destroyed when the slot returns.
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<graph *>(widget));
    for (int i = 0; i < 8; ++i) {
        const QString name = i == 0 ? QStringLiteral("lineEdit") : QStringLiteral("lineEdit_%1").arg(i + 1);
        QCOMPARE(window.findChild<QLineEdit *>(name)->text(), texts.at(i));
    }
}

void TestGraph::buttonsBesideOkWhichStaysDefault()
{
    graph dialog;
    showCourseOf(dialog, typicalValues);
    auto *box = dialog.findChild<QDialogButtonBox *>("buttonBox");
    QCOMPARE(box->standardButtons(), QDialogButtonBox::Ok);
    QStringList texts;
    for (QAbstractButton *button : box->buttons())
        texts << button->text();
    texts.sort();
    QCOMPARE(texts, QStringList({"Copy", "OK", "Print…", "Save PDF…"}));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(box->button(QDialogButtonBox::Ok)->isDefault());
    for (const char *name : {"copyButton", "printButton", "savePdfButton"}) {
        QPushButton *button = buttonOf(&dialog, name);
        QVERIFY2(button && !button->isDefault() && !button->autoDefault(), name);
        QCOMPARE(button->parentWidget(), box);
    }
    // Even with focus on another button, Return accepts.
    buttonOf(&dialog, "printButton")->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

void TestGraph::reportButtonsWaitForTheInputs()
{
    graph dialog;
    QVERIFY(!buttonOf(&dialog, "copyButton")->isEnabled());
    QVERIFY(!buttonOf(&dialog, "printButton")->isEnabled());
    showCourseOf(dialog, typicalValues);
    QVERIFY(buttonOf(&dialog, "copyButton")->isEnabled());
    QVERIFY(!buttonOf(&dialog, "savePdfButton")->isEnabled());
    dialog.setPredictors(typicalValues, PredictorSources());
    QVERIFY(buttonOf(&dialog, "printButton")->isEnabled());
    QVERIFY(buttonOf(&dialog, "savePdfButton")->isEnabled());
}

void TestGraph::copyPutsTheValuesAndChartOnTheClipboard()
{
    graph dialog;
    double month[6] = {34.5, 34.0, 33.25, 32.5, 32.0, 31.75};
    dialog.prepareview(month);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QGuiApplication::clipboard()->clear();
    buttonOf(&dialog, "copyButton")->click();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QCOMPARE(data->text(), QStringLiteral("Month\tBMI (kg/m²)\n1\t34.5\n2\t34\n3\t33.25\n"
                                          "4\t32.5\n5\t32\n6\t31.75\n"));
    QVERIFY(data->hasImage());
    QVERIFY(dialog.isVisible());

    // The axis titles and the caption over the chart are in the picture, where they show.
    const QImage withLabels = qvariant_cast<QImage>(data->imageData());
    ChartXY *chart = chartOf(&dialog);
    const QPoint origin = chart->viewport()->pos();
    for (const char *name : {"label", "label_2", "label_3"}) {
        QLabel *label = dialog.findChild<QLabel *>(name);
        QVERIFY(label && label->isVisible());
        const QRect place = label->geometry().translated(-origin);
        const qreal ratio = withLabels.devicePixelRatio();
        const QImage shown = withLabels.copy(
            QRectF(QPointF(place.topLeft()) * ratio, QSizeF(place.size()) * ratio).toAlignedRect());
        const QImage alone = label->grab().toImage().scaled(shown.size());
        // At a fractional ratio the two pictures may round a pixel apart: a text pixel counts
        // as there when the copy is dark at it or next to it.
        const auto darkNear = [&shown](int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (shown.valid(x + dx, y + dy) && qGray(shown.pixel(x + dx, y + dy)) < 100)
                        return true;
            return false;
        };
        int text = 0;
        int missing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (qGray(alone.pixel(x, y)) < 100) {
                    ++text;
                    missing += !darkNear(x, y);
                }
        // The dark pixels of the label's text are dark in the copy too.
        QVERIFY2(text > 20 && missing < text / 10, name);
    }
}

void TestGraph::cautionsShownUnderTheChart_data()
{
    QTest::addColumn<Course>("course");
    QTest::addColumn<double>("initial"); // 0: the inputs are not given
    QTest::addColumn<int>("lines");
    QTest::newRow("typical") << predictBmiCourse(typicalValues) << 35.0 << 0;
    QTest::newRow("ends at 18.5, inputs not given") << Course{20, 19.8, 19.5, 19, 18.7, 18.5}
                                                   << 0.0 << 0;
    QTest::newRow("ends below 18.5, inputs not given")
        << Course{20, 19.8, 19.5, 19, 18.7, 18.49} << 0.0 << 1;
    // Without its initial BMI the lower corner's loss cannot be judged; with it, it is.
    QTest::newRow("lower corner, inputs not given") << predictBmiCourse(lowerCorner) << 0.0
                                                    << 2;
    QTest::newRow("lower corner") << predictBmiCourse(lowerCorner) << 30.0 << 4;
}

void TestGraph::cautionsShownUnderTheChart()
{
    QFETCH(Course, course);
    QFETCH(double, initial);
    QFETCH(int, lines);
    graph dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect chartAtRest = chartOf(&dialog)->geometry();
    QVERIFY(!cautionOf(&dialog)->isVisible());

    dialog.prepareview(course.data());
    if (initial > 0) {
        PredictorValues values = typicalValues;
        values[static_cast<int>(Predictor::InitialBmi)] = initial;
        dialog.setPredictors(values, {});
    }
    QCoreApplication::sendPostedEvents();
    QCOMPARE(cautionOf(&dialog)->isVisible(), lines > 0);
    if (lines > 0) {
        QLabel *label = cautionOf(&dialog);
        QCOMPARE(label->text().count('\n') + 1, lines);
        // Under the chart, inside the dialog.
        QVERIFY(label->geometry().top() >= chartOf(&dialog)->geometry().bottom());
        QVERIFY(label->geometry().bottom() <= dialog.rect().bottom());
    } else {
        QCOMPARE(chartOf(&dialog)->geometry(), chartAtRest);
    }
}

void TestGraph::savePdfProposesDatedNameAndWrites()
{
    QTemporaryDir dir;
    graph dialog;
    showCourseOf(dialog, typicalValues);
    dialog.setPredictors(typicalValues, PredictorSources(),
                         QDateTime(QDate(2026, 3, 14), QTime(9, 26)));
    QCOMPARE(QFileInfo(dialog.defaultReportFileName()).fileName(),
             QStringLiteral("telma-2026-03-14.pdf"));
    QCOMPARE(QFileInfo(dialog.defaultReportFileName()).absolutePath(),
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));

    const QString target = dir.filePath("kept.pdf");
    QString proposed;
    bool seen = false;
    onNextModal([&](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        if (!files) {
            modal->close();
            return;
        }
        proposed = files->selectedFiles().value(0);
        files->selectFile(target);
        static_cast<QDialog *>(files)->accept();
    }, &seen);
    buttonOf(&dialog, "savePdfButton")->click();
    QVERIFY(seen);
    QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("telma-2026-03-14.pdf"));
    QVERIFY(QFileInfo(target).size() > 0);
}

void TestGraph::printOpensThePrintDialog()
{
    graph dialog;
    showCourseOf(dialog, typicalValues);
    dialog.setPredictors(typicalValues, PredictorSources());
    QString opened;
    bool seen = false;
    onNextModal([&](QWidget *modal) {
        opened = QString::fromLatin1(modal->metaObject()->className());
        static_cast<QDialog *>(modal)->reject();
    }, &seen);
    buttonOf(&dialog, "printButton")->click();
    QVERIFY(seen);
    QVERIFY2(opened.contains("PrintDialog"), qPrintable(opened));
}

void TestGraph::sourcesFollowQuestionnairesUntilEdited()
{
    MainWindow window;
    window.show();
    enterTypicalPerson(window);
    QCOMPARE(simulate(window), PredictorSources());

    const QString debq = QStringLiteral("DEBQ, “Restrained eating” scale");
    runRestrainedEating(window, QDialog::Accepted);
    QCOMPARE(window.findChild<QLineEdit *>("lineEdit")->text(), QStringLiteral("3.00"));
    PredictorSources expected;
    expected[0] = debq;
    QCOMPARE(simulate(window), expected);

    // Typed over by hand: the value is the user's now.
    QLineEdit *field = window.findChild<QLineEdit *>("lineEdit");
    field->setFocus();
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_5);
    QCOMPARE(field->text(), QStringLiteral("3.05"));
    QCOMPARE(simulate(window), PredictorSources());
    // A cancelled questionnaire changes neither the value nor its source.
    runRestrainedEating(window, QDialog::Rejected);
    QCOMPARE(field->text(), QStringLiteral("3.05"));
    QCOMPARE(simulate(window), PredictorSources());

    // Other fields keep their own sources.
    runRestrainedEating(window, QDialog::Accepted);
    QTest::keyClicks(window.findChild<QLineEdit *>("lineEdit_8"), ".0");
    QCOMPARE(simulate(window), expected);
}

void TestGraph::extensionButtonFollowsItsAction()
{
    graph dialog;
    showCourseOf(dialog, typicalValues);
    StampExtension stamp(dialog);
    QPushButton *button = buttonOf(&dialog, "stampButton");
    QCOMPARE(button, stamp.button);
    QCOMPARE(button->text(), QStringLiteral("Stamp…"));
    QVERIFY(button->toolTip().isEmpty());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(stamp.stamps, 2);

    stamp.action->setEnabled(false);
    QVERIFY(!button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(stamp.stamps, 2);
    stamp.action->setText(QStringLiteral("Stamped"));
    stamp.action->setToolTip(QStringLiteral("Already stamped"));
    stamp.action->setVisible(false);
    QCOMPARE(button->text(), QStringLiteral("Stamped"));
    QCOMPARE(button->toolTip(), QStringLiteral("Already stamped"));
    QVERIFY(!button->isVisible());

    // Return still accepts, with focus on the extension's button too.
    stamp.action->setEnabled(true);
    stamp.action->setVisible(true);
    button->setFocus();
    QVERIFY(!button->isDefault());
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(stamp.stamps, 2);

    QPointer<QPushButton> gone(button);
    delete stamp.action;
    QTRY_VERIFY(!gone);
}

void TestGraph::extensionExtrasStandBetweenChartAndButtons()
{
    graph dialog;
    showCourseOf(dialog, typicalValues);
    StampExtension first(dialog);
    auto *second = new QLabel(QStringLiteral("second"));
    dialog.addExtra(second);
    first.label->setText(QStringLiteral("first"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QWidget *chart = chartOf(&dialog);
    const auto *buttons = dialog.findChild<QDialogButtonBox *>("buttonBox");
    QVERIFY(first.label->isVisible() && second->isVisible());
    QCOMPARE(second->window(), &dialog);
    QVERIFY(chart->geometry().bottom() < first.label->y());
    QVERIFY(first.label->geometry().bottom() < second->y());
    QVERIFY(second->geometry().bottom() < buttons->y());
}

void TestGraph::extensionHearsOfTheCaseCode()
{
    graph dialog;
    StampExtension stamp(dialog);
    QSignalSpy changes(dialog.caseCodeNotifier(), &CaseCodeNotifier::changed);
    dialog.setCaseCode(QStringLiteral("AB-1"));
    dialog.setCaseCode(QStringLiteral("AB-1"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(stamp.label->text(), QStringLiteral("AB-1"));
    QCOMPARE(dialog.caseCode(), QStringLiteral("AB-1"));
    QCOMPARE(dialog.record().caseCode, QStringLiteral("AB-1"));
    dialog.setCaseCode(QString());
    QCOMPARE(changes.count(), 2);
    QVERIFY(stamp.label->text().isEmpty());
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
