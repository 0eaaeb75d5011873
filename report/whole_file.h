#pragma once
// A file written whole or not at all, for every file the program writes
// (the report's PDF, the sketch's SVG). Plain C++ and POSIX.
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

// The cause of a failed file operation in words for the user.
std::string FileErrorText(int error);

}  // namespace corvanet
