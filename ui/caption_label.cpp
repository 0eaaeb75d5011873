#include "ui/caption_label.h"

#include <QFontMetricsF>
#include <QPainter>

namespace corvanet {

QStringList WrapAtBlanks(const QString& caption, const QFontMetricsF& metrics, qreal width)
{
    QStringList lines;
    QString line;
    QString gap;  // the blanks since the last word
    bool lineHasWord = false;
    for (qsizetype i = 0; i < caption.size();) {
        qsizetype j = i;
        const bool blank = caption[i] == u' ';
        while (j < caption.size() && (caption[j] == u' ') == blank)
            ++j;
        const QString run = caption.mid(i, j - i);
        i = j;
        if (blank) {
            gap += run;
            continue;
        }
        if (!lineHasWord) {
            line = lines.isEmpty() ? gap + run : run;
        } else if (const QString longer = line + gap + run; metrics.horizontalAdvance(longer) <= width) {
            line = longer;
        } else {
            lines << line;
            line = run;
        }
        lineHasWord = true;
        gap.clear();
    }
    if (lineHasWord)
        lines << line;
    return lines;
}

CaptionLabel::CaptionLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setAutoFillBackground(true);  // opaque, in the window's colour
}

QStringList CaptionLabel::lines() const { return WrapAtBlanks(text(), QFontMetricsF(font()), width()); }

void CaptionLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetricsF metrics(font());
    qreal baseline = metrics.ascent();
    for (const QString& line : lines()) {
        p.drawText(QPointF(0, baseline), line);
        baseline += metrics.lineSpacing();
    }
}

}  // namespace corvanet
