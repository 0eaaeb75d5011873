// The one main of the test programs that need a QApplication: GoogleTest
// under a QApplication, offscreen unless a platform is chosen (also when CTest
// lists the tests at build time). It names nothing and installs nothing: what
// the program does at start-up, a suite does through the program's own code.
//
// Home, settings, data, state and caches point into a fresh folder of this
// run, removed when it ends, so no test reads the user's settings or writes
// into them or the user's data.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include <QApplication>

namespace {

class OwnHome {
public:
    OwnHome()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/corvanet-test-home-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::cerr << "cannot make a home folder for the tests under " << pattern << '\n';
            std::exit(2);
        }
        root_ = pattern;
        setenv("HOME", root_.c_str(), 1);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"}) {
            const std::filesystem::path dir = root_ / name;
            std::filesystem::create_directory(dir);
            setenv(name, dir.c_str(), 1);
        }
    }
    ~OwnHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    OwnHome(const OwnHome&) = delete;
    OwnHome& operator=(const OwnHome&) = delete;

private:
    std::filesystem::path root_;
};

}  // namespace

int main(int argc, char** argv)
{
    // Static, so that it goes at exit() too, after the application.
    static const OwnHome home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // GoogleTest takes its flags first; QApplication keeps argc and argv.
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
