#include "text/text_decoding.h"

#include <cerrno>
#include <iconv.h>

namespace corvanet {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// One converter for each thread, opened on first use: a converter carries
// its state from call to call.
iconv_t Gb18030Converter()
{
    thread_local const iconv_t cd = iconv_open("UTF-8", "GB18030");
    return cd;
}

// `bytes` read as GB18030; sets `clean` to false when some byte did not
// decode and was replaced.
std::string FromGb18030(std::string_view bytes, bool& clean)
{
    clean = true;
    const iconv_t cd = Gb18030Converter();
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {  // no GB18030 in this C library
        clean = false;
        for (char c : bytes) static_cast<unsigned char>(c) < 0x80 ? out += c : out += kReplacement;
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // No byte in takes more than three bytes out (a two-byte character
    // becomes three, a replaced byte U+FFFD's three).
    out.resize(bytes.size() * 3 + 4);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<std::size_t>(-1)) break;
        // EILSEQ or EINVAL (cut short at the end): replace one byte, go on.
        clean = false;
        for (char c : kReplacement) *o++ = c;
        outLeft -= kReplacement.size();
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::string_view WithoutByteOrderMark(std::string_view bytes)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    return bytes;
}

TextDecoder TextDecoder::ForWhole(std::string_view input)
{
    TextDecoder decoder;
    decoder.gb18030_ = WithoutByteOrderMark(input).size() == input.size() && !IsAscii(input) && !IsUtf8(input);
    return decoder;
}

std::string TextDecoder::Decode(std::string_view bytes)
{
    if (IsAscii(bytes)) return std::string(bytes);
    const bool utf8 = IsUtf8(bytes);
    if (utf8 && !gb18030_) return std::string(bytes);
    bool clean = false;
    std::string gb = FromGb18030(bytes, clean);
    if (clean) {
        gb18030_ = gb18030_ || !utf8;
        return gb;
    }
    return utf8 ? std::string(bytes) : gb;
}

}  // namespace corvanet
