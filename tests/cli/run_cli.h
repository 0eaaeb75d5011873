#pragma once
// Runs corvanet-cli as a user would: arguments, bytes on standard input;
// standard output, standard error and the exit status back.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace corvanet::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// A folder of the running test's own, made unique by mkdtemp the first time
// the test asks for it, and removed with everything in it when the tests end.
inline std::string TestDir()
{
    static struct Folders : std::map<std::string, std::string> {
        ~Folders()
        {
            std::error_code ignored;
            for (const auto& [test, dir] : *this)
                if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
        }
    } dirs;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string& dir = dirs[std::string(info->test_suite_name()) + "." + info->name()];
    if (dir.empty()) {
        std::string pattern = ::testing::TempDir();
        pattern += "corvanet_cli_XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) dir = pattern + "/";
    }
    return dir;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// `args` go through the shell as written; `input` is standard input unless
// `args` redirect it themselves.
inline CliResult RunCli(const std::string& args, const std::string& input)
{
    static int call = 0;
    const std::string base = TestDir() + "run" + std::to_string(++call);
    WriteFile(base + ".in", input);
    const std::string redirect = args.find('<') == std::string::npos ? " < " + base + ".in" : "";
    const std::string command =
        std::string(CORVANET_CLI) + " " + args + redirect + " > " + base + ".out 2> " + base + ".err";
    const int raw = std::system(command.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(base + ".out");
    r.err = ReadFile(base + ".err");
    return r;
}

// The ten lines of a figure, with `name` as its point name.
inline std::string Figure(const std::string& name, const std::string& S1 = "509.905")
{
    return "2500\n2600\n3000\n3000\n2450\n3550\n" + name + "\n" + S1 + "\n412.308\n474.345\n";
}

}  // namespace corvanet::testing
