#include "mainwindow.h"
#include "formchecks.h"
#include "modaldriver.h"

#include <QtTest>
#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

namespace {

const char *const fieldNames[] = {"lineEdit",   "lineEdit_2", "lineEdit_3", "lineEdit_4",
                                  "lineEdit_5", "lineEdit_6", "lineEdit_7", "lineEdit_8"};

QLineEdit *field(MainWindow &w, int i)
{
    return w.findChild<QLineEdit *>(fieldNames[i]);
}

void setFieldTexts(MainWindow &w, const QStringList &texts)
{
    for (int i = 0; i < 8; ++i)
        field(w, i)->setText(texts.at(i));
}

QStringList fieldTexts(MainWindow &w)
{
    QStringList texts;
    for (int i = 0; i < 8; ++i)
        texts << field(w, i)->text();
    return texts;
}

const char *const expectedMessages[] = {
    "The 'Restrained eating' value out of range!",
    "The 'Emotional eating' value out of range!",
    "The 'External eating' value out of range!",
    "The 'Personal standards' value out of range!",
    "The 'Concern over mistakes, doubts about actions' value out of range!",
    "The 'Body image dissatisfaction' value out of range!",
    "The 'Alexithymia' value out of range!",
    "The Body Mass Index value out of range!"};

struct WarningSeen {
    bool shown = false;
    QString modalClass;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int pointSize = 0;
    QString title;
};

// Does what the user does and reports the modal window it opened, if any.
WarningSeen watchModal(const std::function<void()> &userAction)
{
    WarningSeen seen;
    onNextModal([&seen](QWidget *modal) {
        seen.modalClass = QString::fromLatin1(modal->metaObject()->className());
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.text = box->text();
            seen.informativeText = box->informativeText();
            seen.icon = box->icon();
            seen.pointSize = box->font().pointSize();
            seen.title = box->windowTitle();
        }
        modal->close();
    }, &seen.shown);
    userAction();
    return seen;
}

WarningSeen pressSimulation(MainWindow &w)
{
    return watchModal([&w]() {
        QTest::mouseClick(w.findChild<QCommandLinkButton *>("btnSimulation"), Qt::LeftButton);
    });
}

WarningSeen pressKeyInField(MainWindow &w, int i, Qt::Key key)
{
    return watchModal([&w, i, key]() { QTest::keyClick(field(w, i), key); });
}

// Where each label, field and button of a predictor row sits in the window at the given size.
QMap<QString, QRect> formGeometry(MainWindow &w, const QSize &size)
{
    w.resize(size);
    QApplication::processEvents();
    QMap<QString, QRect> places;
    // The form only: the row of buttons below it has its own label.
    for (QWidget *child : w.findChild<QWidget *>("groupBox_2")->findChildren<QWidget *>()) {
        if (qobject_cast<QLabel *>(child) || qobject_cast<QLineEdit *>(child)
            || child->objectName().startsWith(QLatin1String("pushButton_")))
            places.insert(child->objectName(), QRect(child->mapTo(&w, QPoint()), child->size()));
    }
    return places;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsEmpty();
    void labelsShowTheirWholeText();
    void formStaysPutWhenWindowGrows();
    void slotsInDeclaredOrder();
    void embedsOneUncompressedPicture();
    void buttonsShowPicturesWhereverStarted_data();
    void buttonsShowPicturesWhereverStarted();
    void reportsFirstFailingField_data();
    void reportsFirstFailingField();
    void refusalSaysWhyAndReturnsToTheField_data();
    void refusalSaysWhyAndReturnsToTheField();
    void fixingAFieldMovesToTheNext();
    void validFieldsShowNoWarning();
    void returnInAFieldRunsSimulation_data();
    void returnInAFieldRunsSimulation();
    void closeEndsEventLoop();
    void commandButtonsShowFocus_data();
    void commandButtonsShowFocus();
};

void TestMainWindow::initTestCase()
{
    Q_INIT_RESOURCE(telma);
}

void TestMainWindow::startsEmpty()
{
    MainWindow w;
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("model TELMA"));
    QCOMPARE(w.size(), QSize(786, 666));
    QVERIFY(!w.windowIcon().isNull());
    for (int i = 0; i < 8; ++i)
        QVERIFY(field(w, i)->text().isEmpty());
    QVERIFY(!w.findChild<QMenuBar *>());
    QVERIFY(!w.findChild<QToolBar *>());
    QVERIFY(!w.findChild<QStatusBar *>());
}

void TestMainWindow::slotsInDeclaredOrder()
{
    compareSlots(MainWindow::staticMetaObject, {},
                 {"on_btnSimulation_clicked()", "on_btnClose_clicked()",
                  "on_pushButton_RES_clicked()", "on_pushButton_EM_clicked()",
                  "on_pushButton_EXT_clicked()", "on_pushButton_PS_clicked()",
                  "on_pushButton_MD_clicked()", "on_pushButton_BOD_clicked()",
                  "on_pushButton_ALEX_clicked()"});
}

void TestMainWindow::labelsShowTheirWholeText()
{
    // The range at the end of each label is what tells the user what to type.
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QStringList names = {"label",   "label_2", "label_3", "label_4",
                               "label_5", "label_6", "label_7", "label_8"};
    for (const QString &name : names) {
        auto *label = w.findChild<QLabel *>(name);
        const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                             : label->sizeHint().height();
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width()
                     || (label->wordWrap() && needed <= label->height()),
                 qPrintable(name));
    }
}

void TestMainWindow::formStaysPutWhenWindowGrows()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto smallest = formGeometry(w, w.minimumSize());
    const auto natural = formGeometry(w, QSize(786, 666));
    const auto large = formGeometry(w, QSize(1600, 1000));
    QCOMPARE(large.size(), 8 + 8 + 8); // labels, fields, seven questionnaires and the BMI button
    QCOMPARE(w.size(), QSize(1600, 1000));

    // Extra room stays empty beside and below the form instead of stretching it.
    for (auto it = natural.cbegin(); it != natural.cend(); ++it)
        QVERIFY2(large.value(it.key()) == it.value(), qPrintable(it.key()));
    for (auto it = large.cbegin(); it != large.cend(); ++it) {
        if (it.key().startsWith(QLatin1String("pushButton_"))) {
            QVERIFY2(smallest.value(it.key()).size() == it.value().size(), qPrintable(it.key()));
            QVERIFY2(it.value().width() < 2 * it.value().height(), qPrintable(it.key()));
        }
    }
}

void TestMainWindow::buttonsShowPicturesWhereverStarted_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("pathsResolve");
    QTest::newRow("the install tree's work folder")
        << QCoreApplication::applicationDirPath() + "/../share/telma/icons/run/workdir" << true;
    QTest::newRow("a folder elsewhere") << QDir::tempPath() << false;
    QTest::newRow("the root folder") << "/" << false;
}

void TestMainWindow::buttonsShowPicturesWhereverStarted()
{
    QFETCH(QString, folder);
    QFETCH(bool, pathsResolve);
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder));
    QCOMPARE(QFileInfo::exists("../../nextunfinished.png"), pathsResolve);
    MainWindow w;
    QDir::setCurrent(before);
    const QList<QAbstractButton *> buttons = w.findChildren<QAbstractButton *>();
    int pictured = 0;
    for (QAbstractButton *button : buttons) {
        if (!button->objectName().startsWith("pushButton_") && button->objectName() != "btnClose")
            continue;
        QVERIFY2(!button->icon().pixmap(QSize(16, 16)).isNull(), qPrintable(button->objectName()));
        ++pictured;
    }
    QCOMPARE(pictured, 7 + 1 + 1); // questionnaires, weight and height, Close
    // The weight-and-height button opens no questionnaire, and does not look like one.
    const auto picture = [&w](const char *name) {
        return w.findChild<QPushButton *>(name)->icon().pixmap(QSize(24, 24)).toImage();
    };
    QVERIFY(picture("pushButton_BMI") != picture("pushButton_ALEX"));
}

void TestMainWindow::commandButtonsShowFocus_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Simulation") << "btnSimulation";
    QTest::newRow("Cases") << "casesButton";
    QTest::newRow("Close") << "btnClose";
}

// Arriving by Tab on a command button changes how it looks.
void TestMainWindow::commandButtonsShowFocus()
{
    QFETCH(QString, button);
    MainWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *target = w.findChild<QCommandLinkButton *>(button);
    QVERIFY(target);
    field(w, 0)->setFocus(Qt::TabFocusReason);
    const QImage before = target->grab().toImage();
    target->setFocus(Qt::TabFocusReason);
    QVERIFY(target->hasFocus());
    QVERIFY(target->grab().toImage() != before);
}

void TestMainWindow::embedsOneUncompressedPicture()
{
    QResource globe(QStringLiteral(":/globe.jpg"));
    QVERIFY(globe.isValid());
    QCOMPARE(globe.compressionAlgorithm(), QResource::NoCompression);
    QVERIFY(!QImage(QStringLiteral(":/globe.jpg")).isNull());
    QCOMPARE(QFileInfo(QStringLiteral(":/globe.jpg")).size(), qint64(16434));
}

void TestMainWindow::reportsFirstFailingField_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("message");
    const QStringList valid = {"3", "3", "3", "21", "39", "28", "70", "35"};
    QTest::newRow("all empty") << QStringList(8, QString())
                               << "The 'Restrained eating' value out of range!";
    const auto &messages = expectedMessages;
    const char *bad[] = {"0.999", "2,5", "nan", "6", "66", "0", "inf", "14.99"};
    for (int i = 0; i < 8; ++i) {
        QStringList texts = valid;
        texts[i] = bad[i];
        // A later field is wrong too: only the first one may be reported.
        if (i < 7)
            texts[7] = "99";
        QTest::addRow("field %d", i + 1) << texts << messages[i];
    }
    // A decimal comma must not be read as a thousands separator (0,035 as 35).
    const struct {
        int field;
        const char *text;
    } grouped[] = {{3, "0,035"}, {6, "0,070"}, {7, "0,035"}, {4, "1,000"},
                   {5, "1,000"}, {0, "35,5"}, {7, "35,5"}};
    for (const auto &g : grouped) {
        QStringList texts = valid;
        texts[g.field] = g.text;
        QTest::addRow("field %d: %s", g.field + 1, g.text) << texts << messages[g.field];
    }
}

void TestMainWindow::reportsFirstFailingField()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, message);
    MainWindow w;
    w.show();
    setFieldTexts(w, texts);

    const WarningSeen seen = pressSimulation(w);
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, message);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.pointSize, 14);
    QVERIFY(seen.title.isEmpty());
    QCOMPARE(fieldTexts(w), texts);
}

void TestMainWindow::refusalSaysWhyAndReturnsToTheField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");
    const int bmi = 7;
    QTest::newRow("empty") << bmi << "" << "The field is empty. Write a number from 15 to 67.";
    QTest::newRow("blanks only") << bmi << "   "
                                 << "The field is empty. Write a number from 15 to 67.";
    QTest::newRow("decimal comma") << bmi << "35,5" << "“35,5” uses a decimal comma: write 35.5.";
    QTest::newRow("decimal comma, out of range")
        << bmi << "70,5" << "“70,5” uses a decimal comma: write 70.5. 70.5 is outside 15 to 67.";
    QTest::newRow("comma read as thousands elsewhere")
        << 3 << "0,035" << "“0,035” uses a decimal comma: write 0.035. 0.035 is outside 7 to 35.";
    QTest::newRow("letters") << bmi << "abc" << "“abc” is not a number. Write a number from 15 to 67.";
    QTest::newRow("nan") << 0 << "nan" << "“nan” is not a number. Write a number from 1 to 5.";
    QTest::newRow("inf") << 6 << "inf" << "“inf” is not a number. Write a number from 30 to 110.";
    QTest::newRow("two commas") << bmi << "3,5,5"
                                << "“3,5,5” is not a number. Write a number from 15 to 67.";
    QTest::newRow("above") << bmi << "70" << "70 is outside 15 to 67.";
    QTest::newRow("just below") << bmi << "14.99" << "14.99 is outside 15 to 67.";
    QTest::newRow("blanks around") << bmi << " 70 " << "70 is outside 15 to 67.";
    QTest::newRow("restrained above") << 0 << "5.001" << "5.001 is outside 1 to 5.";
}

void TestMainWindow::refusalSaysWhyAndReturnsToTheField()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    MainWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QStringList texts = {"3", "3", "3", "21", "39", "28", "70", "35"};
    texts[field] = typed;
    setFieldTexts(w, texts);
    ::field(w, 0)->setFocus();

    const WarningSeen seen = pressSimulation(w);
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, QString::fromLatin1(expectedMessages[field]));
    QCOMPARE(seen.informativeText, reason);
    // The window gives the focus back to this field when it is active again.
    QCOMPARE(w.focusWidget(), ::field(w, field));
    QCOMPARE(::field(w, field)->selectedText(), typed);
}

void TestMainWindow::fixingAFieldMovesToTheNext()
{
    MainWindow w;
    w.show();
    const QStringList texts = {"3", "3", "abc", "21", "39", "60", "70", "35"};
    setFieldTexts(w, texts);
    QCOMPARE(pressSimulation(w).text, QStringLiteral("The 'External eating' value out of range!"));
    field(w, 2)->setText("3");
    QCOMPARE(pressSimulation(w).text,
             QStringLiteral("The 'Body image dissatisfaction' value out of range!"));
}

void TestMainWindow::validFieldsShowNoWarning()
{
    MainWindow w;
    w.show();
    const QStringList texts = {"1", "5", "2.5", "7", "65", "55", "30", "67"};
    setFieldTexts(w, texts);
    const WarningSeen seen = pressSimulation(w);
    QVERIFY(!qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
    QVERIFY(seen.text.isEmpty());
    QCOMPARE(fieldTexts(w), texts);
}

void TestMainWindow::returnInAFieldRunsSimulation_data()
{
    QTest::addColumn<int>("fieldIndex");
    QTest::addColumn<int>("key");
    for (int i = 0; i < 8; ++i)
        QTest::addRow("Return in field %d", i + 1) << i << int(Qt::Key_Return);
    QTest::newRow("Enter in field 1") << 0 << int(Qt::Key_Enter);
    QTest::newRow("Enter in field 8") << 7 << int(Qt::Key_Enter);
}

void TestMainWindow::returnInAFieldRunsSimulation()
{
    QFETCH(int, fieldIndex);
    QFETCH(int, key);
    MainWindow w;
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QStringList texts = {"3", "3", "abc", "21", "39", "28", "70", "35"};
    setFieldTexts(w, texts);

    // Leaving the field or pressing Escape runs nothing (as editingFinished would on Tab).
    QSignalSpy runs(w.findChild<QCommandLinkButton *>("btnSimulation"),
                    &QAbstractButton::clicked);
    QTimer closeStrayModal; // so that a wrong run fails instead of hanging
    connect(&closeStrayModal, &QTimer::timeout, []() {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    closeStrayModal.start(10);
    field(w, fieldIndex)->setFocus();
    QTest::keyClick(field(w, fieldIndex), Qt::Key_Escape);
    QTest::keyClick(field(w, fieldIndex), Qt::Key_Tab);
    closeStrayModal.stop();
    QCOMPARE(runs.count(), 0);
    QVERIFY(!field(w, fieldIndex)->hasFocus());

    field(w, fieldIndex)->setFocus();
    const WarningSeen warned = pressKeyInField(w, fieldIndex, Qt::Key(key));
    QVERIFY(warned.shown);
    QCOMPARE(warned.text, QStringLiteral("The 'External eating' value out of range!"));
    QCOMPARE(warned.icon, QMessageBox::Warning);
    QCOMPARE(fieldTexts(w), texts);

    texts[2] = "3";
    setFieldTexts(w, texts);
    const WarningSeen result = pressKeyInField(w, fieldIndex, Qt::Key(key));
    QVERIFY(result.shown);
    QCOMPARE(result.modalClass, QStringLiteral("graph"));
    QCOMPARE(fieldTexts(w), texts);
}

void TestMainWindow::closeEndsEventLoop()
{
    auto *w = new MainWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTimer::singleShot(0, w, [w]() {
        QTest::mouseClick(w->findChild<QCommandLinkButton *>("btnClose"), Qt::LeftButton);
    });
    const bool quit = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(true);
    QCOMPARE(QApplication::exec(), 0);
    QApplication::setQuitOnLastWindowClosed(quit);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
