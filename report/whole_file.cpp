#include "report/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace corvanet {
namespace {

bool Fail(std::string* reason, int error)
{
    if (reason) *reason = FileErrorText(error);
    return false;
}

// Closes on every path; the close's own error counts as a failed write
// (a network file system may report a full disk only there).
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // 0, or the errno of the close.
    int Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// Runs `produce` into `fd` through a buffer, so that small pieces make few
// system calls and a large one is written as it is.
bool Produce(int fd, const ContentProducer& produce, std::string* reason)
{
    constexpr std::size_t kBlock = std::size_t(1) << 16;
    std::string buffer;
    int error = 0;
    const WritePiece write = [&](std::string_view piece) {
        if (error) return false;
        if (buffer.size() + piece.size() > kBlock) {
            if ((error = WriteAll(fd, buffer))) return false;
            buffer.clear();
            if (piece.size() >= kBlock) return (error = WriteAll(fd, piece)) == 0;
        }
        if (buffer.capacity() < kBlock) buffer.reserve(kBlock);
        buffer.append(piece);
        return true;
    };
    std::string why;
    const bool made = produce(write, why);
    if (!error && made) error = WriteAll(fd, buffer);
    // A refused piece is the file's fault, whatever the producer said then.
    if (error) return Fail(reason, error);
    if (!made && reason) *reason = why.empty() ? std::string("内容无法生成") : why;
    return made;
}

// Writes into what `path` names as it is: no temporary file, since a pipe
// or a device cannot be renamed onto.
bool WriteDirectly(const std::string& path, const ContentProducer& produce, std::string* reason)
{
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.get() < 0) return Fail(reason, errno);
    if (!Produce(fd.get(), produce, reason)) return false;
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && ::fsync(fd.get()) != 0) return Fail(reason, errno);
    if (const int error = fd.Close()) return Fail(reason, error);
    return true;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A new file in `folder` that no one else has, made with the umask's
// permissions. Its descriptor, or -1 with errno set.
int CreateTemporary(const std::string& folder, std::string& name)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned long tag = static_cast<unsigned long>(::getpid()) * 1000003UL +
                                  static_cast<unsigned long>(std::time(nullptr)) * 7919UL + counter++;
        name = folder + "/.corvanet-" + std::to_string(tag % 100000000UL) + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Writes the temporary file beside `target` and renames it onto `target`;
// `existing` is the file it replaces, if there is one.
bool WriteAndRename(const std::string& target, const struct stat* existing, const ContentProducer& produce,
                    std::string* reason)
{
    std::string temporary;
    Descriptor fd(CreateTemporary(FolderOf(target), temporary));
    if (fd.get() < 0) {
        // A file the user may write in a folder they may not add to (or a
        // file system with no room for a name): written in place, as a
        // shell would.
        if (existing && errno != ENOSPC && errno != EDQUOT) return WriteDirectly(target, produce, reason);
        return Fail(reason, errno);
    }
    const auto discard = [&](int error) {
        ::unlink(temporary.c_str());
        return error ? Fail(reason, error) : false;
    };
    if (existing) {
        // Only root may give the file back to another owner; anyone else
        // keeps it as their own, as with any file they write.
        [[maybe_unused]] const int owned = ::fchown(fd.get(), existing->st_uid, existing->st_gid);
        if (::fchmod(fd.get(), existing->st_mode & 07777) != 0) return discard(errno);
    }
    if (!Produce(fd.get(), produce, reason)) return discard(0);
    if (::fsync(fd.get()) != 0) return discard(errno);
    if (const int error = fd.Close()) return discard(error);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return discard(errno);
    return true;
}

// Links into the kernel's own trees (/dev/stdout, /proc/self/fd/N) stand
// for whatever is open there; replacing the file behind them would cut the
// program's own output off from it.
bool LinksIntoKernelTree(const std::string& path)
{
    const auto kernel = [](const std::string& p) { return p.rfind("/dev/", 0) == 0 || p.rfind("/proc/", 0) == 0; };
    if (kernel(path)) return true;
    char to[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), to, sizeof to);
    return n > 0 && kernel(std::string(to, static_cast<std::size_t>(n)));
}

}  // namespace

std::string FileErrorText(int error)
{
    switch (error) {
    case ENOSPC:
        return "磁盘已满";
    case EDQUOT:
        return "超出磁盘配额";
    case EISDIR:
        return "是一个目录";
    case ENOENT:
        return "文件夹不存在";
    case ENOTDIR:
        return "路径中有一部分不是文件夹";
    case EACCES:
    case EPERM:
        return "没有权限";
    case EROFS:
        return "文件系统是只读的";
    case EFBIG:
        return "文件太大";
    case ENAMETOOLONG:
        return "文件名太长";
    case EIO:
        return "读写设备出错";
    case EPIPE:
        return "读取的一方已经关闭";
    default:
        return std::strerror(error);
    }
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* reason)
{
    return WriteWholeFile(path, [bytes](const WritePiece& write, std::string&) { return write(bytes); }, reason);
}

bool WriteWholeFile(const std::string& path, const ContentProducer& produce, std::string* reason)
{
    if (path.empty()) return Fail(reason, ENOENT);
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) {
        if (errno == ENOENT) return WriteAndRename(path, nullptr, produce, reason);
        return Fail(reason, errno);
    }
    if (!S_ISLNK(link.st_mode)) {
        if (S_ISDIR(link.st_mode)) return Fail(reason, EISDIR);
        if (!S_ISREG(link.st_mode)) return WriteDirectly(path, produce, reason);
        return WriteAndRename(path, &link, produce, reason);
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        // A link to a name not there yet: the shell would create it.
        if (errno == ENOENT) return WriteDirectly(path, produce, reason);
        return Fail(reason, errno);
    }
    if (S_ISDIR(st.st_mode)) return Fail(reason, EISDIR);
    if (!S_ISREG(st.st_mode) || LinksIntoKernelTree(path)) return WriteDirectly(path, produce, reason);
    // The link stays; the file it names is replaced.
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return Fail(reason, errno);
    return WriteAndRename(resolved, &st, produce, reason);
}

}  // namespace corvanet
