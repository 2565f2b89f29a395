#include "contacts/charset_conversion.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "contacts/vcard_lines.h"

namespace velorine::contacts {
namespace {

const auto kUnknown = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));

}  // namespace

CharsetConverter::~CharsetConverter() {
    for (const auto& [label, handle] : opened_)
        if (handle != kUnknown) ::iconv_close(static_cast<iconv_t>(handle));
}

std::optional<std::string> CharsetConverter::toUtf8(std::string_view bytes, const std::string& label) {
    const std::string key = upperAscii(label);
    auto found = opened_.find(key);
    if (found == opened_.end()) {
        if (opened_.size() >= kMostCharsets) return std::nullopt;
        found = opened_.emplace(key, static_cast<void*>(::iconv_open("UTF-8", key.c_str()))).first;
    }
    if (found->second == kUnknown) return std::nullopt;
    const auto converter = static_cast<iconv_t>(found->second);
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);  // a fresh start: no state of the last value
    std::string utf8(bytes.size() * 2 + 16, '\0');
    std::size_t done = 0;
    // Converts what `in` holds (nothing: what the converter still keeps), growing the output as
    // needed; false when the bytes are no text of the set.
    const auto convert = [&](char** in, std::size_t* inLeft) {
        while (true) {
            char* out = utf8.data() + done;
            std::size_t outLeft = utf8.size() - done;
            const std::size_t result = ::iconv(converter, in, inLeft, &out, &outLeft);
            done = utf8.size() - outLeft;
            if (result != static_cast<std::size_t>(-1)) return true;
            if (errno != E2BIG) return false;
            utf8.resize(utf8.size() * 2);
        }
    };
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    if (!convert(&in, &inLeft) || !convert(nullptr, nullptr)) return std::nullopt;
    utf8.resize(done);
    return utf8;
}

}  // namespace velorine::contacts
