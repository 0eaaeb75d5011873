// The real dialogs: a QInputDialog answered by typing into it, a QMessageBox
// that shows what it is given as plain text, and the worked figure entered
// through the Calculate button with nothing scripted but the keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>

#include "app/button_binding.h"
#include "ui/main_window.h"
#include "ui/prompt_dialog.h"
#include "tests/ui/scripted_prompt.h"

namespace corvanet {
namespace {

struct Seen {
    QString title;
    QString label;
    QString startText;
    bool modal = false;
    Qt::TextFormat format = Qt::AutoText;
};

// Answers each modal dialog as it opens: types the next answer and presses
// Enter, or presses Escape for a Cancel. Message boxes are acknowledged.
class Typist {
public:
    explicit Typist(std::deque<std::optional<QString>> answers) : answers_(std::move(answers))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenDialog(); });
        timer_.start(0);
    }

    std::vector<Seen> seen;
    std::vector<std::pair<QString, Qt::TextFormat>> notices;
    bool Finished() const { return answers_.empty(); }

private:
    void AnswerOpenDialog()
    {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            notices.emplace_back(box->text(), box->textFormat());
            box->accept();
            return;
        }
        auto* input = qobject_cast<QInputDialog*>(dialog);
        if (!input)
            return;
        auto* edit = input->findChild<QLineEdit*>();
        auto* label = input->findChild<QLabel*>();
        seen.push_back({input->windowTitle(), label ? label->text() : QString(), edit ? edit->text() : QString(),
                        input->isModal(), label ? label->textFormat() : Qt::AutoText});
        if (answers_.empty() || !answers_.front()) {
            if (!answers_.empty())
                answers_.pop_front();
            QTest::keyClick(edit, Qt::Key_Escape);
            return;
        }
        QTest::keyClicks(edit, *answers_.front());
        answers_.pop_front();
        QTest::keyClick(edit, Qt::Key_Return);
    }

    std::deque<std::optional<QString>> answers_;
    QTimer timer_;
};

class RealDialogs : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }
    MainWindow window;
};

TEST_F(RealDialogs, TypedLineComesBackAsTyped)
{
    Typist typist({QStringLiteral("509.905")});
    const auto answer = window.prompt().Ask("请输入第一条观测边长 S1 :");
    EXPECT_EQ(answer, std::optional<std::string>("509.905"));
    ASSERT_EQ(typist.seen.size(), 1u);
    EXPECT_EQ(typist.seen[0].label, QStringLiteral("请输入第一条观测边长 S1 :"));
    EXPECT_EQ(typist.seen[0].title, QStringLiteral("Corvanet")) << "the application's name, nothing of its own";
    EXPECT_TRUE(typist.seen[0].startText.isEmpty());
    EXPECT_TRUE(typist.seen[0].modal);
    EXPECT_EQ(typist.seen[0].format, Qt::PlainText);
}

TEST_F(RealDialogs, EnterOnTheEmptyLineIsAnEmptyAnswerCancelIsNone)
{
    Typist typist({QString(), std::nullopt});
    EXPECT_EQ(window.prompt().Ask("确认"), std::optional<std::string>(""));
    EXPECT_EQ(window.prompt().Ask("确认"), std::nullopt);
    EXPECT_TRUE(typist.Finished());
}

TEST_F(RealDialogs, WarningShowsUserTextAsPlainText)
{
    Typist typist({});
    window.prompt().Warn("点名 <b>P1</b> & %s");
    ASSERT_EQ(typist.notices.size(), 1u);
    EXPECT_EQ(typist.notices[0].first, QStringLiteral("点名 <b>P1</b> & %s"));
    EXPECT_EQ(typist.notices[0].second, Qt::PlainText);
}

TEST_F(RealDialogs, WorkedFigureTypedThroughTheCalculateButton)
{
    BindButtons(window);
    std::deque<std::optional<QString>> keys;
    for (const auto& a : testing::WorkedEntry())
        keys.push_back(QString::fromStdString(*a));
    Typist typist(std::move(keys));
    window.button(QStringLiteral("Command1"))->click();
    EXPECT_TRUE(typist.Finished());
    EXPECT_EQ(typist.seen.size(), 19u);
    EXPECT_EQ(typist.seen.at(7).label.toStdString(), testing::text::kConfirm2);
    for (const auto& [box, shown] : testing::kWorkedResults)
        EXPECT_EQ(window.fieldText(QString::fromStdString(box)).toStdString(), shown) << box;
    EXPECT_EQ(window.fieldText(QStringLiteral("Text7")), QStringLiteral(" 509.9050"));
}

}  // namespace
}  // namespace corvanet
