#pragma once
// A label whose caption wraps at blanks only, as the window's captions were
// designed: Qt would also break between two Chinese characters, which puts
// the first character of "待定点纵座标" at the end of the route's line.
#include <QLabel>
#include <QStringList>

class QFontMetricsF;

namespace corvanet {

// The lines of `caption` in a box `width` wide: as many words as fit on each
// line, the blanks between them kept, the blanks at a break dropped. The
// caption's leading blanks stay on the first line; a word wider than the box
// stands alone on its line.
QStringList WrapAtBlanks(const QString& caption, const QFontMetricsF& metrics, qreal width);

class CaptionLabel final : public QLabel {
    Q_OBJECT

public:
    CaptionLabel(const QString& caption, QWidget* parent);
    QStringList lines() const;

protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace corvanet
