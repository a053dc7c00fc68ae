// The case book on a laptop screen: it opens wholly on the screen, every button can be
// seen and pressed, and every code is read whole; its size and split are kept. The test
// runs once per screen (tests/CMakeLists.txt gives each run its own).
#include "casebookdialog.h"
#include "caselistmodel.h"
#include "casestore.h"
#include "casestorefixture.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QtTest>

class TestCaseBookFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opensWhollyOnTheScreen_data();
    void opensWhollyOnTheScreen();
    void sizeAndSplitAreKept();

private:
    QString m_location;
    CaseStore *m_store = nullptr;
};

void TestCaseBookFit::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    // Started without the laptop screen, the test would prove nothing about it.
    if (screen != QSize(1280, 800) && screen != QSize(1366, 768))
        QFAIL(qPrintable(QStringLiteral("the screen is %1x%2, not a laptop's 1280x800 or "
                                        "1366x768: run through CTest")
                             .arg(screen.width()).arg(screen.height())));
}

void TestCaseBookFit::init()
{
    QSettings().clear();
    m_location = freshCaseBook();
    m_store = new CaseStore;
    QVERIFY(m_store->open(m_location));
    // The longest code there can be, of the widest letters, and two that differ in case
    // only in what a reader must tell apart.
    for (const QString &code : {QStringLiteral("AB-101"), QStringLiteral("ab-102"),
                                QString(40, QLatin1Char('W'))}) {
        CaseRecord record = sampleCase(code);
        QVERIFY2(m_store->addCase(&record), qPrintable(m_store->lastError().message));
    }
}

void TestCaseBookFit::cleanup()
{
    delete m_store;
    m_store = nullptr;
}

void TestCaseBookFit::opensWhollyOnTheScreen_data()
{
    // What a previous run left in the settings.
    QTest::addColumn<QSize>("keptSize");
    QTest::newRow("first time") << QSize();
    QTest::newRow("left larger on a bigger screen") << QSize(2400, 1400);
    QTest::newRow("left very small") << QSize(200, 150);
}

void TestCaseBookFit::opensWhollyOnTheScreen()
{
    QFETCH(QSize, keptSize);
    if (keptSize.isValid())
        QSettings().setValue(QStringLiteral("caseBook/size"), keptSize);

    QWidget window;
    window.resize(786, 666);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CaseBookDialog book(*m_store, &window);
    book.show();
    QVERIFY(QTest::qWaitForWindowExposed(&book));
    auto *list = book.findChild<QTableView *>("caseList");
    list->selectRow(0);
    QCoreApplication::processEvents();

    const QRect screen = book.screen()->availableGeometry();
    QVERIFY2(screen.contains(book.frameGeometry()),
             qPrintable(QStringLiteral("the case book at %1,%2 %3x%4 on a screen of %5x%6")
                            .arg(book.frameGeometry().x()).arg(book.frameGeometry().y())
                            .arg(book.frameGeometry().width()).arg(book.frameGeometry().height())
                            .arg(screen.width()).arg(screen.height())));

    // Every button of the dialog and of the follow-up beside the list: on the screen, and
    // not covered or cut by what holds it.
    const QList<QAbstractButton *> buttons = book.findChildren<QAbstractButton *>();
    int checked = 0;
    for (QAbstractButton *button : buttons) {
        if (!button->isVisibleTo(&book) || button->text().isEmpty())
            continue;
        ++checked;
        const QRect global(button->mapToGlobal(QPoint(0, 0)), button->size());
        QVERIFY2(screen.contains(global), qPrintable(button->text() + " is off the screen"));
        QVERIFY2(button->visibleRegion() == QRegion(button->rect()),
                 qPrintable(button->text() + " is cut off"));
        QVERIFY2(button->width() >= button->sizeHint().width(),
                 qPrintable(button->text() + " is squeezed"));
    }
    QVERIFY(checked >= 16); // the case book's ten and the follow-up's six

    // Each code whole, in a column that is in view.
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int codeWidth = list->columnWidth(CaseListModel::CodeColumn);
    QVERIFY(list->columnViewportPosition(CaseListModel::CodeColumn) >= 0);

    QVERIFY(list->columnViewportPosition(CaseListModel::CodeColumn) + codeWidth
            <= list->viewport()->width());
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QString code = list->model()->index(row, CaseListModel::CodeColumn).data().toString();
        QVERIFY2(list->fontMetrics().horizontalAdvance(code) + 2 * margin <= codeWidth,
                 qPrintable(code + " is elided"));
    }
}

void TestCaseBookFit::sizeAndSplitAreKept()
{
    QWidget window;
    window.show();
    QList<int> split;
    {
        CaseBookDialog book(*m_store, &window);
        book.show();
        QVERIFY(QTest::qWaitForWindowExposed(&book));
        book.resize(1000, 560);
        auto *splitter = book.findChild<QSplitter *>("caseBookSplitter");
        splitter->setSizes({600, 400});
        QCoreApplication::processEvents();
        split = splitter->sizes();
        book.reject();
    }
    CaseBookDialog again(*m_store, &window);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.size(), QSize(1000, 560));
    QCOMPARE(again.findChild<QSplitter *>("caseBookSplitter")->sizes(), split);
}

QTEST_MAIN(TestCaseBookFit)
#include "tst_casebookfit.moc"
