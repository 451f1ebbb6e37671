#include "ui/grid_layout.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <string_view>

#include "util/grid.h"

namespace vildo {

bool isNumberText(const std::string& text) {
    size_t b = text.find_first_not_of(' '), e = text.find_last_not_of(' ');
    if (b == std::string::npos) return false;
    std::string_view t(text.data() + b, e - b + 1);
    if (t.back() == '%') t.remove_suffix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
    bool digit = false;
    for (char c : t) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (c != ',' && c != '.' && c != ' ' && c != ':')
            return false;
    }
    return digit;
}

std::vector<bool> numberColumns(const Grid& g) {
    std::vector<bool> out(static_cast<size_t>(g.colCount), false);
    for (int c = 0; c < g.colCount; ++c) {
        bool any = false, all = true;
        for (int r = 0; r < g.rowCount && all; ++r) {
            const std::string& t = g.cell(c, r);
            if (t.find_first_not_of(' ') == std::string::npos) continue;
            if (isNumberText(t))
                any = true;
            else if (r >= g.fixedRows)
                all = false;
        }
        out[static_cast<size_t>(c)] = any && all;
    }
    return out;
}

std::vector<int> fitColumns(const std::vector<ColumnNeed>& columns, int available) {
    std::vector<int> w;
    for (const ColumnNeed& c : columns) w.push_back(c.number ? std::max(c.width, c.needed) : c.width);
    int total = std::accumulate(w.begin(), w.end(), 0);
    // Too wide: the text columns give back their unused room, then what cuts their texts.
    auto giveBack = [&](auto floor) {
        for (size_t i = columns.size(); i-- > 0 && total > available;) {
            const int keep = floor(columns[i]);
            if (columns[i].number || w[i] <= keep) continue;
            const int give = std::min(w[i] - keep, total - available);
            w[i] -= give;
            total -= give;
        }
    };
    giveBack([](const ColumnNeed& c) { return c.needed; });
    giveBack([](const ColumnNeed& c) { return std::min(c.needed, c.least); });
    // Room to spare: cut texts take it, the first first; first the table's own, then what other texts do
    // not use, the last first. An empty column keeps a third of its room: it spaces the others.
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].number || w[i] >= columns[i].needed) continue;
        const int take = std::min(columns[i].needed - w[i], std::max(0, available - total));
        w[i] += take;
        total += take;
        for (size_t k = columns.size(); k-- > 0 && w[i] < columns[i].needed;) {
            if (k == i || columns[k].number) continue;
            const int keep = columns[k].needed > 0 ? columns[k].needed : columns[k].width / 3;
            if (w[k] <= keep) continue;
            const int lend = std::min(w[k] - keep, columns[i].needed - w[i]);
            w[k] -= lend;
            w[i] += lend;
        }
    }
    return w;
}

}  // namespace vildo
