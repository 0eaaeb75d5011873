// The window tests start as the program does, through its own start-up: the
// application named and Qt's texts in Chinese, and nothing the program does
// not do itself (no font substitutions: the window must name faces that are
// installed, and the fonts tests see what the user sees).
#include <gtest/gtest.h>

#include <QTranslator>

#include "app/start_up.h"

namespace {

class ProgramStartUp final : public ::testing::Environment {
public:
    void SetUp() override { corvanet::StartApplication(qtTexts_); }

private:
    QTranslator qtTexts_;
};

[[maybe_unused]] ::testing::Environment* const kStartUp =
    ::testing::AddGlobalTestEnvironment(new ProgramStartUp);

}  // namespace
