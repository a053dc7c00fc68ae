#include "bmidialog.h"
#include "fixture.h"
#include "graph.h"
#include "mainwindow.h"

#include <QtTest>
#include <QCommandLinkButton>
#include <QLabel>

namespace {

QLineEdit *edit(QWidget *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(QLatin1String(name));
}

QPushButton *okOf(QWidget *dialog)
{
    return dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

// Opens the weight-and-height dialog from w, types weight and height, and presses Ok when
// it can (Cancel otherwise). Returns whether Ok could be pressed.
bool enterWeightAndHeight(MainWindow &w, const QString &weight, const QString &height,
                          QString *heightShown = nullptr)
{
    bool accepted = false;
    bool opened = false;
    onNextModal([&](QWidget *modal) {
        if (modal->objectName() == "bmiDialog") {
            if (heightShown)
                *heightShown = edit(modal, "bmiHeightEdit")->text();
            edit(modal, "bmiWeightEdit")->setText(weight);
            edit(modal, "bmiHeightEdit")->setText(height);
            accepted = okOf(modal)->isEnabled();
            // Left without the question about what was typed.
            if (accepted)
                clickStandardButton(modal, QDialogButtonBox::Ok);
            else
                qobject_cast<QDialog *>(modal)->done(QDialog::Rejected);
        }
        if (modal->isVisible())
            modal->close();
    }, &opened);
    QTest::mouseClick(w.findChild<QPushButton *>("pushButton_BMI"), Qt::LeftButton);
    return opened && accepted;
}

// Runs the simulation and returns the height the result dialog was given.
std::optional<double> simulatedHeight(MainWindow &w)
{
    std::optional<double> height;
    bool shown = false;
    onNextModal([&](QWidget *modal) {
        if (auto *result = qobject_cast<graph *>(modal)) {
            shown = true;
            height = result->record().heightMetres;
        }
        modal->close();
    });
    QTest::mouseClick(w.findChild<QCommandLinkButton *>("btnSimulation"), Qt::LeftButton);
    return shown ? height : std::optional<double>(-1);
}

} // namespace

class TestBmiDialog : public QObject
{
    Q_OBJECT

private slots:
    void okOnlyForAcceptableValues_data();
    void okOnlyForAcceptableValues();
    void writesBmiAndRemembersHeight();
};

void TestBmiDialog::okOnlyForAcceptableValues_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("field"); // what the BMI field holds afterwards
    QTest::addColumn<QString>("shown"); // the line under the fields
    QTest::newRow("95 kg, 170 cm") << "95" << "170" << "32.87" << "BMI 32.87 kg/m²";
    QTest::newRow("lowest weight and height") << "40" << "100" << "40.00" << "BMI 40.00 kg/m²";
    QTest::newRow("20 kg at 100 cm") << "20" << "100" << "20.00" << "BMI 20.00 kg/m²";
    QTest::newRow("decimals") << "80.5" << "165.5" << "29.39" << "BMI 29.39 kg/m²";
    QTest::newRow("weight below 20")
        << "19.9" << "100" << "typed" << "Weight: 19.9 is outside 20 to 400.";
    QTest::newRow("weight above 400")
        << "400.1" << "250" << "typed" << "Weight: 400.1 is outside 20 to 400.";
    QTest::newRow("height below 100")
        << "50" << "99.9" << "typed" << "Height: 99.9 is outside 100 to 250.";
    QTest::newRow("height above 250")
        << "90" << "250.1" << "typed" << "Height: 250.1 is outside 100 to 250.";
    QTest::newRow("height in metres")
        << "90" << "1.75" << "typed" << "Height: 1.75 is outside 100 to 250.";
    QTest::newRow("decimal comma")
        << "95,5" << "170" << "typed" << "Weight: “95,5” uses a decimal comma: write 95.5.";
    QTest::newRow("empty height")
        << "95" << "" << "typed" << "Height: The field is empty. Write a number from 100 to 250.";
    QTest::newRow("BMI above the model's range")
        << "400" << "150" << "typed"
        << "BMI 177.78 kg/m² is outside 15 to 67, the range the model accepts.";
    QTest::newRow("BMI below the model's range")
        << "30" << "200" << "typed"
        << "BMI 7.50 kg/m² is outside 15 to 67, the range the model accepts.";
}

void TestBmiDialog::okOnlyForAcceptableValues()
{
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(QString, field);
    QFETCH(QString, shown);
    BmiDialog dialog;
    edit(&dialog, "bmiWeightEdit")->setText(weight);
    edit(&dialog, "bmiHeightEdit")->setText(height);
    QCOMPARE(dialog.findChild<QLabel *>("bmiResultLabel")->text(), shown);
    QCOMPARE(okOf(&dialog)->isEnabled(), field != "typed");

    MainWindow w;
    w.show();
    predictorField(w, 7)->setText("typed");
    QCOMPARE(enterWeightAndHeight(w, weight, height), field != "typed");
    QCOMPARE(predictorField(w, 7)->text(), field);
}

void TestBmiDialog::writesBmiAndRemembersHeight()
{
    MainWindow w;
    w.show();
    enterTypicalPerson(w);
    QVERIFY(enterWeightAndHeight(w, "95", "170"));
    QCOMPARE(predictorField(w, 7)->text(), QStringLiteral("32.87"));
    QCOMPARE(simulatedHeight(w), std::optional<double>(1.70));

    // The next visit starts from the height measured before.
    QString heightShown;
    QVERIFY(enterWeightAndHeight(w, "90", "170", &heightShown));
    QCOMPARE(heightShown, QStringLiteral("170"));
    QCOMPARE(predictorField(w, 7)->text(), QStringLiteral("31.14"));

    // Typed over, the BMI no longer rests on that height.
    predictorField(w, 7)->selectAll();
    QTest::keyClicks(predictorField(w, 7), "35");
    QCOMPARE(simulatedHeight(w), std::optional<double>());
}

QTEST_MAIN(TestBmiDialog)
#include "tst_bmidialog.moc"
