#include "cli/byte_stream.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace corvanet {
std::string ErrnoText(int error)
{
    switch (error) {
    case EISDIR:
        return "是一个目录";
    case ENOENT:
        return "没有这个文件";
    case EACCES:
        return "没有权限";
    default:
        return std::strerror(error);
    }
}

ReadBytes ReadFromDescriptor(int fd, std::string name)
{
    return [fd, name = std::move(name)](char* buffer, std::size_t size) -> std::size_t {
        for (;;) {
            const ssize_t n = ::read(fd, buffer, size);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) throw StreamError("无法读取" + name + "：" + ErrnoText(errno));
        }
    };
}

WriteBytes WriteToDescriptor(int fd, std::string name)
{
    return [fd, name = std::move(name)](std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) throw StreamError("无法写入" + name + "：" + ErrnoText(errno));
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    };
}

ReadBytes ReadFromString(std::string text)
{
    auto rest = std::make_shared<std::string>(std::move(text));
    auto at = std::make_shared<std::size_t>(0);
    return [rest, at](char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, rest->size() - *at);
        std::memcpy(buffer, rest->data() + *at, n);
        *at += n;
        return n;
    };
}

bool LineReader::Fill()
{
    if (ended_) return false;
    if (begin_ == end_) begin_ = end_ = 0;
    const std::size_t n = read_(buffer_.data() + end_, buffer_.size() - end_);
    ended_ = n == 0;
    end_ += n;
    return n > 0;
}

bool LineReader::Next(std::string& line, std::size_t limit, bool& tooLong)
{
    line.clear();
    tooLong = false;
    bool any = false;
    for (;;) {
        if (begin_ == end_ && !Fill()) break;
        any = true;
        const char* start = buffer_.data() + begin_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        const std::size_t take = newline ? static_cast<std::size_t>(newline - start) : end_ - begin_;
        const std::size_t room = limit - line.size();
        if (take > room) {
            line.append(start, room);
            begin_ += room;
            tooLong = true;
            break;
        }
        line.append(start, take);
        begin_ += take;
        if (newline) {
            ++begin_;
            break;
        }
    }
    if (!any) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++lineNumber_;
    return true;
}

}  // namespace corvanet
