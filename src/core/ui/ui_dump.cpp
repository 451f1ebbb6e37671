#include "ui/ui_dump.h"

#include <cstdio>
#include <string_view>

#include "util/json_writer.h"

namespace vildo {

namespace {

// Ten significant digits: more than any label shows, and stable as text.
constexpr int kDigits = 10;

constexpr std::string_view kKindNames[] = {"TrackBar", "UpDown",     "CheckBox", "MenuItem", "ComboBox", "Edit",
                                           "Button",   "SpinButton", "Label",    "Tab",      "Panel"};
constexpr std::string_view kSeriesKinds[] = {"Line", "Point", "HorizBar", "Bar", "Pie", "Band"};

std::string jsonText(std::string_view s) { return JsonWriter().value(s).str(); }

std::string colourText(uint32_t c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(c & 0xFFFFFF));
    return buf;
}

// Lines of an object or array, one member per line, closed by `close`.
std::string joinLines(const std::vector<std::string>& lines, const char* open, const char* close) {
    std::string out = open;
    out += '\n';
    for (size_t i = 0; i < lines.size(); ++i) {
        out += lines[i];
        out += i + 1 < lines.size() ? ",\n" : "\n";
    }
    return out + close;
}

std::string controlsPart(const WindowState& app) {
    std::vector<std::string> lines;
    for (const Control& c : app.controls) {
        JsonWriter j;
        j.beginObject();
        j.key("kind").value(kKindNames[static_cast<int>(c.kind)]);
        j.key("caption").value(c.caption);
        j.key("position").value(c.position);
        j.key("visible").value(c.visible);
        j.key("enabled").value(c.enabled);
        if (!c.items.empty()) {
            j.key("items").beginArray();
            for (const std::string& item : c.items) j.value(item);
            j.endArray();
        }
        j.endObject();
        lines.push_back(jsonText(c.name) + ":" + j.str());
    }
    return joinLines(lines, "{", "}");
}

std::string gridPart(const Grid& g) {
    JsonWriter head;
    head.beginObject();
    head.key("selection").beginArray().value(g.selCol).value(g.selRow).endArray();
    head.key("enabled").value(g.enabled);
    head.key("visible").value(g.visible);
    head.key("red").beginArray();
    for (int col = 0; col < g.colCount; ++col)
        for (int row = 0; row < g.rowCount; ++row)
            if (g.isRed(col, row)) head.beginArray().value(col).value(row).endArray();
    head.endArray();
    head.endObject();
    std::vector<std::string> rows;
    for (int row = 0; row < g.rowCount; ++row) {
        JsonWriter j;
        j.beginArray();
        for (int col = 0; col < g.colCount; ++col) j.value(g.cell(col, row));
        j.endArray();
        rows.push_back(j.str());
    }
    // The header object's members, then the rows, one per line.
    std::string h = head.str();
    h.pop_back();
    return h + ",\"rows\":" + joinLines(rows, "[", "]") + "}";
}

std::string gridsPart(const WindowState& app) {
    const std::pair<const char*, const Grid*> grids[] = {
        {"StringGrid1", &app.StringGrid1}, {"StringGrid2", &app.StringGrid2}, {"Stringgrid5", &app.Stringgrid5},
        {"StringGrid3", &app.StringGrid3}, {"Tabell_utv", &app.Tabell_utv},   {"StringGrid6", &app.StringGrid6}};
    std::vector<std::string> parts;
    for (const auto& [name, grid] : grids) parts.push_back(jsonText(name) + ":" + gridPart(*grid));
    return joinLines(parts, "{", "}");
}

void axis(JsonWriter& j, const char* name, const Axis& a) {
    j.key(name).beginObject();
    j.key("title").value(a.title);
    j.key("min").value(a.min, kDigits);
    j.key("max").value(a.max, kDigits);
    j.key("increment").value(a.increment, kDigits);
    j.key("automatic").value(a.automatic);
    j.key("visible").value(a.visible);
    j.endObject();
}

std::string seriesLine(const Series& s) {
    JsonWriter j;
    j.beginObject();
    j.key("title").value(s.title);
    j.key("kind").value(kSeriesKinds[static_cast<int>(s.kind)]);
    j.key("colour").value(colourText(s.colour));
    j.key("active").value(s.active);
    j.key("axis").value(s.axis == AxisSide::Left ? "left" : "right");
    j.key("points").beginArray();
    for (const ChartPoint& p : s.points) {
        j.beginArray().value(p.x, kDigits).value(p.y, kDigits);
        if (!p.label.empty() || p.colour != 0) j.value(p.label).value(p.colour ? colourText(p.colour) : "");
        j.endArray();
    }
    j.endArray();
    j.endObject();
    return j.str();
}

std::string chartPart(const Chart& c) {
    JsonWriter head;
    head.beginObject();
    head.key("visible").value(c.visible);
    head.key("enabled").value(c.enabled);
    head.key("title").value(c.title);
    head.key("titleVisible").value(c.titleVisible);
    head.key("subTitle").value(c.subTitle);
    head.key("footer").value(c.footer);
    head.key("footerVisible").value(c.footerVisible);
    head.key("subFooter").value(c.subFooter);
    head.key("subFooterVisible").value(c.subFooterVisible);
    axis(head, "left", c.left);
    axis(head, "right", c.right);
    axis(head, "bottom", c.bottom);
    head.endObject();
    std::vector<std::string> series;
    for (const Series& s : c.series) series.push_back(seriesLine(s));
    std::string h = head.str();
    h.pop_back();
    return h + ",\"series\":" + joinLines(series, "[", "]") + "}";
}

std::string chartsPart(const WindowState& app) {
    std::vector<std::string> parts;
    for (int n = 1; n < kChartCount; ++n)
        parts.push_back(jsonText("Chart" + std::to_string(n)) + ":" + chartPart(app.charts[n]));
    return joinLines(parts, "{", "}");
}

}  // namespace

std::string uiDumpJson(const WindowState& app) {
    return "{\n\"controls\":" + controlsPart(app) + ",\n\"grids\":" + gridsPart(app) +
           ",\n\"charts\":" + chartsPart(app) + "\n}\n";
}

}  // namespace vildo
