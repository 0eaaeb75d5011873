#pragma once
// A file written whole or not at all, for every file the program writes
// (the report's PDF, the sketch's SVG). Plain C++ and POSIX.
#include <functional>
#include <string>
#include <string_view>

namespace corvanet {

// Writes `bytes` to the file named `path`, the name exactly as the file
// system has it (bytes, not necessarily UTF-8). Every write, the flush to
// the disk and the close are checked.
//
// A regular file, or a name that does not exist yet, is written beside it
// under a temporary name and then renamed, so that a failure (a full disk)
// leaves no cut-off file under the user's name and an earlier file as it
// was; a file that is replaced keeps its permission bits. A symbolic link
// to a regular file stays a link, and the file it names is replaced. Any
// other kind of file (a named pipe, a terminal, /dev/stdout, /dev/full) is
// opened and written directly, as a shell would.
//
// On failure returns false and, if `reason` is not null, puts the cause
// there for the user (UTF-8, without the name: the caller shows it its
// own way).
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* reason);

// Hands one piece of the content on; false once writing has failed, and
// the producer should stop there.
using WritePiece = std::function<bool(std::string_view piece)>;
// Makes the content piece by piece through `write`. Returns false when it
// cannot: either a piece was refused (the file's own cause is told) or the
// producer failed on its own, its cause put in `why` for the user.
using ContentProducer = std::function<bool(const WritePiece& write, std::string& why)>;

// The same guarantees for content made as it is written, in bounded memory:
// a producer that fails half way leaves no cut-off file and an earlier file
// as it was (what went into a pipe or a device stays there).
bool WriteWholeFile(const std::string& path, const ContentProducer& produce, std::string* reason);

// The cause of a failed file operation in words for the user.
std::string FileErrorText(int error);

}  // namespace corvanet
