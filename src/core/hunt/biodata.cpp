#include "hunt/biodata.h"

#include <charconv>
#include <limits>

#include "util/cp1252.h"

namespace vildo {

namespace {

// A long row ("1234;10120;56;7;123;N;45;Tjur;17;13") and its line end: the list's text is reserved at once.
constexpr size_t kLongRowBytes = 40;

// Appends the row without its line end: the row is put together in a buffer on the stack, so it costs no
// allocation of its own.
void appendRow(std::string& out, const BiodataRow& r) {
    char buf[8 * 21 + 2 + 16];  // eight numbers of at most 20 characters with their separators, "J;", the category
    char* p = buf;
    char* const end = buf + sizeof buf;
    auto put = [&](char c) {
        if (p < end) *p++ = c;
    };
    auto field = [&](int64_t v, char separator) {
        // The counts fit 32 bits, whose conversion is the quicker one.
        const bool small = v >= 0 && v <= std::numeric_limits<uint32_t>::max();
        p = small ? std::to_chars(p, end, static_cast<uint32_t>(v)).ptr : std::to_chars(p, end, v).ptr;
        if (separator) put(separator);
    };
    field(r.huntTry, ';');
    field(r.maxTries, ';');
    field(r.day, ';');
    field(r.week, ';');
    field(r.totalShot, ';');
    put(r.shot ? 'J' : 'N');
    put(';');
    field(r.categoryShot, ';');
    for (const char* c = r.category; *c; ++c) put(*c);
    put(';');
    field(r.age, ';');
    field(r.last, 0);
    out.append(buf, p);
}

}  // namespace

std::string biodataRow(const BiodataRow& row) {
    std::string s;
    appendRow(s, row);
    return s;
}

void appendBiodataLines(std::string& out, const std::vector<BiodataRow>& rows) {
    out.reserve(out.size() + rows.size() * kLongRowBytes);
    for (const BiodataRow& r : rows) {
        appendRow(out, r);
        out += "\r\n";
    }
}

std::string biodataHeaderLine() { return toCp1252(kBiodataHeader) + "\r\n"; }

}  // namespace vildo
