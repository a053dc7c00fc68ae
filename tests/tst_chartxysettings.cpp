#include "chartxysetting.h"
#include "varianttoreal.h"

#include <QPointer>
#include <QtTest>

#include <limits>

class TestChartXYSettings : public QObject
{
    Q_OBJECT

private slots:
    void tickCountsAtLeastTwo_data();
    void tickCountsAtLeastTwo();
    void tickRecordsChangeInPlace();
    void defaults();
    void settingOwnsItsParts();
    void limitTypes();
    void limitsTravelThroughVariants();
    void setLimitKeepsOneType();
    void variantToReal_data();
    void variantToReal();
};

void TestChartXYSettings::tickCountsAtLeastTwo_data()
{
    QTest::addColumn<uint>("given");
    QTest::addColumn<uint>("held");

    QTest::newRow("0") << 0u << 2u;
    QTest::newRow("1") << 1u << 2u;
    QTest::newRow("2") << 2u << 2u;
    QTest::newRow("3") << 3u << 3u;
    QTest::newRow("largest") << std::numeric_limits<uint>::max()
                             << std::numeric_limits<uint>::max();
}

void TestChartXYSettings::tickCountsAtLeastTwo()
{
    QFETCH(uint, given);
    QFETCH(uint, held);

    const ChartXYGridTick built(given, given);
    QCOMPARE(built.count(), held);
    QCOMPARE(built.subCount(), held);

    ChartXYGridTick set(7, 9);
    set.setCount(given);
    QCOMPARE(set.count(), held);
    QCOMPARE(set.subCount(), 9u);
    set.setSubCount(given);
    QCOMPARE(set.subCount(), held);
}

void TestChartXYSettings::tickRecordsChangeInPlace()
{
    ChartXYGrid grid;
    grid.tickX().setCount(7);
    grid.tickY().setSubCount(1);
    QCOMPARE(grid.tickX().count(), 7u);
    QCOMPARE(grid.tickX().subCount(), 4u);
    QCOMPARE(grid.tickY().count(), 4u);
    QCOMPARE(grid.tickY().subCount(), 2u);
}

void TestChartXYSettings::defaults()
{
    const ChartXYGridTick tick;
    QCOMPARE(tick.count(), 4u);
    QCOMPARE(tick.subCount(), 4u);

    const ChartXYBorder border;
    QCOMPARE(border.top(), 16);
    QCOMPARE(border.right(), 16);
    QCOMPARE(border.bottom(), 64);
    QCOMPARE(border.left(), 64);
    QCOMPARE(border.background(), QColor(Qt::white));

    const ChartXYGrid grid;
    QVERIFY(grid.visible());
    QCOMPARE(grid.inset(), 8);
    QCOMPARE(grid.background(), QColor(192, 192, 192));
    QCOMPARE(grid.foreground(), QColor(0, 0, 0));
    QCOMPARE(grid.tickX().count(), 4u);
    QCOMPARE(grid.tickX().subCount(), 4u);
    QCOMPARE(grid.tickY().count(), 4u);
    QCOMPARE(grid.tickY().subCount(), 4u);

    const ChartXYScale scale;
    QVERIFY(!scale.autoLimitBase());
    QVERIFY(!scale.autoLimitView());
    QVERIFY(!scale.autoRound());
    for (const ChartXYLimit &limit : {scale.limitBase(), scale.limitView()}) {
        for (const ChartXYLimitAxis &axis : {limit.x(), limit.y()}) {
            QVERIFY(!axis.min().isValid());
            QVERIFY(!axis.max().isValid());
        }
    }
    QCOMPARE(scale.type(), int(QMetaType::UnknownType));
}

void TestChartXYSettings::settingOwnsItsParts()
{
    QObject view;
    auto *setting = new ChartXYSetting(&view);
    QCOMPARE(setting->parent(), &view);
    // Built in this order, each a child of the setting.
    const QObjectList parts{setting->border(), setting->grid(), setting->scale(),
                            setting->legend()};
    QCOMPARE(setting->children(), parts);

    const QPointer<ChartXYScale> scale = setting->scale();
    delete setting;
    QVERIFY(scale.isNull());
}

void TestChartXYSettings::limitTypes()
{
    const ChartXYLimitAxis ints(1, 6);
    const ChartXYLimitAxis doubles(0.5, 2.5);
    const ChartXYLimitAxis mixed(1, 2.5);
    QCOMPARE(ints.type(), int(QMetaType::Int));
    QCOMPARE(mixed.type(), int(QMetaType::UnknownType));
    QCOMPARE(ChartXYLimitAxis().type(), int(QMetaType::UnknownType));
    QVERIFY(mixed.canConvert(QMetaType::Double));
    QVERIFY(!ChartXYLimitAxis(QTime(1, 0), 2.0).canConvert(QMetaType::Double));
    const ChartXYLimitAxis dates(QDate(2020, 1, 1), QDate(2021, 1, 1));
    QVERIFY(dates.canConvert(QMetaType::QDateTime));

    QCOMPARE(ChartXYLimit(ints, ints).type(), int(QMetaType::Int));
    QCOMPARE(ChartXYLimit(ints, doubles).type(), int(QMetaType::UnknownType));
    QVERIFY(ChartXYLimit(ints, doubles).canConvert(QMetaType::Double));
    QVERIFY(!ChartXYLimit(ints, ChartXYLimitAxis(QTime(1, 0), QTime(2, 0)))
                     .canConvert(QMetaType::Double));

    QVERIFY(ChartXYLimitAxis(1, 6) == ints);
    QVERIFY(ChartXYLimitAxis(1, 7) != ints);
    QVERIFY(ChartXYLimitAxis(0, 6) != ints);
    QVERIFY(ChartXYLimit(ints, doubles) == ChartXYLimit(ints, doubles));
    QVERIFY(ChartXYLimit(ints, doubles) != ChartXYLimit(ints, ints));
    QVERIFY(ChartXYLimit(ints, doubles) != ChartXYLimit(doubles, doubles));

    ChartXYScale scale;
    scale.setLimitView(ChartXYLimit(doubles, doubles));
    QCOMPARE(scale.type(), int(QMetaType::Double));
    QVERIFY(scale.canConvert(QMetaType::Int));
}

// The renderer receives these as slot arguments through the meta-object system.
void TestChartXYSettings::limitsTravelThroughVariants()
{
    const ChartXYLimitAxis axis(QDate(2020, 1, 1), QDate(2020, 2, 1));
    QCOMPARE(QVariant::fromValue(axis).value<ChartXYLimitAxis>(), axis);
    const ChartXYLimit limit(axis, ChartXYLimitAxis(1.0, 2.0));
    QCOMPARE(QVariant::fromValue(limit).value<ChartXYLimit>(), limit);
    const ChartXYGridTick tick(6, 3);
    const ChartXYGridTick back = QVariant::fromValue(tick).value<ChartXYGridTick>();
    QCOMPARE(back.count(), 6u);
    QCOMPARE(back.subCount(), 3u);
}

void TestChartXYSettings::setLimitKeepsOneType()
{
    const ChartXYLimit doubles(ChartXYLimitAxis(0.0, 1.0), ChartXYLimitAxis(2.0, 3.0));
    const ChartXYLimit otherDoubles(ChartXYLimitAxis(5.0, 6.0), ChartXYLimitAxis(7.0, 8.0));
    const ChartXYLimit ints(ChartXYLimitAxis(0, 1), ChartXYLimitAxis(2, 3));
    const ChartXYLimit mixed(ChartXYLimitAxis(1, 6), ChartXYLimitAxis(2.0, 3.0));
    const ChartXYLimit otherMixed(ChartXYLimitAxis(0, 9), ChartXYLimitAxis(0.5, 9.5));

    // Setting one limit fills an invalid other one; a same-typed other one stays.
    ChartXYScale scale;
    scale.setLimitView(doubles);
    QCOMPARE(scale.limitBase(), doubles);
    scale.setLimitView(otherDoubles);
    QCOMPARE(scale.limitView(), otherDoubles);
    QCOMPARE(scale.limitBase(), doubles);
    scale.setLimitBase(otherDoubles);
    scale.setLimitBase(doubles);
    QCOMPARE(scale.limitView(), otherDoubles);

    // A limit of another type overwrites the other one.
    scale.setLimitView(ints);
    QCOMPARE(scale.limitBase(), ints);
    scale.setLimitBase(doubles);
    QCOMPARE(scale.limitView(), doubles);

    // Int X with double Y has no common type, so either setter overwrites both, every time.
    scale.setLimitView(mixed);
    QCOMPARE(scale.limitBase(), mixed);
    scale.setLimitView(otherMixed);
    QCOMPARE(scale.limitBase(), otherMixed);
    scale.setLimitBase(mixed);
    QCOMPARE(scale.limitView(), mixed);
    scale.setLimitBase(otherMixed);
    QCOMPARE(scale.limitView(), otherMixed);
}

void TestChartXYSettings::variantToReal_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<double>("real");

    const QDate date(2024, 2, 29);
    const QDateTime dateTime(date, QTime(13, 45, 6, 789));
    QTest::newRow("date") << QVariant(date) << double(date.startOfDay().toMSecsSinceEpoch());
    QTest::newRow("date-time") << QVariant(dateTime) << double(dateTime.toMSecsSinceEpoch());
    QTest::newRow("UTC epoch") << QVariant(QDateTime::fromMSecsSinceEpoch(0, Qt::UTC)) << 0.0;
    QTest::newRow("time") << QVariant(QTime(13, 45, 6, 789)) << 49506789.0;
    QTest::newRow("midnight") << QVariant(QTime(0, 0)) << 0.0;
    QTest::newRow("int") << QVariant(-42) << -42.0;
    QTest::newRow("uint") << QVariant(7u) << 7.0;
    QTest::newRow("long long") << QVariant(qint64(1) << 40) << 1099511627776.0;
    QTest::newRow("double") << QVariant(31.4569) << 31.4569;
    QTest::newRow("bool") << QVariant(true) << 1.0;
    QTest::newRow("number text") << QVariant(QStringLiteral("2.5")) << 2.5;
    QTest::newRow("exponent text") << QVariant(QStringLiteral("-1e3")) << -1000.0;
    QTest::newRow("word") << QVariant(QStringLiteral("tall")) << 0.0;
    QTest::newRow("invalid") << QVariant() << 0.0;
    QTest::newRow("point") << QVariant(QPoint(3, 4)) << 0.0;
    QTest::newRow("colour") << QVariant(QColor(Qt::red)) << 0.0;
}

void TestChartXYSettings::variantToReal()
{
    QFETCH(QVariant, value);
    QFETCH(double, real);

    QCOMPARE(::variantToReal(value), real);
}

QTEST_APPLESS_MAIN(TestChartXYSettings)
#include "tst_chartxysettings.moc"
