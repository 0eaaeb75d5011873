// The fair yardstick for Corvanet's start-up: the window's captions at the
// window's places in the window's installed faces, each a plain QLabel (the
// fields and buttons too, with their captions), and nothing else. Only the
// layout table, which is data, is shared with the program.
#include <QApplication>
#include <QLabel>
#include <QScreen>

#include "bench/startup/first_frame.h"
#include "ui/twips.h"
#include "ui/window_layout.h"

namespace {

QFont InstalledFace(corvanet::FaceSpec face)
{
    QFont font;
    if (face.family == std::string_view("宋体"))
        font.setFamilies({QStringLiteral("AR PL UMing CN")});
    else
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("AR PL UMing CN")});
    font.setPointSizeF(face.points);
    font.setBold(true);
    return font;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace corvanet;
    QApplication app(argc, argv);
    QWidget window;
    const QScreen* s = window.screen();
    const TwipScale scale{s->logicalDotsPerInchX(), s->logicalDotsPerInchY()};
    for (const ControlRow& row : Controls()) {
        auto* label = new QLabel(QString::fromUtf8(row.caption), &window);
        label->setGeometry(scale.X(row.left), scale.Y(row.top), scale.X(row.width), scale.Y(row.height));
        label->setFont(InstalledFace(FaceOf(row.kind, row.face)));
        label->setWordWrap(row.height > 255);
    }
    window.resize(scale.X(kLayoutRight + kLayoutMargin), scale.Y(kLayoutBottom + kLayoutMargin));
    startup_bench::ExitAfterFirstFrame(window);
    window.show();
    return app.exec();
}
