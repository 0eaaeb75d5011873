#include "text/text_decoding.h"

#include <cerrno>
#include <iconv.h>

namespace corvanet {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";         // U+FFFD
constexpr std::string_view kGb18030Replacement = "\x84\x31\xA4\x37";  // U+FFFD in GB18030

bool IsAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// One converter of each direction for each thread, opened on first use: a
// converter carries its state from call to call.
iconv_t Gb18030Decoder()
{
    thread_local const iconv_t cd = iconv_open("UTF-8", "GB18030");
    return cd;
}

iconv_t Gb18030Encoder()
{
    thread_local const iconv_t cd = iconv_open("GB18030", "UTF-8");
    return cd;
}

// `bytes` through `cd`, each byte it cannot take replaced by `replacement`
// and the conversion going on; `clean` false when one was. No byte in takes
// more than `growth` bytes out. Without the converter (a C library with no
// GB18030) every byte that is not ASCII becomes `fallback`.
std::string Convert(iconv_t cd, std::string_view bytes, std::size_t growth, std::string_view replacement,
                    std::string_view fallback, bool& clean)
{
    clean = true;
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        clean = false;
        for (char c : bytes) static_cast<unsigned char>(c) < 0x80 ? out += c : out += fallback;
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.resize(bytes.size() * growth + 8);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<std::size_t>(-1)) break;
        // EILSEQ or EINVAL (cut short at the end): replace one byte, go on.
        clean = false;
        for (char c : replacement) *o++ = c;
        outLeft -= replacement.size();
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv(cd, nullptr, nullptr, &o, &outLeft);
    out.resize(out.size() - outLeft);
    return out;
}

// `bytes` read as GB18030; sets `clean` to false when some byte did not
// decode and was replaced. A two-byte character becomes three bytes, a
// replaced byte U+FFFD's three.
std::string FromGb18030(std::string_view bytes, bool& clean)
{
    return Convert(Gb18030Decoder(), bytes, 3, kReplacement, kReplacement, clean);
}

}  // namespace

std::string_view WithoutByteOrderMark(std::string_view bytes)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    return bytes;
}

std::string ToGb18030(std::string_view utf8)
{
    if (IsAscii(utf8)) return std::string(utf8);
    // A character takes at most four bytes in GB18030, and at least one in UTF-8.
    bool clean = true;
    return Convert(Gb18030Encoder(), utf8, 4, kGb18030Replacement, "?", clean);
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
