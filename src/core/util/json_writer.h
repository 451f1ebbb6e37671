// A small JSON writer for the command line's output; numbers keep full precision.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vildo {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view k);
    JsonWriter& value(double v);
    // A number rounded to the given significant digits, for output that is compared as text.
    JsonWriter& value(double v, int significantDigits);
    JsonWriter& value(int64_t v);
    JsonWriter& value(int v) { return value(static_cast<int64_t>(v)); }
    JsonWriter& value(bool v);
    JsonWriter& value(std::string_view v);
    JsonWriter& value(const char* v) { return value(std::string_view(v)); }
    JsonWriter& array(const double* values, int n);

    const std::string& str() const { return out_; }

private:
    void separate();
    std::string out_;
    bool needComma_ = false;
};

}  // namespace vildo
