#include "graph.h"
#include "mainwindow.h"
#include "paintedcontrast.h"

#include <QtTest>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr double MinimumRatio = 4.5;

QString describe(const QString &what, const PaintedText &seen)
{
    return QStringLiteral("%1: text %2 on %3, %4 : 1")
        .arg(what, QColor(seen.text).name(), QColor(seen.background).name())
        .arg(seen.ratio, 0, 'f', 2);
}

// The first of the named children whose text is too faint, described; empty when all pass.
QString firstUnreadable(QWidget *window, const QStringList &names)
{
    for (const QString &name : names) {
        auto *child = window->findChild<QWidget *>(name);
        if (!child)
            return name + QStringLiteral(" is missing");
        const PaintedText seen = textAgainstBackground(window, child);
        if (seen.ratio < MinimumRatio)
            return describe(name, seen);
    }
    return QString();
}

bool showExposed(QWidget *window)
{
    window->show();
    return QTest::qWaitForWindowExposed(window);
}

} // namespace

class TestWindowContrast : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowTexts_data();
    void mainWindowTexts();
    void resultDialogLabels_data();
    void resultDialogLabels();
};

void TestWindowContrast::initTestCase()
{
    Q_INIT_RESOURCE(telma);
}

void TestWindowContrast::mainWindowTexts_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("light") << QApplication::palette();
    QTest::newRow("dark") << darkPalette();
}

void TestWindowContrast::mainWindowTexts()
{
    QFETCH(QPalette, palette);
    const ScopedPalette scoped(palette);
    MainWindow w;
    w.findChild<QLineEdit *>("lineEdit_8")->setText(QStringLiteral("35.00"));
    QVERIFY(showExposed(&w));

    // The information text brings its own colour, so it must bring what it sits on too.
    QWidget *info = w.findChild<QAbstractScrollArea *>("textEdit")->viewport();
    const PaintedText infoSeen = paintedText(w.grab().toImage(),
                                             QRect(info->mapTo(&w, QPoint()), info->size()));
    QVERIFY2(infoSeen.ratio >= MinimumRatio, qPrintable(describe("information text", infoSeen)));

    const QString unreadable = firstUnreadable(
        &w, {"label", "label_2", "label_3", "label_4", "label_5", "label_6", "label_7",
             "label_8", "lineEdit_8", "groupBox", "groupBox_2", "btnSimulation", "btnClose"});
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable));
}

void TestWindowContrast::resultDialogLabels_data()
{
    mainWindowTexts_data();
}

void TestWindowContrast::resultDialogLabels()
{
    QFETCH(QPalette, palette);
    const ScopedPalette scoped(palette);
    graph dialog;
    double month[6] = {34.3829, 33.7767, 33.1812, 32.5962, 32.0215, 31.4569};
    dialog.prepareview(month);
    QVERIFY(showExposed(&dialog));

    // The axis titles and the caption lie on the chart's white border, whatever the theme.
    const QString unreadable =
        firstUnreadable(&dialog, {"label", "label_2", "label_3", "buttonBox"});
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable));
}

QTEST_MAIN(TestWindowContrast)
#include "tst_windowcontrast.moc"
