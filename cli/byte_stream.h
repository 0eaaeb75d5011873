#pragma once
// Bytes in and out of the command-line tool: a file descriptor in the
// program, a string in the tests.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace corvanet {

// Reads up to `size` bytes into `buffer`; 0 at the end of the input.
using ReadBytes = std::function<std::size_t(char* buffer, std::size_t size)>;
// Writes all of `bytes`.
using WriteBytes = std::function<void(std::string_view bytes)>;

// An input that cannot be read, or an output that cannot be written; the
// message is for the user.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The reason of an errno value, for the user.
std::string ErrnoText(int error);

// `name` is what messages call the input or output ("标准输入", a path).
ReadBytes ReadFromDescriptor(int fd, std::string name);
WriteBytes WriteToDescriptor(int fd, std::string name);
ReadBytes ReadFromString(std::string text);

// Lines of an input, one at a time, in memory bounded by `limit`.
class LineReader {
public:
    explicit LineReader(ReadBytes read) : read_(std::move(read)) {}

    // The next line without its LF or CRLF; false at the end of the input.
    // A line longer than `limit` bytes gives its first `limit` bytes and
    // sets `tooLong`; reading ends there, with no wait for the line's end.
    bool Next(std::string& line, std::size_t limit, bool& tooLong);
    // The 1-based number of the line Next gave last.
    long LineNumber() const { return lineNumber_; }

private:
    bool Fill();

    ReadBytes read_;
    std::string buffer_ = std::string(1 << 16, '\0');
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
    long lineNumber_ = 0;
};

}  // namespace corvanet
