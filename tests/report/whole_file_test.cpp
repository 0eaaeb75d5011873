// A file written whole or not at all: what is left on the disk after
// writing, and the causes told when it cannot be.
#include <gtest/gtest.h>

#include <sys/stat.h>
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

}  // namespace
}  // namespace corvanet
