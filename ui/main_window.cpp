#include "ui/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "fonts/font_substitution.h"
#include "ui/caption_label.h"
#include "ui/meter_precision_dialog.h"
#include "ui/stale_look.h"
#include "text/display_rules.h"
#include "text/tolerance_text.h"
#include "ui/twips.h"
#include "ui/window_layout.h"

namespace corvanet {
namespace {

QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QFont FontFor(ControlKind kind, Face face)
{
    const FaceSpec named = FaceOf(kind, face);
    QFont font;
    font.setFamilies(InstalledFamilies(named.family));
    font.setPointSizeF(named.points);
    font.setBold(true);
    return font;
}

// A line of the diagram or the frame: a child covering the line's bounding
// box, so that it carries its name like every other control.
class LineWidget final : public QWidget {
    Q_OBJECT

public:
    LineWidget(QWidget* parent, const LineRow& row, const TwipScale& scale)
        : QWidget(parent), from_(scale.X(row.x1), scale.Y(row.y1)), to_(scale.X(row.x2), scale.Y(row.y2)),
          width_(row.width),
          colour_(row.colour == LineColour::Red ? ToColor(kRed) : parent->palette().color(QPalette::WindowText))
    {
        setObjectName(QString::fromLatin1(row.name));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        const int pad = width_;
        setGeometry(QRect(from_, to_).normalized().adjusted(-pad, -pad, pad, pad));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from_ - pos(), to_ - pos());
    }

private:
    QPoint from_, to_;
    int width_;
    QColor colour_;
};

QWidget* MakeControl(QWidget* parent, const ControlRow& row)
{
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
    case ControlKind::Label:
        return new CaptionLabel(caption, parent);
    case ControlKind::Text:
        return new QLineEdit(parent);
    case ControlKind::Button: {
        auto* button = new QPushButton(caption, parent);
        if (row.cyan) {
            QPalette pal = button->palette();
            pal.setColor(QPalette::Button, ToColor(kButtonCyan));
            button->setPalette(pal);
        }
        return button;
    }
    }
    return nullptr;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), ownPrompt_(std::make_unique<QtPromptDialog>(this)), prompt_(ownPrompt_.get())
{
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToColor(kWindowBack));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(FontFor(ControlKind::Label, Face::Window));

    const QScreen* s = screen();
    const TwipScale scale{s->logicalDotsPerInchX(), s->logicalDotsPerInchY()};

    // A new field lays out its empty text in the application's font before it
    // takes its own; built under the fields' font, the controls load no face
    // the window never shows. The platform's font comes back for the dialogs.
    const QFont platformFont = QApplication::font();
    QApplication::setFont(FontFor(ControlKind::Text, Face::Default));
    // Lines first, so that labels, fields and buttons stand above them.
    for (const LineRow& row : Lines())
        new LineWidget(this, row, scale);
    for (const ControlRow& row : Controls()) {
        QWidget* control = MakeControl(this, row);
        control->setObjectName(QString::fromLatin1(row.name));
        control->setGeometry(scale.X(row.left), scale.Y(row.top), scale.X(row.width), scale.Y(row.height));
        control->setFont(FontFor(row.kind, row.face));
        if (auto* field = qobject_cast<QLineEdit*>(control))
            fields_.insert(field->objectName(), field);
    }
    QApplication::setFont(platformFont);

    QWidget* previous = nullptr;
    for (const char* name : FocusOrder()) {
        auto* next = findChild<QWidget*>(QString::fromLatin1(name));
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
    fields_.value(QStringLiteral("Text1"))->setFocus();

    resize(scale.X(kLayoutRight + kLayoutMargin), scale.Y(kLayoutBottom + kLayoutMargin));

    meter_ = LoadMeterPrecision(UserSettings());
    memory_.ended = [this](const CalculationEnding& ending) {
        // A calculation of the window's own is tested against the window's
        // meter; one cancelled in the entry leaves the last one on show.
        if (!ending.Cancelled()) shownMeter_.reset();
        ShowMisclosureTest();
        emit calculationEnded(ending);
    };
}

MainWindow::~MainWindow() = default;

QPushButton* MainWindow::button(const QString& name) const { return findChild<QPushButton*>(name); }

QString MainWindow::fieldText(const QString& name) const
{
    const QLineEdit* field = fields_.value(name);
    return field ? field->text() : QString();
}

void MainWindow::SetText(std::string_view name, const std::string& text)
{
    QLineEdit* field = fields_.value(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    Q_ASSERT(field);
    if (field) {
        field->setText(QString::fromStdString(text));
        field->setCursorPosition(0);  // a text longer than its box shows from its start
    }
    // The first value of a new figure turns every other box stale at once.
    for (QLineEdit* box : std::as_const(fields_))
        ShowAsStale(*box, trace_.IsStale(box->objectName().toStdString()));
    ShowMisclosureTest();
}

void MainWindow::SetMeter(const MeterPrecision& meter)
{
    meter_ = meter;
    shownMeter_.reset();
    ShowMisclosureTest();
    emit meterChanged();
}

void MainWindow::ShowWithMeter(const MeterPrecision& meter)
{
    shownMeter_ = meter;
    ShowMisclosureTest();
    emit meterChanged();
}

std::optional<MisclosureTest> MainWindow::misclosureTest() const
{
    if (!memory_.last || trace_.outcome() == CalculationTrace::Outcome::Running ||
        trace_.IsStale(ResultBoxName(ResultField::w)))
        return std::nullopt;
    return TestMisclosure(*memory_.last, meter());
}

void MainWindow::ShowMisclosureTest()
{
    const char* const name = ResultBoxName(ResultField::w);
    QLineEdit* box = fields_.value(QString::fromLatin1(name));
    if (!box) return;
    const std::optional<MisclosureTest> test = misclosureTest();
    if (!test) {
        // Whatever the stale look set stands; a verdict of before goes.
        if (!trace_.IsStale(name)) ShowAsStale(*box, false);
        return;
    }
    QPalette look;
    if (test->exceeded) look.setColor(QPalette::Text, QColor(255, 0, 0));
    box->setPalette(look);
    box->setToolTip(QString::fromStdString(ToleranceTooltip(*test)));
}

}  // namespace corvanet

#include "main_window.moc"  // LineWidget
