#include "core/base/cp932.h"

#include <cerrno>

#include <iconv.h>

namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string output;
    char buffer[512];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    bool ok = true;
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, out - buffer);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;  // EILSEQ or EINVAL: invalid or truncated sequence
            break;
        }
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return output;
}

}  // namespace

std::optional<std::string> cp932ToUtf8(std::string_view bytes)
{
    return convert("UTF-8", "CP932", bytes);
}

std::optional<std::string> utf8ToCp932(std::string_view text)
{
    return convert("CP932", "UTF-8", text);
}
