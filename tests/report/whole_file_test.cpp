// A file written whole or not at all: what is left on the disk after
// writing, and the causes told when it cannot be.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "report/whole_file.h"

namespace corvanet {
namespace {

namespace fs = std::filesystem;

class WholeFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "corvanet_whole_file_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern + "/";
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename().string());
        return names;
    }

    std::string dir_;
};

TEST_F(WholeFile, ReplacesTheFileKeepsItsPermissionsAndLinksAndLeavesNothingElse)
{
    const std::string path = dir_ + "report.pdf", link = dir_ + "link.pdf";
    std::string reason;
    ASSERT_TRUE(WriteWholeFile(path, "first", &reason)) << reason;
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(symlink("report.pdf", link.c_str()), 0);
    ASSERT_TRUE(WriteWholeFile(link, std::string(100000, 'x'), &reason)) << reason;
    EXPECT_EQ(Read(path), std::string(100000, 'x'));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u) << "the replaced file keeps its permissions";
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link stays a link";
    EXPECT_EQ(Names(), (std::set<std::string>{"report.pdf", "link.pdf"})) << "no temporary file is left";
}

TEST_F(WholeFile, SaysWhyAndLeavesNothingWhenItCannot)
{
    std::string reason;
    EXPECT_FALSE(WriteWholeFile("/dev/full", "bytes", &reason));
    EXPECT_EQ(reason, "磁盘已满");
    EXPECT_FALSE(WriteWholeFile(dir_, "bytes", &reason));
    EXPECT_EQ(reason, "是一个目录");
    EXPECT_FALSE(WriteWholeFile(dir_ + "no/such.pdf", "bytes", &reason));
    EXPECT_EQ(reason, "文件夹不存在");
    EXPECT_TRUE(Names().empty());
}

// Content made piece by piece: many small pieces and one larger than any
// buffer arrive whole and in order.
TEST_F(WholeFile, StreamedPiecesArriveWholeAndInOrder)
{
    const std::string path = dir_ + "points.csv";
    std::string expected;
    std::string reason;
    ASSERT_TRUE(WriteWholeFile(path,
                               [&](const WritePiece& write, std::string&) {
                                   for (int i = 0; i < 20000; ++i) {
                                       const std::string line = std::to_string(i) + "\r\n";
                                       expected += line;
                                       if (!write(line)) return false;
                                   }
                                   const std::string big(300000, 'z');
                                   expected += big;
                                   return write(big) && write("end");
                               },
                               &reason))
        << reason;
    EXPECT_EQ(Read(path), expected + "end");
    EXPECT_EQ(Names(), (std::set<std::string>{"points.csv"}));
}

// A producer that fails after writing more than a buffer's worth: its own
// reason is told, the earlier file is untouched and no temporary is left.
TEST_F(WholeFile, ProducerThatFailsHalfWayLeavesTheEarlierFile)
{
    const std::string path = dir_ + "points.dat";
    std::string reason;
    ASSERT_TRUE(WriteWholeFile(path, "old", &reason));
    const bool ok = WriteWholeFile(path,
                                   [](const WritePiece& write, std::string& why) {
                                       for (int i = 0; i < 1000; ++i)
                                           if (!write(std::string(1000, 'n'))) return false;
                                       why = "作业文件已损坏";
                                       return false;
                                   },
                                   &reason);
    EXPECT_FALSE(ok);
    EXPECT_EQ(reason, "作业文件已损坏");
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(Names(), (std::set<std::string>{"points.dat"}));
}

// A full disk half way through streamed content: a small tmpfs mounted in
// a user and mount namespace of a child's own (as root or not).
TEST_F(WholeFile, FullDiskHalfWayThroughStreamedContentLeavesTheEarlierFile)
{
    const std::string disk = dir_ + "disk";
    ASSERT_EQ(mkdir(disk.c_str(), 0700), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const auto put = [](const char* file, const std::string& text) {
            std::ofstream(file) << text;
        };
        const std::string uid = std::to_string(getuid()), gid = std::to_string(getgid());
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) _exit(99);
        put("/proc/self/setgroups", "deny");
        put("/proc/self/uid_map", "0 " + uid + " 1");
        put("/proc/self/gid_map", "0 " + gid + " 1");
        if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=8k") != 0) _exit(99);
        const std::string path = disk + "/points.csv";
        std::string reason;
        if (!WriteWholeFile(path, "old", &reason)) _exit(98);
        int streamed = 0;
        const bool ok = WriteWholeFile(path,
                                       [&](const WritePiece& write, std::string&) {
                                           for (; streamed < 100000; ++streamed)
                                               if (!write("P,2600.0040,3100.0000\r\n")) return false;
                                           return true;
                                       },
                                       &reason);
        std::ifstream in(path);
        const std::string left{std::istreambuf_iterator<char>(in), {}};
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(disk)) ++entries;
        _exit(ok ? 1 : reason != "磁盘已满" ? 2 : streamed >= 100000 ? 3 : left != "old" ? 4 : entries != 1 ? 5 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 99) GTEST_SKIP() << "no user and mount namespace here, so no small file system";
    // 1 written all the same, 2 another reason, 3 the producer was not
    // stopped, 4 the earlier file changed, 5 something else left beside it.
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace corvanet
