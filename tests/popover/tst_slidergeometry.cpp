#include "popover/slidergeometry.h"
#include "popover/sliderinteraction.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// A slider whose value follows every write, as a page's binding does.
struct BoundSlider {
    SliderInteraction slider;
    QList<double> writes;

    BoundSlider(double value, double lower, double upper, double step, double width)
    {
        slider.setLower(lower);
        slider.setUpper(upper);
        slider.setStep(step);
        slider.setWidth(width);
        slider.setValue(value);
        QObject::connect(&slider, &SliderInteraction::moved, &slider, [this](double v) {
            writes.append(v);
            slider.setValue(v);
        });
    }
};

} // namespace

class SliderGeometryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fraction_data();
    void fraction();
    void travel_data();
    void travel();
    void knobAndFill_data();
    void knobAndFill();
    void snap_data();
    void snap();
    void snapNeverLeavesTheRange();
    void editingChangedOncePerDrag();
    void writesOnlyWhenTheSnappedValueChanges();
    void equalRangeWritesLowerBound();
    void disabledSliderIgnoresThePointer();
    void knobFollowsTheValue();
};

void SliderGeometryTest::fraction_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("expected");

    QTest::newRow("middle") << 4000.0 << 1000.0 << 7000.0 << 0.5;
    QTest::newRow("lower end") << 1000.0 << 1000.0 << 7000.0 << 0.0;
    QTest::newRow("below range") << 500.0 << 1000.0 << 7000.0 << 0.0;
    QTest::newRow("above range") << 9000.0 << 1000.0 << 7000.0 << 1.0;
    QTest::newRow("empty range") << 50.0 << 50.0 << 50.0 << 0.0;
    QTest::newRow("reversed range") << 50.0 << 60.0 << 40.0 << 0.0;
    QTest::newRow("NaN value") << std::nan("") << 0.0 << 100.0 << 0.0;
}

void SliderGeometryTest::fraction()
{
    QFETCH(double, value);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, expected);
    QCOMPARE(SliderGeometry::fraction(value, lower, upper), expected);
}

void SliderGeometryTest::travel_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("expected");

    QTest::newRow("page width") << 248.0 << 224.0;
    QTest::newRow("one past the knob band") << 25.0 << 1.0;
    QTest::newRow("two past the knob band") << 26.0 << 2.0;
    QTest::newRow("exactly the knob band") << 24.0 << 1.0;
    QTest::newRow("narrower than the knob") << 10.0 << 1.0;
    QTest::newRow("zero width") << 0.0 << 1.0;
    QTest::newRow("negative width") << -30.0 << 1.0;
    QTest::newRow("infinite width") << std::numeric_limits<double>::infinity() << 1.0;
}

void SliderGeometryTest::travel()
{
    QFETCH(double, width);
    QFETCH(double, expected);
    QCOMPARE(SliderGeometry::travel(width), expected);
}

void SliderGeometryTest::knobAndFill_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("knobX");
    QTest::addColumn<double>("fillWidth");

    QTest::newRow("lower end: fill is the knob band") << 0.0 << 0.0 << 100.0 << 124.0 << 2.0 << 24.0;
    QTest::newRow("upper end: fill reaches the end") << 100.0 << 0.0 << 100.0 << 124.0 << 102.0 << 124.0;
    QTest::newRow("quarter") << 25.0 << 0.0 << 100.0 << 124.0 << 27.0 << 49.0;
    QTest::newRow("empty range sits left") << 7.0 << 7.0 << 7.0 << 124.0 << 2.0 << 24.0;
    QTest::newRow("narrow slider") << 100.0 << 0.0 << 100.0 << 10.0 << 3.0 << 25.0;
}

void SliderGeometryTest::knobAndFill()
{
    QFETCH(double, value);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, width);
    QFETCH(double, knobX);
    QFETCH(double, fillWidth);
    QCOMPARE(SliderGeometry::knobX(value, lower, upper, width), knobX);
    QCOMPARE(SliderGeometry::fillWidth(value, lower, upper, width), fillWidth);
}

void SliderGeometryTest::snap_data()
{
    QTest::addColumn<double>("pointerX");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("expected");

    // Width 124 gives a travel of 100, so pointer x = 10 + percent of the range.
    QTest::newRow("halfway goes up, away from zero") << 35.0 << 124.0 << 0.0 << 100.0 << 10.0 << 30.0;
    QTest::newRow("just below halfway goes down") << 34.0 << 124.0 << 0.0 << 100.0 << 10.0 << 20.0;
    QTest::newRow("negative halfway goes down, away from zero")
        << 85.0 << 124.0 << -100.0 << 0.0 << 10.0 << -30.0;
    QTest::newRow("negative just above halfway goes up")
        << 86.0 << 124.0 << -100.0 << 0.0 << 10.0 << -20.0;
    QTest::newRow("grid counts from zero, not from the lower bound")
        << 22.5 << 124.0 << 3.0 << 97.0 << 10.0 << 10.0;
    QTest::newRow("off-grid lower bound is kept at the end")
        << 11.0 << 124.0 << 3.0 << 97.0 << 10.0 << 3.0;
    QTest::newRow("off-grid upper bound is kept at the end")
        << 110.0 << 124.0 << 3.0 << 97.0 << 10.0 << 97.0;
    QTest::newRow("middle of an off-grid range") << 60.0 << 124.0 << 3.0 << 97.0 << 10.0 << 50.0;
    QTest::newRow("empty range gives its bound") << 80.0 << 124.0 << 40.0 << 40.0 << 5.0 << 40.0;
    QTest::newRow("left of the track gives the lower bound")
        << -50.0 << 124.0 << 1000.0 << 7000.0 << 100.0 << 1000.0;
    QTest::newRow("knob centre at the left end gives the lower bound")
        << 10.0 << 124.0 << 1000.0 << 7000.0 << 100.0 << 1000.0;
    QTest::newRow("right of the track gives the upper bound")
        << 900.0 << 124.0 << 1000.0 << 7000.0 << 100.0 << 7000.0;
    QTest::newRow("temperature halfway") << 60.0 << 124.0 << 1000.0 << 7000.0 << 100.0 << 4000.0;
    QTest::newRow("saturation in steps of five") << 30.0 << 124.0 << 0.0 << 200.0 << 5.0 << 40.0;
    QTest::newRow("narrow slider: left") << 10.0 << 10.0 << 0.0 << 100.0 << 1.0 << 0.0;
    QTest::newRow("narrow slider: half a point in") << 10.5 << 10.0 << 0.0 << 100.0 << 1.0 << 50.0;
    QTest::newRow("narrow slider: one point in") << 11.0 << 10.0 << 0.0 << 100.0 << 1.0 << 100.0;
    QTest::newRow("step wider than the range: down to zero")
        << 80.0 << 124.0 << 0.0 << 3.0 << 5.0 << 0.0;
    QTest::newRow("step wider than the range: up, clamped")
        << 100.0 << 124.0 << 0.0 << 3.0 << 5.0 << 3.0;
    QTest::newRow("NaN pointer gives the lower bound") << std::nan("") << 124.0 << 1.0 << 100.0
                                                       << 1.0 << 1.0;
    QTest::newRow("zero step leaves the raw value")
        << 42.5 << 152.0 << 0.0 << 100.0 << 0.0 << 25.390625;
}

void SliderGeometryTest::snap()
{
    QFETCH(double, pointerX);
    QFETCH(double, width);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, step);
    QFETCH(double, expected);
    QCOMPARE(SliderGeometry::snap(pointerX, width, lower, upper, step), expected);
}

void SliderGeometryTest::snapNeverLeavesTheRange()
{
    // Sweep pointer positions far beyond both ends over ranges on and off the grid.
    const struct {
        double lower, upper, step;
    } ranges[] = {
        {1000, 7000, 100},
        {0, 200, 5},
        {1, 100, 1},
        {3, 97, 10},
        {-7, 13, 4},
        {2.5, 2.5, 1},
    };
    for (const auto &r : ranges) {
        for (double x = -100; x <= 400; x += 0.25) {
            const double s = SliderGeometry::snap(x, 248, r.lower, r.upper, r.step);
            QVERIFY2(s >= r.lower && s <= r.upper, qPrintable(QString::number(s)));
            const bool onGrid = std::fmod(s, r.step) == 0;
            QVERIFY2(onGrid || s == r.lower || s == r.upper, qPrintable(QString::number(s)));
        }
    }
}

void SliderGeometryTest::editingChangedOncePerDrag()
{
    BoundSlider bound(50, 0, 100, 1, 124);
    QSignalSpy editing(&bound.slider, &SliderInteraction::editingChanged);

    for (int drag = 0; drag < 2; ++drag) {
        bound.slider.pointerMoved(40);
        QVERIFY(bound.slider.isDragging());
        bound.slider.pointerMoved(45);
        bound.slider.pointerMoved(70);
        bound.slider.pointerReleased();
        QVERIFY(!bound.slider.isDragging());
    }
    QCOMPARE(editing.count(), 4);
    QCOMPARE(editing.at(0).at(0).toBool(), true);
    QCOMPARE(editing.at(1).at(0).toBool(), false);
    QCOMPARE(editing.at(2).at(0).toBool(), true);
    QCOMPARE(editing.at(3).at(0).toBool(), false);

    // A release without a drag reports nothing.
    bound.slider.pointerReleased();
    QCOMPARE(editing.count(), 4);
}

void SliderGeometryTest::writesOnlyWhenTheSnappedValueChanges()
{
    // Travel 100 over 0…100 in steps of 10: one step is 10 points of pointer.
    BoundSlider bound(50, 0, 100, 10, 124);

    bound.slider.pointerMoved(60); // exactly the current value
    QVERIFY(bound.writes.isEmpty());

    for (double x = 56; x < 65; x += 0.5) // stays within the step of 50
        bound.slider.pointerMoved(x);
    QVERIFY(bound.writes.isEmpty());

    bound.slider.pointerMoved(65); // crosses into 60
    for (double x = 65; x < 75; x += 0.5)
        bound.slider.pointerMoved(x);
    QCOMPARE(bound.writes, QList<double>({60}));

    bound.slider.pointerMoved(200);
    bound.slider.pointerMoved(300);
    QCOMPARE(bound.writes, QList<double>({60, 100}));
    bound.slider.pointerReleased();
}

void SliderGeometryTest::equalRangeWritesLowerBound()
{
    BoundSlider bound(0, 40, 40, 5, 124);
    QCOMPARE(bound.slider.knobX(), 2.0);
    bound.slider.pointerMoved(90);
    bound.slider.pointerMoved(-20);
    QCOMPARE(bound.writes, QList<double>({40}));
}

void SliderGeometryTest::disabledSliderIgnoresThePointer()
{
    BoundSlider bound(50, 0, 100, 1, 124);
    bound.slider.setEnabled(false);
    QSignalSpy editing(&bound.slider, &SliderInteraction::editingChanged);

    bound.slider.pointerMoved(20);
    bound.slider.pointerMoved(90);
    bound.slider.pointerReleased();
    QVERIFY(bound.writes.isEmpty());
    QCOMPARE(editing.count(), 0);
    QVERIFY(!bound.slider.isDragging());
    QCOMPARE(bound.slider.value(), 50.0);
}

void SliderGeometryTest::knobFollowsTheValue()
{
    SliderInteraction slider;
    slider.setLower(1000);
    slider.setUpper(7000);
    slider.setStep(100);
    slider.setWidth(248);
    QSignalSpy geometry(&slider, &SliderInteraction::geometryChanged);
    slider.setValue(4000);
    QCOMPARE(geometry.count(), 1);
    QCOMPARE(slider.knobX(), 2.0 + 224 * 0.5);
    QCOMPARE(slider.fillWidth(), 2.0 + 224 * 0.5 + 22);
    slider.setValue(4000);
    QCOMPARE(geometry.count(), 1);
}

QTEST_GUILESS_MAIN(SliderGeometryTest)
#include "tst_slidergeometry.moc"
