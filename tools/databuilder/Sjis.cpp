#include "Sjis.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace kavelo::data {

namespace {
std::string convert(std::string_view in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    std::string out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    int err = errno;
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || srcLeft != 0) {
        std::size_t at = in.size() - srcLeft;
        throw std::runtime_error(std::string("cannot convert text to ") + to + " at byte " +
                                 std::to_string(at) + (err == EILSEQ ? " (no such character)" : "") +
                                 ": \"" + std::string(in) + "\"");
    }
    out.resize(out.size() - dstLeft);
    return out;
}
}  // namespace

std::string toSjis(std::string_view utf8) { return convert(utf8, "CP932", "UTF-8"); }

std::string fromSjis(std::string_view sjis) { return convert(sjis, "UTF-8", "CP932"); }

}  // namespace kavelo::data
