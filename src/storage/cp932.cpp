// CP932 through glibc's iconv. A CP932 trail byte can be 0x5C ("\"), so the bytes are only ever
// handed to iconv whole, never split or scanned as ASCII.
#include "storage/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace cp932 {
namespace {

iconv_t Open(const char* to, const char* from) {
    const iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    return handle;
}

// Converts the whole input, growing out as needed; false on an invalid or unconvertible
// sequence or an incomplete one at the end.
bool Convert(iconv_t handle, std::string_view in, std::string& out) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t done = out.size();
    out.resize(done + in.size() * 2 + 16);
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t result = iconv(handle, &inPtr, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno != E2BIG) return false;
        out.resize(out.size() * 2);
    }
    out.resize(done);
    return true;
}

// Converts the whole input into a fixed buffer, over and over, keeping nothing; false as Convert.
bool ConvertAway(iconv_t handle, std::string_view in) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char buffer[1 << 16];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(handle, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno != E2BIG) return false;
    }
    return true;
}

}  // namespace

TEncoder::TEncoder() : handle_(Open("CP932", "UTF-8")) {}

TEncoder::~TEncoder() {
    iconv_close(static_cast<iconv_t>(handle_));
}

bool TEncoder::Append(std::string_view utf8, std::string& out) {
    return Convert(static_cast<iconv_t>(handle_), utf8, out);
}

TDecoder::TDecoder() : handle_(Open("UTF-8", "CP932")) {}

TDecoder::~TDecoder() {
    iconv_close(static_cast<iconv_t>(handle_));
}

bool TDecoder::Append(std::string_view bytes, std::string& out) {
    return Convert(static_cast<iconv_t>(handle_), bytes, out);
}

bool TDecoder::Valid(std::string_view bytes) {
    return ConvertAway(static_cast<iconv_t>(handle_), bytes);
}

std::optional<std::string> ToUtf8(std::string_view bytes) {
    const iconv_t handle = Open("UTF-8", "CP932");
    std::string text;
    const bool converted = Convert(handle, bytes, text);
    iconv_close(handle);
    if (!converted) return std::nullopt;
    return text;
}

}  // namespace cp932
