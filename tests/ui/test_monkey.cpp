#include "calc/compute.h"
#include "calc/failure_message.h"
#include "calc/gear_sheet.h"
#include "calc/presets.h"
#include "designed_window.h"
#include "runtime/number_text.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>

namespace {

// A failure can be replayed by setting the seed it prints; the action count can then be cut to
// the failing action.
constexpr quint32 defaultSeed = 271828;
constexpr quint32 defaultActionCount = 5000;
constexpr qsizetype historyLength = 12;

std::optional<quint32> unsignedFromEnvironment(const char *variable, quint32 fallback) {
    if (!qEnvironmentVariableIsSet(variable)) {
        return fallback;
    }
    bool ok = false;
    const uint value = qEnvironmentVariable(variable).trimmed().toUInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

// Texts in messages stay short even when a box holds hundreds of digits.
QString quoted(const QString &text) {
    constexpr qsizetype limit = 24;
    if (text.size() <= limit) {
        return u'«' + text + u'»';
    }
    const qsizetype cut = text.at(limit - 1).isHighSurrogate() ? limit - 1 : limit;
    return QStringLiteral("«%1…» (%2 UTF-16 units)").arg(text.left(cut)).arg(text.size());
}

bool isAscii(const QString &text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// Keeps each message the window reports after building, through the window's own code, the
// box the user would meet, and painting it once. Where the box does not show and speak the
// message as it is, it keeps what went wrong in place of the message.
class BoxBuildingReporter final : public FailureReporter {
public:
    explicit BoxBuildingReporter(QStringList &messages)
        : m_messages(messages) {}

    void report(QWidget *parent, const QString &message) override {
        const std::unique_ptr<QMessageBox> box = failureMessageBox(parent, message);
        box->grab();
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QAccessibleInterface *spoken =
            label ? QAccessible::queryAccessibleInterface(const_cast<QLabel *>(label)) : nullptr;
        if (!label || !spoken) {
            m_messages.append(QStringLiteral("a message box without its text"));
        } else if (label->text() != message || label->textFormat() != Qt::PlainText ||
                   spoken->text(QAccessible::Name) != message) {
            m_messages.append(QStringLiteral("a box showing «%1» in format %2, read as «%3»")
                                  .arg(label->text())
                                  .arg(label->textFormat())
                                  .arg(spoken->text(QAccessible::Name)));
        } else {
            m_messages.append(message);
        }
    }

private:
    QStringList &m_messages;
};

// Where the next typed text goes: over the selection if there is one, else at the cursor.
struct Caret {
    QString text;
    int start = 0;
    int removed = 0;
};

Caret caretOf(const QLineEdit *box) {
    if (box->hasSelectedText()) {
        return {box->text(), box->selectionStart(), box->selectionLength()};
    }
    return {box->text(), box->cursorPosition(), 0};
}

// Keys that type nothing leave a selection standing.
QString afterInsert(const Caret &caret, const QString &typed) {
    if (typed.isEmpty()) {
        return caret.text;
    }
    return caret.text.left(caret.start) + typed + caret.text.mid(caret.start + caret.removed);
}

// Drives one window with random clicks and keys and keeps what its texts should be.
class Monkey {
public:
    Monkey(MainWindow &window, const QStringList &reports, quint32 seed);

    // Performs the action with the given number and returns what went wrong, if anything.
    QString act(quint32 index);
    QString checkInvariants() const;
    QString recentActions() const { return m_history.join(u'\n'); }
    int computeSuccesses() const { return m_successes; }
    int computeFailures() const { return m_failures; }

private:
    int bounded(int highest) { return m_random.bounded(highest); }
    void note(const QString &action);

    QString typeIntoRandomBox();
    QString takeFocus(Field field);
    QString insertJunk(Field field);
    QString backspace(Field field);
    QString clear(Field field);
    QString replaceWithPlausible(Field field);
    QString plausibleNumber(Field field);

    QString clickRandomButton();
    QString press(QPushButton *button, bool byMouse);
    QString checkCompute(QPushButton *button);
    QString checkArithmetic() const;
    QString pressTab();
    QString pressKeyOnFocus();

    QString resultText(Field field) const { return m_labels[resultIndex(field)]->text(); }
    double shownNumber(Field field) const;

    MainWindow &m_window;
    const QStringList &m_reports;
    QRandomGenerator m_random;
    std::array<QLineEdit *, inputFieldCount> m_boxes{};
    std::array<QLabel *, resultFieldCount> m_labels{};
    std::array<QPushButton *, 8> m_buttons{}; // Command1 ... Command7, cmdCalcola
    std::array<QString, inputFieldCount> m_inputs{};
    std::array<QString, resultFieldCount> m_results{};
    qsizetype m_reportsSeen = 0;
    QList<Field> m_pendingFills;
    QStringList m_history;
    quint32 m_index = 0;
    int m_successes = 0;
    int m_failures = 0;
};

Monkey::Monkey(MainWindow &window, const QStringList &reports, quint32 seed)
    : m_window(window)
    , m_reports(reports)
    , m_random(seed) {
    for (const Field field : inputFields()) {
        m_boxes[inputIndex(field)] = window.findChild<QLineEdit *>(fieldName(field));
    }
    for (const Field field : resultFields()) {
        m_labels[resultIndex(field)] = window.findChild<QLabel *>(fieldName(field));
    }
    for (int i = 0; i < 7; ++i) {
        m_buttons[static_cast<std::size_t>(i)] =
            window.findChild<QPushButton *>(QStringLiteral("Command%1").arg(i + 1));
    }
    m_buttons.back() = window.findChild<QPushButton *>(QStringLiteral("cmdCalcola"));
    const auto missing = [](const QWidget *widget) {
        return widget == nullptr;
    };
    if (std::any_of(m_boxes.cbegin(), m_boxes.cend(), missing) ||
        std::any_of(m_labels.cbegin(), m_labels.cend(), missing) ||
        std::any_of(m_buttons.cbegin(), m_buttons.cend(), missing)) {
        qFatal("the window lacks a box, a result label or a button");
    }
}

void Monkey::note(const QString &action) {
    m_history.append(QStringLiteral("  %1: %2").arg(m_index).arg(action));
    if (m_history.size() > historyLength) {
        m_history.removeFirst();
    }
}

QString Monkey::act(quint32 index) {
    m_index = index;
    QString problem;
    if (!m_pendingFills.isEmpty()) {
        const Field field = m_pendingFills.takeFirst();
        problem = takeFocus(field);
        if (problem.isEmpty()) {
            problem = replaceWithPlausible(field);
        }
    } else {
        const int roll = bounded(100);
        if (roll < 45) {
            problem = typeIntoRandomBox();
        } else if (roll < 80) {
            problem = clickRandomButton();
        } else if (roll < 93) {
            problem = pressTab();
        } else {
            problem = pressKeyOnFocus();
        }
    }
    return problem.isEmpty() ? checkInvariants() : problem;
}

QString Monkey::checkInvariants() const {
    if (!m_window.isVisible()) {
        return QStringLiteral("the window is no longer shown");
    }
    for (const Field field : inputFields()) {
        const QString actual = m_boxes[inputIndex(field)]->text();
        if (actual != m_inputs[inputIndex(field)]) {
            return QStringLiteral("%1 holds %2 where %3 was left")
                .arg(fieldName(field), quoted(actual), quoted(m_inputs[inputIndex(field)]));
        }
    }
    const auto filled = std::count_if(m_labels.cbegin(), m_labels.cend(),
                                      [](const QLabel *label) { return !label->text().isEmpty(); });
    if (filled != 0 && filled != resultFieldCount) {
        return QStringLiteral("only %1 of the %2 results are shown")
            .arg(filled)
            .arg(resultFieldCount);
    }
    for (const Field field : resultFields()) {
        if (resultText(field) != m_results[resultIndex(field)]) {
            return QStringLiteral("%1 shows %2 where the last compute left %3")
                .arg(fieldName(field), quoted(resultText(field)),
                     quoted(m_results[resultIndex(field)]));
        }
    }
    if (m_reports.size() != m_reportsSeen) {
        return QStringLiteral("a failure was reported without a compute: %1").arg(m_reports.last());
    }
    const QWidget *focus = QApplication::focusWidget();
    if (!focus || !m_window.isAncestorOf(focus)) {
        return QStringLiteral("the focus left the window's controls (%1)").arg(name(focus));
    }
    return {};
}

QString Monkey::typeIntoRandomBox() {
    const Field field = inputFields()[static_cast<std::size_t>(bounded(inputFieldCount))];
    if (QString problem = takeFocus(field); !problem.isEmpty()) {
        return problem;
    }
    const int kind = bounded(100);
    if (kind < 35) {
        return replaceWithPlausible(field);
    }
    if (kind < 45) {
        return clear(field);
    }
    if (kind < 55) {
        return backspace(field);
    }
    return insertJunk(field);
}

QString Monkey::takeFocus(Field field) {
    QLineEdit *box = m_boxes[inputIndex(field)];
    if (bounded(2) == 0) {
        QTest::mouseClick(box, Qt::LeftButton);
    } else {
        box->setFocus(Qt::OtherFocusReason);
    }
    if (QApplication::focusWidget() != box) {
        note(QStringLiteral("focus %1").arg(fieldName(field)));
        return QStringLiteral("%1 did not take the focus; %2 has it")
            .arg(fieldName(field), name(QApplication::focusWidget()));
    }
    return {};
}

QString Monkey::insertJunk(Field field) {
    static const QStringList foreign{
        QStringLiteral("à"),      QStringLiteral("è"),      QStringLiteral("°"),
        QStringLiteral("ß"),      QStringLiteral("€"),      QStringLiteral("日"),
        QStringLiteral("本"),     QStringLiteral("\u00A0"), QStringLiteral("\u202F"),
        QStringLiteral("\u2212"), QStringLiteral("\u200E"), QStringLiteral("\u0301"),
        QStringLiteral("😀"),      QStringLiteral("🏎"),   QStringLiteral("٫"),
    };
    // Markup pasted from a web page or a chat; the tags name a picture in the working folder.
    static const QStringList markup{
        QStringLiteral("<b>"),
        QStringLiteral("</b>"),
        QStringLiteral("<img src=\"x.png\">"),
        QStringLiteral("<a href=\"x.png\">"),
        QStringLiteral("&amp;"),
        QStringLiteral("&lt;"),
        QStringLiteral("<"),
        QStringLiteral(">"),
    };
    static const QString punctuation = QStringLiteral(".,+-eE ");
    QLineEdit *box = m_boxes[inputIndex(field)];
    const Caret caret = caretOf(box);
    QString typed;
    for (int pieces = 1 + bounded(6); pieces > 0; --pieces) {
        const int pick = bounded(100);
        if (pick < 30 || (pick >= 33 && pick < 36)) {
            const int length = pick < 30 ? 1 + bounded(6) : 100 + bounded(301);
            QString digits;
            for (int i = 0; i < length; ++i) {
                digits += QChar(u'0' + bounded(10));
            }
            QTest::keyClicks(box, digits);
            typed += digits;
        } else if (pick < 50) {
            const QChar c = punctuation.at(bounded(static_cast<int>(punctuation.size())));
            QTest::keyClicks(box, QString(c));
            typed += c;
        } else if (pick < 60) {
            const QChar c(bounded(2) ? u'a' + bounded(26) : u'A' + bounded(26));
            QTest::keyClicks(box, QString(c));
            typed += c;
        } else if (pick < 92) {
            // QTest::keyClicks only speaks Latin-1; these arrive as an input method would send
            // them.
            const QString c = pick < 72   ? QString(QChar(0x0660 + bounded(10)))
                              : pick < 86 ? foreign.at(bounded(static_cast<int>(foreign.size())))
                                          : markup.at(bounded(static_cast<int>(markup.size())));
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, c, Qt::NoModifier);
            typed += c;
        } else {
            // Keys that a box leaves to the window, which has nothing bound to them.
            QTest::keyClick(box, bounded(2) ? Qt::Key_Return : Qt::Key_Escape);
        }
    }
    note(QStringLiteral("type %1 at %2+%3 in %4")
             .arg(quoted(typed))
             .arg(caret.start)
             .arg(caret.removed)
             .arg(fieldName(field)));
    const QString expected = afterInsert(caret, typed);
    if (box->text() != expected) {
        return QStringLiteral("typing %1 into %2 left %3 instead of %4")
            .arg(quoted(typed), fieldName(field), quoted(box->text()), quoted(expected));
    }
    m_inputs[inputIndex(field)] = expected;
    return {};
}

QString Monkey::backspace(Field field) {
    QLineEdit *box = m_boxes[inputIndex(field)];
    const Caret caret = caretOf(box);
    const int presses = 1 + bounded(5);
    note(QStringLiteral("%1 × Backspace at %2+%3 in %4")
             .arg(presses)
             .arg(caret.start)
             .arg(caret.removed)
             .arg(fieldName(field)));
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    const QString now = box->text();
    // Whatever a character is made of, Backspace removes one stretch that ends at the cursor.
    const int cursor = box->cursorPosition();
    const qsizetype kept = now.size() - cursor;
    if (now.size() > caret.text.size() || now.left(cursor) != caret.text.left(cursor) ||
        now.right(kept) != caret.text.right(kept)) {
        return QStringLiteral("Backspace turned %1 into %2 in %3")
            .arg(quoted(caret.text), quoted(now), fieldName(field));
    }
    if (isAscii(caret.text)) {
        QString expected = caret.text;
        int left = presses;
        if (caret.removed > 0) {
            expected.remove(caret.start, caret.removed);
            --left;
        }
        const int erased = std::min(left, caret.start);
        expected.remove(caret.start - erased, erased);
        if (now != expected) {
            return QStringLiteral("Backspace turned %1 into %2 in %3, not %4")
                .arg(quoted(caret.text), quoted(now), fieldName(field), quoted(expected));
        }
    }
    m_inputs[inputIndex(field)] = now;
    return {};
}

QString Monkey::clear(Field field) {
    QLineEdit *box = m_boxes[inputIndex(field)];
    note(QStringLiteral("Ctrl+A, Delete in %1").arg(fieldName(field)));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    if (!box->text().isEmpty()) {
        return QStringLiteral("Ctrl+A, Delete left %1 in %2")
            .arg(quoted(box->text()), fieldName(field));
    }
    m_inputs[inputIndex(field)].clear();
    return {};
}

QString Monkey::replaceWithPlausible(Field field) {
    QLineEdit *box = m_boxes[inputIndex(field)];
    const QString number = plausibleNumber(field);
    note(QStringLiteral("Ctrl+A, type %1 in %2").arg(quoted(number), fieldName(field)));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, number);
    if (box->text() != number) {
        return QStringLiteral("typing %1 over everything in %2 left %3")
            .arg(quoted(number), fieldName(field), quoted(box->text()));
    }
    m_inputs[inputIndex(field)] = number;
    return {};
}

// Numbers a mechanic would type, in the current locale, so that many computes go through; now
// and then a zero, which one divisor or another cannot take.
QString Monkey::plausibleNumber(Field field) {
    const QLocale locale;
    if (bounded(25) == 0) {
        return QStringLiteral("0");
    }
    switch (field) {
    case Field::txtGiri: {
        const int rpm = 8000 + bounded(10001);
        return bounded(4) == 0 ? locale.toString(rpm) : QString::number(rpm);
    }
    case Field::txtCirco:
        if (bounded(3) == 0) {
            return locale.toString(80.0 + bounded(200) / 10.0, 'f', 1);
        }
        return QString::number(80 + bounded(21));
    case Field::txtPignone:
        return QString::number(9 + bounded(12));
    case Field::txtCorona:
        return QString::number(20 + bounded(71));
    case Field::Txt13:
        return QString::number(15 + bounded(11));
    case Field::Txt14:
        return QString::number(55 + bounded(26));
    default:
        return QString::number(10 + bounded(30));
    }
}

QString Monkey::clickRandomButton() {
    // Calcola is a third of the clicks, so that computes keep coming between the presets.
    const std::size_t which =
        bounded(3) == 0 ? m_buttons.size() - 1 : static_cast<std::size_t>(bounded(7));
    return press(m_buttons[which], true);
}

QString Monkey::press(QPushButton *button, bool byMouse) {
    const QString buttonName = button->objectName();
    note(QStringLiteral("%1 %2").arg(byMouse ? QStringLiteral("click") : QStringLiteral("Space on"),
                                     buttonName));
    if (byMouse) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        QTest::keyClick(button, Qt::Key_Space);
    }
    if (button == m_buttons.back()) {
        return checkCompute(button);
    }
    if (buttonName == QStringLiteral("Command7")) {
        m_inputs[inputIndex(Field::txtCirco)] = QString::number(standardCircumference);
    } else {
        const int row = buttonName.mid(7).toInt() - 1;
        const EnginePreset &preset = enginePresets()[static_cast<std::size_t>(row)];
        for (std::size_t i = 0; i < preset.teeth.size(); ++i) {
            m_inputs[inputIndex(presetFields()[i])] = QString::number(preset.teeth[i]);
        }
        if (bounded(2) == 0) {
            m_pendingFills = {Field::txtGiri, Field::txtCirco, Field::txtPignone, Field::txtCorona};
        }
    }
    if (QApplication::focusWidget() != button) {
        return QStringLiteral("after %1 the focus is on %2")
            .arg(buttonName, name(QApplication::focusWidget()));
    }
    return {};
}

QString Monkey::checkCompute(QPushButton *button) {
    // The same inputs on a sheet in memory say what the window has to show.
    MemorySheet expected;
    for (const Field field : inputFields()) {
        expected.setText(field, m_inputs[inputIndex(field)]);
    }
    for (const Field field : resultFields()) {
        expected.setText(field, m_results[resultIndex(field)]);
    }
    const std::optional<ComputeFailure> failure = compute(expected);
    const qsizetype newReports = m_reports.size() - m_reportsSeen;
    m_reportsSeen = m_reports.size();
    const QWidget *focus = QApplication::focusWidget();

    if (failure) {
        ++m_failures;
        const QString message = failureMessage(*failure);
        m_history.last() += QStringLiteral(": %1").arg(message);
        if (newReports != 1) {
            return QStringLiteral("%1 reported %2 failures where one was due: %3")
                .arg(button->objectName())
                .arg(newReports)
                .arg(message);
        }
        if (m_reports.last() != message) {
            return QStringLiteral("reported «%1» instead of «%2»").arg(m_reports.last(), message);
        }
        for (const Field field : resultFields()) {
            if (!resultText(field).isEmpty()) {
                return QStringLiteral("after a failed compute %1 still shows %2")
                    .arg(fieldName(field), quoted(resultText(field)));
            }
        }
        const QLineEdit *box = m_boxes[isInput(failure->field) ? inputIndex(failure->field)
                                                               : inputIndex(Field::Txt12)];
        if (focus != box) {
            return QStringLiteral("after the failure the focus is on %1, not on %2")
                .arg(name(focus), box->objectName());
        }
        if (box->selectedText() != box->text()) {
            return QStringLiteral("the box to correct has %1 selected out of %2")
                .arg(quoted(box->selectedText()), quoted(box->text()));
        }
    } else {
        ++m_successes;
        m_history.last() += QStringLiteral(": computed");
        if (newReports != 0) {
            return QStringLiteral("a compute that goes through reported %1").arg(m_reports.last());
        }
        for (const Field field : resultFields()) {
            if (resultText(field) != expected.text(field)) {
                return QStringLiteral("%1 shows %2 where the inputs give %3")
                    .arg(fieldName(field), quoted(resultText(field)), quoted(expected.text(field)));
            }
            if (!textToNumber(resultText(field))) {
                return QStringLiteral("%1 shows %2, which does not read back as a number")
                    .arg(fieldName(field), quoted(resultText(field)));
            }
        }
        if (QString problem = checkArithmetic(); !problem.isEmpty()) {
            return problem;
        }
        if (name(focus) != QStringLiteral("Txt12")) {
            return QStringLiteral("after a compute the focus is on %1, not on Txt12")
                .arg(name(focus));
        }
    }
    for (const Field field : resultFields()) {
        m_results[resultIndex(field)] = resultText(field);
    }
    return {};
}

double Monkey::shownNumber(Field field) const {
    const QString text = isInput(field) ? m_boxes[inputIndex(field)]->text() : resultText(field);
    return textToNumber(text).value_or(std::nan(""));
}

// The formulas worked again in long double, from the texts on show: each result may differ from
// them only by its rounding to seven significant digits.
QString Monkey::checkArithmetic() const {
    const auto value = [this](Field field) -> long double {
        return shownNumber(field);
    };
    const auto check = [this](Field field, long double exact) -> QString {
        const long double shown = shownNumber(field);
        if (!(std::fabs(shown - exact) <= 1e-6L * std::fabs(exact) + 1e-300L)) {
            return QStringLiteral("%1 shows %2 where the formula gives %3")
                .arg(fieldName(field), resultText(field))
                .arg(static_cast<double>(exact), 0, 'g', 10);
        }
        return {};
    };
    QString problem = check(Field::lblFinale, value(Field::txtCorona) / value(Field::txtPignone));
    if (problem.isEmpty()) {
        problem = check(Field::lblP, value(Field::Txt14) / value(Field::Txt13));
    }
    if (problem.isEmpty()) {
        problem = check(Field::lblGc, value(Field::txtGiri) / value(Field::lblP));
    }
    for (int gear = 1; gear <= gearCount && problem.isEmpty(); ++gear) {
        problem = check(gearRatio(gear), value(secondaryTeeth(gear)) / value(primaryTeeth(gear)));
        if (problem.isEmpty()) {
            problem = check(gearSpeed(gear), value(Field::txtCirco) * value(Field::lblGc) /
                                                 value(gearRatio(gear)) / value(Field::lblFinale) *
                                                 60 / 100000);
        }
    }
    return problem;
}

QString Monkey::pressTab() {
    QWidget *from = QApplication::focusWidget();
    if (!from) {
        return QStringLiteral("nothing has the focus to press Tab on");
    }
    const bool forward = bounded(2) == 0;
    note(QStringLiteral("%1 on %2")
             .arg(forward ? QStringLiteral("Tab") : QStringLiteral("Shift+Tab"), name(from)));
    QTest::keyClick(from, forward ? Qt::Key_Tab : Qt::Key_Backtab);
    const auto &stops = designedTabStops;
    const auto here = std::find_if(stops.begin(), stops.end(), [from](const char *stop) {
        return from->objectName() == QLatin1String(stop);
    });
    if (here == stops.end()) {
        return {};
    }
    const auto at = static_cast<std::size_t>(here - stops.begin());
    const std::size_t next = (at + (forward ? 1 : stops.size() - 1)) % stops.size();
    if (name(QApplication::focusWidget()) != QLatin1String(stops[next])) {
        return QStringLiteral("from %1 the focus went to %2, not %3")
            .arg(name(from), name(QApplication::focusWidget()), QLatin1String(stops[next]));
    }
    return {};
}

// Space and Return on whatever holds the focus: Space types into a box and presses a button,
// Return does neither, because no button is the default one.
QString Monkey::pressKeyOnFocus() {
    QWidget *focus = QApplication::focusWidget();
    if (!focus) {
        return QStringLiteral("nothing has the focus to press a key on");
    }
    if (focus->objectName() == QStringLiteral("cmdFine")) {
        return pressTab();
    }
    if (bounded(2) == 0) {
        note(QStringLiteral("Return on %1").arg(name(focus)));
        QTest::keyClick(focus, Qt::Key_Return);
        return {};
    }
    if (auto *box = qobject_cast<QLineEdit *>(focus)) {
        const auto field =
            static_cast<Field>(std::find(m_boxes.cbegin(), m_boxes.cend(), box) - m_boxes.cbegin());
        const Caret caret = caretOf(box);
        note(QStringLiteral("Space at %1+%2 in %3")
                 .arg(caret.start)
                 .arg(caret.removed)
                 .arg(fieldName(field)));
        QTest::keyClick(box, Qt::Key_Space);
        const QString expected = afterInsert(caret, QStringLiteral(" "));
        if (box->text() != expected) {
            return QStringLiteral("Space turned %1 into %2, not %3")
                .arg(quoted(caret.text), quoted(box->text()), quoted(expected));
        }
        m_inputs[inputIndex(field)] = expected;
        return {};
    }
    if (auto *button = qobject_cast<QPushButton *>(focus)) {
        return press(button, false);
    }
    note(QStringLiteral("Space on %1").arg(name(focus)));
    QTest::keyClick(focus, Qt::Key_Space);
    return {};
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomActionsKeepTheWindowConsistent_data();
    void randomActionsKeepTheWindowConsistent();

private:
    std::optional<ModalWatchdog> m_modalWatchdog;
    bool m_quitRequested = false;
    // The working folder, which holds the picture the pasted tags name.
    QTemporaryDir m_folder;
    QString m_previousFolder;
};

void TestMonkey::initTestCase() {
    useWindowFontEverywhere();
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { m_quitRequested = true; });
    m_modalWatchdog.emplace();
    QVERIFY(m_folder.isValid());
    QVERIFY(writePicture(m_folder.filePath(QStringLiteral("x.png"))));
    m_previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder.path()));
}

void TestMonkey::cleanupTestCase() {
    m_modalWatchdog.reset();
    QDir::setCurrent(m_previousFolder);
}

void TestMonkey::randomActionsKeepTheWindowConsistent_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("it_IT") << QLocale(QLocale::Italian, QLocale::Italy);
    QTest::newRow("C") << QLocale::c();
}

void TestMonkey::randomActionsKeepTheWindowConsistent() {
    QFETCH(QLocale, locale);
    const std::optional<quint32> seed = unsignedFromEnvironment("DENTARO_MONKEY_SEED", defaultSeed);
    QVERIFY2(seed, "DENTARO_MONKEY_SEED is not a whole number");
    const std::optional<quint32> actions =
        unsignedFromEnvironment("DENTARO_MONKEY_ACTIONS", defaultActionCount);
    QVERIFY2(actions, "DENTARO_MONKEY_ACTIONS is not a whole number");
    qInfo("monkey seed %u, %u actions, locale %s (replay with DENTARO_MONKEY_SEED=%u)", *seed,
          *actions, qPrintable(locale.name()), *seed);

    QLocale::setDefault(locale);
    const QString picture = m_folder.filePath(QStringLiteral("x.png"));
    const QDateTime untouched = lastReadDaysAgo(picture);
    QVERIFY(untouched.isValid());
    QStringList reports;
    MainWindow window;
    window.setFailureReporter(std::make_unique<BoxBuildingReporter>(reports));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    Monkey monkey(window, reports, *seed);
    const auto where = [&](quint32 index) {
        return QStringLiteral("seed %1, locale %2, action %3 of %4: ")
            .arg(*seed)
            .arg(locale.name())
            .arg(index)
            .arg(*actions);
    };
    QString problem = monkey.checkInvariants();
    QVERIFY2(problem.isEmpty(), qPrintable(where(0) + problem));
    for (quint32 index = 1; index <= *actions; ++index) {
        problem = monkey.act(index);
        if (problem.isEmpty() && m_quitRequested) {
            problem = QStringLiteral("the program was asked to end");
        }
        if (problem.isEmpty() && m_modalWatchdog->sawModalBox()) {
            problem = QStringLiteral("a modal box opened");
        }
        QVERIFY2(problem.isEmpty(),
                 qPrintable(where(index) + problem + QStringLiteral("\nlast actions:\n") +
                            monkey.recentActions()));
    }

    qInfo("computes: %d went through, %d failed", monkey.computeSuccesses(),
          monkey.computeFailures());
    // A replay cut short need not reach both outcomes; a full run must reach each many times.
    const int least = static_cast<int>(std::min<quint32>(10, *actions / 100));
    QVERIFY2(monkey.computeSuccesses() >= least,
             qPrintable(where(*actions) + QStringLiteral("too few computes went through")));
    QVERIFY2(monkey.computeFailures() >= least,
             qPrintable(where(*actions) + QStringLiteral("too few computes failed")));
    QVERIFY2(
        lastRead(picture) == untouched,
        qPrintable(where(*actions) + QStringLiteral("the picture a pasted tag names was read")));
}

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
