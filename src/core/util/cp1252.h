// Windows-1252 text: the single-byte code page of the files and the short-string cells.
#pragma once
#include <cstdint>
#include <string>

namespace vildo {

// UTF-8 to Windows-1252; characters outside the code page become '?'.
std::string toCp1252(const std::string& utf8);
// Windows-1252 to UTF-8; the five unassigned bytes become U+FFFD.
std::string fromCp1252(const std::string& cp1252);

// A short string of the records: one length byte and N single-byte characters.
template <int N>
struct ShortString {
    uint8_t length;
    char chars[N];
};

// Stores UTF-8 text in a short string, cut to N characters; bytes after the text are left as they are.
template <int N>
void setShort(ShortString<N>& s, const std::string& utf8) {
    std::string b = toCp1252(utf8);
    if (b.size() > static_cast<size_t>(N)) b.resize(N);
    s.length = static_cast<uint8_t>(b.size());
    for (size_t i = 0; i < b.size(); ++i) s.chars[i] = b[i];
}

// The text of a short string as UTF-8; a length byte beyond N reads N characters.
template <int N>
std::string getShort(const ShortString<N>& s) {
    int n = s.length > N ? N : s.length;
    return fromCp1252(std::string(s.chars, s.chars + n));
}

}  // namespace vildo
