#include "util/json_writer.h"

#include <cmath>
#include <cstdio>

namespace vildo {

void JsonWriter::separate() {
    if (needComma_) out_ += ',';
    needComma_ = false;
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ += '{';
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ += '[';
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view k) {
    value(k);
    out_ += ':';
    needComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::value(double v) { return value(v, 17); }

JsonWriter& JsonWriter::value(double v, int significantDigits) {
    separate();
    if (!std::isfinite(v)) {
        out_ += "null";
    } else {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.*g", significantDigits, v == 0 ? 0.0 : v);  // no "-0"
        out_ += buf;
    }
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(int64_t v) {
    separate();
    out_ += std::to_string(v);
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(bool v) {
    separate();
    out_ += v ? "true" : "false";
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view v) {
    separate();
    out_ += '"';
    for (char c : v) {
        switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out_ += buf;
                } else {
                    out_ += c;
                }
        }
    }
    out_ += '"';
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::array(const double* values, int n) {
    beginArray();
    for (int i = 0; i < n; ++i) value(values[i]);
    return endArray();
}

}  // namespace vildo
