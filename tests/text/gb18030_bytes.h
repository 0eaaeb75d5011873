#pragma once
// GB18030 bytes read back with the C library's own converter, independent of
// the program's: a test that they are what mapping CAD reads.
#include <iconv.h>

#include <string>

namespace corvanet::testing {

inline std::string FromGb18030(const std::string& bytes)
{
    const iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "(no GB18030 here)";
    std::string out(bytes.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    char* o = out.data();
    std::size_t inLeft = bytes.size(), outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return ok ? out.substr(0, out.size() - outLeft) : "(does not decode)";
}

}  // namespace corvanet::testing
