// The files corvanet-cli writes: whole, or the failure told with exit
// status 2 and no cut-off file left under the name given; pipes and devices
// written as a shell writes them; names passed on as their bytes.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "tests/cli/run_cli.h"

namespace {

using corvanet::testing::Figure;
using corvanet::testing::ReadFile;
using corvanet::testing::RunCli;
using corvanet::testing::TestDir;

const std::string kCli = CORVANET_CLI;

// Runs `script` with sh; its standard output and its exit status.
corvanet::testing::CliResult RunScript(const std::string& script)
{
    const std::string base = TestDir() + "script";
    corvanet::testing::WriteFile(base + ".sh", script);
    const int raw = std::system(("sh " + base + ".sh > " + base + ".out 2>&1").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(base + ".out"), {}};
}

std::set<std::string> Names(const std::string& dir)
{
    std::set<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
        closedir(d);
    }
    return names;
}

TEST(CliFiles, FullDeviceIsToldOnOneLineWithStatusTwo)
{
    for (const char* option : {"--pdf", "--svg"}) {
        const auto r = RunCli(std::string(option) + " /dev/full", Figure("P"));
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << option << ": " << r.err;
        EXPECT_NE(r.err.find("/dev/full：磁盘已满"), std::string::npos) << option << ": " << r.err;
    }
}

// A file system with room for less than either file, mounted in a mount
// namespace of the test's own: the earlier file stays as it was, and no
// cut-off file takes the new name.
TEST(CliFiles, FullFileSystemLeavesNoCutOffFile)
{
    if (std::system("unshare -rm true > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "no mount namespace here (unshare -rm refused), so no small file system can be mounted";
    const std::string dir = TestDir(), disk = dir + "disk";
    ASSERT_EQ(mkdir(disk.c_str(), 0700), 0);
    corvanet::testing::WriteFile(dir + "figure.in", Figure("P"));
    const auto r = RunScript("unshare -rm sh -c '"
                             "mount -t tmpfs -o size=8k tmpfs " + disk + " || exit 99\n"
                             "printf old > " + disk + "/report.pdf\n" +
                             kCli + " --pdf " + disk + "/report.pdf < " + dir + "figure.in 2> " + dir + "pdf.err\n"
                             "echo pdf=$?\n" +
                             kCli + " --svg " + disk + "/new.svg < " + dir + "figure.in 2> " + dir + "svg.err\n"
                             "echo svg=$?\n"
                             "ls -A " + disk + "\n"
                             "cat " + disk + "/report.pdf\n'");
    if (r.status == 99) GTEST_SKIP() << "tmpfs could not be mounted: " << r.out;
    EXPECT_EQ(r.out, "pdf=2\nsvg=2\nreport.pdf\nold");
    for (const char* err : {"pdf.err", "svg.err"})
        EXPECT_NE(ReadFile(dir + err).find("磁盘已满"), std::string::npos) << err << ": " << ReadFile(dir + err);
}

// A named pipe with a reader gets the whole file, as from a shell; both
// sides are bounded so that a writer that never comes fails the test.
TEST(CliFiles, NamedPipeWithAReaderGetsTheFile)
{
    const std::string dir = TestDir();
    corvanet::testing::WriteFile(dir + "figure.in", Figure("P"));
    for (const std::string option : {"--pdf", "--svg"}) {
        const std::string fifo = dir + "pipe" + option, got = dir + "got" + option;
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        const auto r = RunScript("timeout 20 cat " + fifo + " > " + got + " &\n"
                                 "timeout 20 " + kCli + " " + option + " " + fifo + " < " + dir + "figure.in\n"
                                 "s=$?; wait; exit $s\n");
        EXPECT_EQ(r.status, 0) << option << ": " << r.out;
        const std::string bytes = ReadFile(got);
        EXPECT_EQ(bytes.substr(0, 5), option == "--pdf" ? "%PDF-" : "<?xml") << option;
        EXPECT_NE(bytes.find(option == "--pdf" ? "%%EOF" : "</svg>"), std::string::npos) << option << ": whole";
        struct stat st {};
        EXPECT_TRUE(stat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode)) << "the pipe is still a pipe";
    }
}

TEST(CliFiles, NamesThatAreNotUtf8AreUsedAsTheirBytes)
{
    const std::string dir = TestDir() + "gbk/";
    ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    const std::string pdf = dir + "\xb2\xe2\xca\xd4.pdf", svg = dir + "\xb2\xe2.svg";  // 测试.pdf, 测.svg in GBK
    const auto r = RunCli("--pdf '" + pdf + "' --svg '" + svg + "'", Figure("P"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(ReadFile(svg).substr(0, 5), "<?xml");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"\xb2\xe2\xca\xd4.pdf", "\xb2\xe2.svg"})) << "nothing else";
}

}  // namespace
