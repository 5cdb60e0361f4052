#include "ui/main_window.h"

#include "calc/compute.h"
#include "calc/failure_message.h"
#include "calc/presets.h"
#include "runtime/program.h"
#include "ui/captioned_frame.h"
#include "ui/images.h"
#include "ui/looks.h"
#include "ui/picture_box.h"
#include "ui/result_label.h"
#include "ui/window_design.h"

#include <QAccessible>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>
#include <utility>

namespace {

// The boxes "Calcola Cambio" gives the focus to before it computes, one after the other: the
// engine, the tyre and the chain drive, the primary drive, then the gear grid column by column.
// The focus stays on the last.
constexpr std::array<Field, inputFieldCount> focusSweep{
    Field::txtGiri, Field::txtCirco, Field::txtPignone, Field::txtCorona, Field::Txt13,
    Field::Txt14,   Field::Txt1,     Field::Txt2,       Field::Txt3,      Field::Txt4,
    Field::Txt5,    Field::Txt6,     Field::Txt7,       Field::Txt8,      Field::Txt9,
    Field::Txt10,   Field::Txt11,    Field::Txt12,
};

QWidget *createControl(const ControlDescription &control, QWidget *container) {
    const QString caption = QString::fromUtf8(control.caption);
    switch (control.kind) {
    case ControlKind::Label: {
        if (control.look == LookGroup::ResultLabel) {
            return new ResultLabel(container);
        }
        auto *label = new QLabel(caption, container);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        return label;
    }
    case ControlKind::TextBox: {
        auto *box = new QLineEdit(container);
        // A box takes text of any length; the computation says what is wrong with it.
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(caption, container);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::Frame:
        return new CaptionedFrame(caption, container);
    case ControlKind::PictureBox:
        return new PictureBox(container);
    case ControlKind::Line: {
        auto *rule = new QFrame(container);
        const QRect geometry = pixelGeometry(control);
        rule->setFrameShape(geometry.height() == 1 ? QFrame::HLine : QFrame::VLine);
        rule->setFrameShadow(QFrame::Plain);
        rule->setLineWidth(1);
        return rule;
    }
    }
    return nullptr;
}

// Tells a screen reader what a command did, which its user cannot see appear. Qt 6.8 brought
// announcements; with earlier releases the reader follows the focus and the message box alone.
void announce(QObject *source, const QString &message, bool urgent) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source, message);
    event.setPoliteness(urgent ? QAccessible::AnnouncementPoliteness::Assertive
                               : QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#else
    Q_UNUSED(source)
    Q_UNUSED(message)
    Q_UNUSED(urgent)
#endif
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , m_reporter(std::make_unique<MessageBoxReporter>())
    , m_looks(palette()) {
    setObjectName(QString::fromLatin1(windowName));
    setWindowTitle(QString::fromUtf8(windowCaption));
    setFont(windowFont());
    resize(toPixels(clientWidthTwips), toPixels(clientHeightTwips));

    buildFromDesign();
    setWindowIcon(QIcon(QPixmap::fromImage(helmetImage())));
    findChild<PictureBox *>(QStringLiteral("Picture1"))
        ->setImage(enginePhoto(), enginePhotoAtDoubleResolution);
    chainFocusOrder();
    bindFields();
    connectCommands();
    findChild<QLineEdit *>(QStringLiteral("txtGiri"))->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildFromDesign() {
    QHash<QString, QWidget *> containers{{QString::fromLatin1(windowName), this}};
    for (const ControlDescription &control : windowDesign()) {
        QWidget *container = containers.value(QString::fromLatin1(control.container));
        QWidget *widget = createControl(control, container);
        widget->setObjectName(QString::fromUtf8(control.name));
        widget->setGeometry(pixelGeometry(control));
        m_looks.dress(widget, control.look);
        if (control.kind == ControlKind::Frame) {
            containers.insert(widget->objectName(), widget);
        }
    }
}

bool MainWindow::event(QEvent *event) {
    const bool handled = QWidget::event(event);
    // The desktop switched its colours (to a dark scheme, say): by now the window has resolved
    // its new palette, from which the looks derive theirs again. A change of the system colours
    // alone (Windows' inactive border, say) comes as a theme change.
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ThemeChange) {
        m_looks.followPalette(palette());
    }
    return handled;
}

void MainWindow::chainFocusOrder() {
    QWidget *previous = nullptr;
    for (const char *name : focusOrder()) {
        auto *next = findChild<QWidget *>(QString::fromLatin1(name));
        if (previous) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
    }
}

void MainWindow::bindFields() {
    for (const Field field : inputFields()) {
        auto *box = findChild<QLineEdit *>(fieldName(field));
        box->setAccessibleName(fieldCaption(field));
        m_boxes[inputIndex(field)] = box;
    }
    for (const Field field : resultFields()) {
        auto *label = findChild<QLabel *>(fieldName(field));
        // The accessible name stays the label's text, so a screen reader reads the number.
        label->setAccessibleDescription(fieldCaption(field));
        m_results[resultIndex(field)] = label;
    }
}

void MainWindow::connectCommands() {
    const auto presets = enginePresets();
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const QByteArray button = QByteArrayLiteral("Command") + QByteArray::number(i + 1);
        onClick(button.constData(), [this, &preset = presets[i]] { applyPreset(*this, preset); });
    }
    onClick("Command7", [this] { applyStandardCircumference(*this); });
    onClick("cmdCalcola", [this] { calculate(); });
    onClick("cmdFine", [] { endProgram(); });
}

void MainWindow::onClick(const char *button, std::function<void()> command) {
    connect(findChild<QPushButton *>(QString::fromLatin1(button)), &QPushButton::clicked, this,
            std::move(command));
}

QString MainWindow::text(Field field) const {
    return isInput(field) ? m_boxes[inputIndex(field)]->text()
                          : m_results[resultIndex(field)]->text();
}

void MainWindow::setText(Field field, const QString &text) {
    if (isInput(field)) {
        m_boxes[inputIndex(field)]->setText(text);
    } else {
        m_results[resultIndex(field)]->setText(text);
    }
}

void MainWindow::setFailureReporter(std::unique_ptr<FailureReporter> reporter) {
    m_reporter = std::move(reporter);
}

void MainWindow::calculate() {
    for (const Field field : focusSweep) {
        m_boxes[inputIndex(field)]->setFocus(Qt::OtherFocusReason);
    }
    const std::optional<ComputeFailure> failure = compute(*this);
    if (!failure) {
        // Fifteen labels changed without a sound; the top speed is what a mechanic asks first.
        const Field topSpeed = gearSpeed(gearCount);
        announce(
            this,
            QStringLiteral("Risultati pronti. %1: %2").arg(fieldCaption(topSpeed), text(topSpeed)),
            false);
        return;
    }
    const QString message = failureMessage(*failure);
    // Said before the box opens, whose own reading then follows.
    announce(this, message, true);
    m_reporter->report(this, message);
    // After the message the user lands where the correction is to be typed. The computation
    // always names an input box; anything else leaves the focus where the sweep ended.
    QLineEdit *box =
        m_boxes[inputIndex(isInput(failure->field) ? failure->field : focusSweep.back())];
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}
