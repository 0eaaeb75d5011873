#include "ui/stale_look.h"

#include <QLineEdit>

#include "text/calculation_trace.h"

namespace corvanet {

void ShowAsStale(QLineEdit& box, bool stale)
{
    if (stale) {
        // Only the text colour is the box's own; everything else still
        // follows the window.
        QPalette greyed;
        greyed.setColor(QPalette::Text, QColor(150, 150, 150));
        box.setPalette(greyed);
    } else {
        box.setPalette(QPalette());
    }
    // An empty box has no earlier text to warn about.
    box.setToolTip(stale && !box.text().isEmpty() ? QString::fromUtf8(kStaleBoxTip) : QString());
}

}  // namespace corvanet
