#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace sol::posix {

// Whether the user's locale writes Korean in the CP949 code page (or its
// subset EUC-KR) rather than UTF-8. `codeset` is the charset the C library
// reports for the locale, empty where the locale is not installed; then the
// charset named in `localeName` after the dot ("ko_KR.CP949") still counts.
bool usesKoreanCodePage(std::string_view codeset, std::string_view localeName);

// The charset of the environment's character-type locale, as the C library
// reports it; empty where that locale is not installed.
std::string localeCodeset();

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

    // False when no converter could be opened; then text is left as it is.
    bool available() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    // Why not: the C library has no CP949 converter at all, rather than no
    // descriptor to spare for one.
    bool unsupported() const { return unsupported_; }
    std::string encode(std::string_view utf8);

  private:
    iconv_t handle_;
    bool unsupported_ = false;
};

}  // namespace sol::posix
