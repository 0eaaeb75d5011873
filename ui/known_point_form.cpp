#include "ui/known_point_form.h"

#include <algorithm>

#include "text/number_reading.h"
#include "text/number_text.h"
#include "text/point_reading.h"

namespace corvanet {
namespace {

QString Shortest(double value)
{
    char buf[kShortestTextRoom];
    return QString::fromLatin1(buf, WriteShortestText(buf, value) - buf);
}

bool HasControl(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    });
}

// The number typed for `what`, or the sentence that says why there is none.
std::variant<double, QString> Number(const QString& what, const QString& text)
{
    const NumberReading reading = ReadNumberTelling(text.toStdString());
    if (reading.value) return *reading.value;
    return QStringLiteral("%1 %2。").arg(what, QString::fromUtf8(NumberProblemText(reading.problem)));
}

}  // namespace

PointTexts TextsOf(const KnownPoint& p)
{
    return {p.name, Shortest(p.x), Shortest(p.y), p.h ? Shortest(*p.h) : QString(), p.code};
}

std::variant<KnownPoint, QString> ReadPointTexts(const PointTexts& texts)
{
    KnownPoint p;
    p.name = texts.name.trimmed();
    if (p.name.isEmpty()) return QStringLiteral("请输入点名。");
    if (static_cast<std::size_t>(p.name.toUcs4().size()) > kMaxPointNameLength)
        return QStringLiteral("点名太长：最多 %1 个字符。").arg(kMaxPointNameLength);
    if (HasControl(p.name)) return QStringLiteral("点名不能含有换行、制表符等控制字符。");
    const auto x = Number(QStringLiteral("X"), texts.x);
    if (const QString* problem = std::get_if<QString>(&x)) return *problem;
    const auto y = Number(QStringLiteral("Y"), texts.y);
    if (const QString* problem = std::get_if<QString>(&y)) return *problem;
    p.x = std::get<double>(x);
    p.y = std::get<double>(y);
    if (!texts.h.trimmed().isEmpty()) {
        const auto h = Number(QStringLiteral("H"), texts.h);
        if (const QString* problem = std::get_if<QString>(&h)) return *problem;
        p.h = std::get<double>(h);
    }
    p.code = texts.code.trimmed();
    if (HasControl(p.code)) return QStringLiteral("编码不能含有换行、制表符等控制字符。");
    return p;
}

QString EditedSource(const KnownPoint& before, const KnownPoint& after)
{
    return SameCoordinates(before, after) ? before.source : QStringLiteral("entered");
}

QString NameTakenText(const QString& name) { return QStringLiteral("已有名为“%1”的已知点，请换一个点名。").arg(name); }

}  // namespace corvanet
