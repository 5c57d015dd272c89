#include "console/posix/cp949_output.h"

#include <langinfo.h>
#include <locale.h>
#if __has_include(<xlocale.h>)
#include <xlocale.h>  // newlocale and nl_langinfo_l on macOS
#endif

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "console/port/text_width.h"

namespace sol::posix {

namespace {

bool namesKoreanCharset(std::string_view charset) {
    std::string name;
    for (const char c : charset.substr(0, charset.find('@'))) {
        if (c != '-' && c != '_') {
            name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
    }
    return name == "cp949" || name == "euckr" || name == "uhc" || name == "ms949";
}

}  // namespace

bool usesKoreanCodePage(std::string_view codeset, std::string_view localeName) {
    if (!codeset.empty()) {
        return namesKoreanCharset(codeset);
    }
    const auto dot = localeName.find('.');
    return dot != std::string_view::npos && namesKoreanCharset(localeName.substr(dot + 1));
}

std::string localeCodeset() {
    // A locale object of its own: the program's global locale stays "C".
    const locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) {
        return {};
    }
    std::string codeset = nl_langinfo_l(CODESET, locale);
    freelocale(locale);
    return codeset;
}

std::string characterLocale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

Cp949Encoder::Cp949Encoder() : handle_(iconv_open("CP949", "UTF-8")) {
    if (available()) {
        return;
    }
    // glibc says EINVAL also when it could not open the converter's module;
    // a descriptor to spare means that was not the reason.
    const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    unsupported_ = fd >= 0;
    if (fd >= 0) {
        ::close(fd);
    }
}

Cp949Encoder::~Cp949Encoder() {
    if (available()) {
        iconv_close(handle_);
    }
}

std::string Cp949Encoder::encode(std::string_view utf8) {
    if (!available()) {
        return std::string(utf8);
    }
    std::string out;
    out.reserve(utf8.size());
    char buffer[256];
    char* in = const_cast<char*>(utf8.data());  // iconv's signature; it only reads
    std::size_t inLeft = utf8.size();
    while (inLeft > 0) {
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t result = iconv(handle_, &in, &inLeft, &to, &toLeft);
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // No CP949 form, or a broken sequence: one '?' for the character.
            std::size_t pos = static_cast<std::size_t>(in - utf8.data());
            decodeUtf8(utf8, pos);
            const std::size_t skipped = pos - static_cast<std::size_t>(in - utf8.data());
            in += skipped;
            inLeft -= skipped;
            out += '?';
        }
    }
    return out;
}

}  // namespace sol::posix
