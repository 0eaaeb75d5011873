// The main window as the user sees it: every control where the design puts
// it, the focus order, the fonts that carry Chinese, and the Exit button.
#include <gtest/gtest.h>

#include <iostream>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QSet>
#include <QTextLayout>
#include <QTimer>

#include "app/button_binding.h"
#include "ui/caption_label.h"
#include "ui/calculate_command.h"
#include "ui/main_window.h"
#include "tests/ui/scripted_prompt.h"
#include "ui/twips.h"
#include "ui/window_layout.h"

namespace corvanet {
namespace {

using testing::ScriptedPrompt;

std::vector<QString> AllControlNames()
{
    std::vector<QString> names;
    for (int i = 1; i <= 26; ++i)
        if (i != 10)
            names.push_back(QStringLiteral("Text%1").arg(i));
    for (int i = 1; i <= 51; ++i)
        if (i != 18 && i != 33)
            names.push_back(QStringLiteral("Label%1").arg(i));
    for (int i = 1; i <= 14; ++i)
        if (i != 8)
            names.push_back(QStringLiteral("Line%1").arg(i));
    for (int i = 1; i <= 3; ++i)
        names.push_back(QStringLiteral("Command%1").arg(i));
    return names;
}

const ControlRow& Row(const char* name)
{
    for (const ControlRow& row : Controls())
        if (std::string_view(row.name) == name)
            return row;
    throw std::invalid_argument(name);
}

// A few rows of the design, converted at 96 DPI (15 twips to the pixel).
TEST(Layout, RowsAsTheDesignGivesThemInPixelsAt96Dpi)
{
    const TwipScale at96{96, 96};
    auto pixels = [&](const char* name) {
        const ControlRow& r = Row(name);
        return QRect(at96.X(r.left), at96.Y(r.top), at96.X(r.width), at96.Y(r.height));
    };
    EXPECT_EQ(pixels("Text1"), QRect(224, 264, 89, 18));
    EXPECT_EQ(pixels("Text26"), QRect(440, 232, 249, 19));
    EXPECT_EQ(pixels("Label17"), QRect(336, 488, 105, 25));
    EXPECT_EQ(pixels("Label42"), QRect(632, 40, 17, 25));
    EXPECT_EQ(pixels("Command2"), QRect(488, 624, 65, 33));
    EXPECT_EQ(TwipScale({144, 144}).X(3360), 336);
}

class Window : public ::testing::Test {
protected:
    template <class W = QWidget>
    W* Get(const char* name) const
    {
        return window.findChild<W*>(QString::fromLatin1(name));
    }

    MainWindow window;
};

TEST_F(Window, EveryControlIsThereByName)
{
    for (const QString& name : AllControlNames())
        EXPECT_NE(window.findChild<QWidget*>(name), nullptr) << name.toStdString();
    EXPECT_EQ(window.findChildren<QLineEdit*>().size(), 25);
    EXPECT_EQ(window.findChildren<QLabel*>().size(), 49);
    EXPECT_EQ(window.findChildren<QPushButton*>().size(), 3);
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
}

TEST_F(Window, CaptionsColoursAndSize)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Corvanet"));
    EXPECT_EQ(Get<QLabel>("Label1")->text(), QStringLiteral("Corvanet"));
    EXPECT_EQ(Get<QLabel>("Label23")->text(), QStringLiteral("   由 C 点推算        待定点横座标 Yp "));
    EXPECT_EQ(Get<QPushButton>("Command1")->text(), QStringLiteral("计 算"));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(255, 255, 192));
    EXPECT_EQ(Get<QLabel>("Label3")->palette().color(QPalette::Window), QColor(255, 255, 192));
    EXPECT_TRUE(Get<QLabel>("Label3")->autoFillBackground()) << "labels are opaque";
    EXPECT_EQ(Get<QPushButton>("Command1")->palette().color(QPalette::Button), QColor(192, 255, 255));
    EXPECT_EQ(Get<QPushButton>("Command2")->palette().color(QPalette::Button), QColor(192, 255, 255));
    EXPECT_NE(Get<QPushButton>("Command3")->palette().color(QPalette::Button), QColor(192, 255, 255));

    const TwipScale s{window.screen()->logicalDotsPerInchX(), window.screen()->logicalDotsPerInchY()};
    EXPECT_GT(window.width(), s.X(11775));
    EXPECT_GT(window.height(), s.Y(9855));
    EXPECT_LT(window.height(), s.Y(11000)) << "not far beyond the layout";
}

TEST_F(Window, ControlsAndLinesWhereTheTableSaysAt96Dpi)
{
    if (window.screen()->logicalDotsPerInchX() != 96 || window.screen()->logicalDotsPerInchY() != 96)
        GTEST_SKIP() << "the screen is not at 96 DPI";
    EXPECT_EQ(Get("Text1")->geometry(), QRect(224, 264, 89, 18));
    EXPECT_EQ(Get("Command3")->geometry(), QRect(576, 624, 65, 33));
    // A line's widget spans its end points, (192, 216) to (776, 216) for the frame's top.
    const QRect top = Get("Line6")->geometry();
    EXPECT_TRUE(top.contains(192, 216) && top.contains(776, 216)) << top.x() << "," << top.y();
    EXPECT_LE(top.height(), 10);
    const QRect side = Get("Line4")->geometry();  // A (544, 136) to P (648, 176)
    EXPECT_TRUE(side.contains(544, 136) && side.contains(648, 176));
}

// The faces that draw `text` in `font`, one for each run of glyphs.
QSet<QString> FacesDrawing(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QSet<QString> faces;
    for (const QGlyphRun& run : layout.glyphRuns())
        faces.insert(run.rawFont().familyName());
    return faces;
}

TEST_F(Window, FontsAsNamedAndResolvedToFacesWithChinese)
{
    // The design names faces that are not installed; each control draws in
    // the installed face that stands for it, at the design's size, bold.
    auto expectFont = [&](const char* name, const char* named, double points, const char* installed) {
        const ControlRow& row = Row(name);
        EXPECT_STREQ(FaceOf(row.kind, row.face).family, named) << name;
        const QFont f = Get(name)->font();
        EXPECT_EQ(f.pointSizeF(), points) << name;
        EXPECT_TRUE(f.bold()) << name;
        EXPECT_EQ(QFontInfo(f).family(), QString::fromUtf8(installed)) << name;
    };
    expectFont("Text1", "宋体", 9, "AR PL UMing CN");
    expectFont("Text26", "宋体", 10.5, "AR PL UMing CN");
    expectFont("Label2", "宋体", 10.5, "AR PL UMing CN");
    expectFont("Label1", "宋体", 15, "AR PL UMing CN");
    expectFont("Label15", "宋体", 12, "AR PL UMing CN");
    expectFont("Label3", "MS Sans Serif", 8.25, "Liberation Sans");
    expectFont("Label46", "Microsoft Sans Serif", 8.25, "Liberation Sans");
    expectFont("Label42", "MS Sans Serif", 13.5, "Liberation Sans");
    expectFont("Command1", "MS Sans Serif", 8.25, "Liberation Sans");
}

TEST(WindowFonts, DialogsKeepThePlatformFont)
{
    const QFont platform = QApplication::font();
    const MainWindow window;
    EXPECT_EQ(QApplication::font(), platform) << "the prompts and warnings open in the application's font";
    EXPECT_NE(QFontInfo(platform).family(), QStringLiteral("AR PL UMing CN"));
}

TEST_F(Window, ChineseInEveryCaptionComesFromTheSongFace)
{
    const QString uming = QStringLiteral("AR PL UMing CN"), liberation = QStringLiteral("Liberation Sans");
    auto faces = [&](const char* name) {
        const QWidget* w = Get(name);
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<const QPushButton*>(w))
            text = button->text();
        return FacesDrawing(text, w->font());
    };
    EXPECT_EQ(faces("Label3"), (QSet<QString>{liberation, uming})) << "A 点纵座标";
    EXPECT_EQ(faces("Label17"), (QSet<QString>{liberation, uming})) << "由 A 点推算 … Xp";
    EXPECT_EQ(faces("Command2"), QSet<QString>{uming}) << "退出计算";
    EXPECT_EQ(faces("Label46"), QSet<QString>{liberation}) << "[Xb,Yb]";
    EXPECT_EQ(faces("Label15"), QSet<QString>{uming}) << "（精 度 评 定 ）, full-width brackets too";
    EXPECT_EQ(faces("Label1"), QSet<QString>{uming}) << "the title";
    EXPECT_EQ(FacesDrawing(QStringLiteral("-2.76秒 3.32毫米 1/100162"), Get("Text18")->font()), QSet<QString>{uming})
        << "a result field";
}

TEST_F(Window, ResultLabelsWrapIntoRouteAndCoordinate)
{
    for (const char* name : {"Label17", "Label19", "Label20", "Label21", "Label22", "Label23"}) {
        const CaptionLabel& label = *Get<CaptionLabel>(name);
        const QStringList lines = label.lines();
        ASSERT_EQ(lines.size(), 2) << name << ": " << lines.join('|').toStdString();
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("   由 "))) << name << lines[0].toStdString();
        EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" 点推算"))) << name << lines[0].toStdString();
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("待定点"))) << name << lines[1].toStdString();
        const QFontMetricsF metrics(label.font());
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), label.width()) << name;
        EXPECT_LE(2 * metrics.lineSpacing(), label.height() + 1) << name << ": both lines show";
    }
}

TEST(WrapAtBlanks, BreaksOnlyAtBlanksAndDropsThemThere)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    const QFontMetricsF m(font);
    const QString wide = QStringLiteral("待定点纵座标待定点纵座标");
    EXPECT_EQ(WrapAtBlanks(QStringLiteral("  ab  cd "), m, 1000), QStringList{QStringLiteral("  ab  cd")});
    EXPECT_EQ(WrapAtBlanks(QStringLiteral(" ab   ") + wide, m, m.horizontalAdvance(wide)),
              (QStringList{QStringLiteral(" ab"), wide}));
    EXPECT_EQ(WrapAtBlanks(wide, m, 10), QStringList{wide}) << "a word wider than the box stays whole";
    EXPECT_TRUE(WrapAtBlanks(QStringLiteral("   "), m, 100).isEmpty());
}

TEST_F(Window, OneLineLabelsFitOnOneLine)
{
    for (const ControlRow& row : Controls()) {
        if (row.kind != ControlKind::Label || row.height > 255)
            continue;
        const CaptionLabel& label = *Get<CaptionLabel>(row.name);
        EXPECT_EQ(label.lines().size(), 1) << row.name << ": " << label.lines().join('|').toStdString();
    }
}

TEST_F(Window, FocusMovesInTheOrderOfTheDesignFromText1)
{
    window.show();
    EXPECT_EQ(window.focusWidget(), Get("Text1"));

    QStringList order;
    QWidget* w = Get("Text1");
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible())
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != Get("Text1"));
    QStringList expected;
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25})
        expected << QStringLiteral("Text%1").arg(i);
    expected << "Command1" << "Command2" << "Text26" << "Command3";
    EXPECT_EQ(order, expected);
}

TEST_F(Window, CalculateButtonRunsTheEntryWithTheWindowsPrompt)
{
    BindButtons(window);
    ScriptedPrompt prompt(window, testing::WorkedEntry());
    window.UsePrompt(prompt);
    Get<QPushButton>("Command1")->click();
    EXPECT_TRUE(prompt.Finished());
    EXPECT_EQ(window.fieldText("Text25"), QStringLiteral("1/100162"));
}

// Runs the application's event loop until something ends it; a watchdog ends
// it with 1 if nothing does.
int RunUntilTheProgramEnds(const std::function<void()>& action)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(20000);
    QTimer::singleShot(0, action);
    return QApplication::exec();
}

TEST_F(Window, ExitEndsTheProgramAtOnceWithoutAQuestion)
{
    BindButtons(window);
    ScriptedPrompt prompt(window, {});
    window.UsePrompt(prompt);
    window.show();
    EXPECT_EQ(RunUntilTheProgramEnds([&] { Get<QPushButton>("Command2")->click(); }), 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(Window, TheCloseBoxEndsTheProgramLikeExit)
{
    BindButtons(window);
    window.show();
    EXPECT_EQ(RunUntilTheProgramEnds([&] { window.close(); }), 0);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Window, ScreenshotAfterTheWorkedFigure)
{
    ScriptedPrompt prompt(window, testing::WorkedEntry());
    PressCalculate(window, prompt);
    window.show();
    const QImage image = window.grab().toImage();
    ASSERT_FALSE(image.isNull());
    // Kept for a person to look at when a pixel check fails; removed otherwise.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString shot = dir.filePath(QStringLiteral("window.png"));
    ASSERT_TRUE(image.save(shot));
    struct KeepOnFailure {
        QTemporaryDir& dir;
        QString shot;
        ~KeepOnFailure()
        {
            if (::testing::Test::HasFailure()) {
                dir.setAutoRemove(false);
                std::cout << "screenshot: " << shot.toStdString() << "\n";
            }
        }
    } keep{dir, shot};
    if (window.screen()->logicalDotsPerInchX() != 96 || window.screen()->logicalDotsPerInchY() != 96)
        GTEST_SKIP() << "pixel checks assume 96 DPI";
    const qreal dpr = image.devicePixelRatio();
    auto at = [&](int x, int y) { return image.pixelColor(QPoint(x, y) * dpr); };
    EXPECT_EQ(at(400, 216), QColor(255, 0, 0)) << "the frame's top edge";
    EXPECT_EQ(at(328, 400), QColor(255, 0, 0)) << "the divider";
    EXPECT_EQ(at(100, 100), QColor(255, 255, 192)) << "the window's back colour";
    EXPECT_EQ(at(648, 150).lightness() < 100, true) << "the side S2 in the text colour";
}

}  // namespace
}  // namespace corvanet
