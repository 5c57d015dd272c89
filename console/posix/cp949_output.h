#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace sol::posix {

// Whether a locale setting (the value of LC_ALL, LC_CTYPE or LANG, such as
// "ko_KR.CP949" or "ko_KR.euckr") names the Korean code page as its charset.
bool namesKoreanCodePage(std::string_view locale);

// The locale the environment gives the character type: LC_ALL, else
// LC_CTYPE, else LANG, the first that is set and not empty.
std::string characterLocale();

// Turns UTF-8 into CP949, as legacy Korean terminals expect. A character with
// no CP949 form becomes '?'.
class Cp949Encoder {
  public:
    Cp949Encoder();
    ~Cp949Encoder();
    Cp949Encoder(const Cp949Encoder&) = delete;
    Cp949Encoder& operator=(const Cp949Encoder&) = delete;

    // False when the C library cannot convert to CP949; then text is left as
    // it is.
    bool available() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    std::string encode(std::string_view utf8);

  private:
    iconv_t handle_;
};

}  // namespace sol::posix
