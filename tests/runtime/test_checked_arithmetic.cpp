#include "runtime/checked_arithmetic.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(std::optional<ArithmeticFault>)

class TestCheckedArithmetic : public QObject {
    Q_OBJECT

private slots:
    void divide_data();
    void divide();
    void multiply_data();
    void multiply();
};

namespace {

constexpr double largest = std::numeric_limits<double>::max();
constexpr double smallest = std::numeric_limits<double>::denorm_min();
const std::optional<ArithmeticFault> none;

void addColumns() {
    QTest::addColumn<double>("lhs");
    QTest::addColumn<double>("rhs");
    QTest::addColumn<std::optional<ArithmeticFault>>("fault");
    QTest::addColumn<double>("value");
}

} // namespace

void TestCheckedArithmetic::divide_data() {
    addColumns();
    QTest::newRow("plain") << 30.0 << 17.0 << none << 30.0 / 17.0;
    QTest::newRow("zero dividend") << 0.0 << 3.8 << none << 0.0;
    QTest::newRow("negative") << -75.0 << 19.0 << none << -75.0 / 19.0;
    QTest::newRow("underflow is no fault") << smallest << 4.0 << none << 0.0;
    QTest::newRow("by zero") << 30.0 << 0.0 << std::optional{ArithmeticFault::DivisionByZero}
                             << 0.0;
    QTest::newRow("negative by zero")
        << -1.0 << 0.0 << std::optional{ArithmeticFault::DivisionByZero} << 0.0;
    QTest::newRow("by negative zero")
        << 1.0 << -0.0 << std::optional{ArithmeticFault::DivisionByZero} << 0.0;
    QTest::newRow("zero by zero") << 0.0 << 0.0 << std::optional{ArithmeticFault::InvalidOperation}
                                  << 0.0;
    QTest::newRow("overflow") << largest << 0.5 << std::optional{ArithmeticFault::Overflow} << 0.0;
    QTest::newRow("overflow by tiny")
        << 1.0 << smallest << std::optional{ArithmeticFault::Overflow} << 0.0;
    QTest::newRow("infinite operand") << std::numeric_limits<double>::infinity() << 2.0
                                      << std::optional{ArithmeticFault::InvalidOperation} << 0.0;
}

void TestCheckedArithmetic::divide() {
    QFETCH(double, lhs);
    QFETCH(double, rhs);
    QFETCH(std::optional<ArithmeticFault>, fault);
    QFETCH(double, value);

    const CheckedValue result = checkedDivide(lhs, rhs);
    QCOMPARE(result.fault, fault);
    if (!fault) {
        QCOMPARE(result.value, value);
    }
}

void TestCheckedArithmetic::multiply_data() {
    addColumns();
    QTest::newRow("plain") << 88.0 << 60.0 << none << 5280.0;
    QTest::newRow("by zero") << largest << 0.0 << none << 0.0;
    QTest::newRow("underflow is no fault") << smallest << 0.5 << none << 0.0;
    QTest::newRow("overflow") << largest << 2.0 << std::optional{ArithmeticFault::Overflow} << 0.0;
    QTest::newRow("negative overflow")
        << -largest << 60.0 << std::optional{ArithmeticFault::Overflow} << 0.0;
    QTest::newRow("nan operand") << std::numeric_limits<double>::quiet_NaN() << 1.0
                                 << std::optional{ArithmeticFault::InvalidOperation} << 0.0;
    QTest::newRow("infinite operand") << 1.0 << -std::numeric_limits<double>::infinity()
                                      << std::optional{ArithmeticFault::InvalidOperation} << 0.0;
}

void TestCheckedArithmetic::multiply() {
    QFETCH(double, lhs);
    QFETCH(double, rhs);
    QFETCH(std::optional<ArithmeticFault>, fault);
    QFETCH(double, value);

    const CheckedValue result = checkedMultiply(lhs, rhs);
    QCOMPARE(result.fault, fault);
    if (!fault) {
        QCOMPARE(result.value, value);
    }
}

QTEST_GUILESS_MAIN(TestCheckedArithmetic)
#include "test_checked_arithmetic.moc"
