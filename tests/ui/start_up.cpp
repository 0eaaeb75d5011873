// The window tests start as the program does: the font substitutions are in
// place before any window exists. (The paper tests leave them to the
// printer, which must install them itself.)
#include <gtest/gtest.h>

#include "fonts/font_substitution.h"

namespace {

class ProgramStartUp final : public ::testing::Environment {
public:
    void SetUp() override { corvanet::InstallFontSubstitutions(); }
};

[[maybe_unused]] ::testing::Environment* const kStartUp =
    ::testing::AddGlobalTestEnvironment(new ProgramStartUp);

}  // namespace
