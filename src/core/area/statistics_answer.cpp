#include "area/statistics_answer.h"

#include <algorithm>

#include "area/service_text.h"
#include "model/record_checks.h"
#include "util/errors.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr size_t kHeaderFields = 19;
constexpr size_t kYearFields = 21;
constexpr size_t kR2Fields = 5;

struct LineReader {
    const std::vector<std::string>& f;
    size_t line;

    [[noreturn]] void fail(size_t i, const char* what) const {
        throw VildoError("rad " + std::to_string(line) + " fält " + std::to_string(i) + ": '" + f[i] + "' är inte " +
                         what);
    }
    int32_t integer(size_t i) const {
        auto v = serviceInt(f[i]);
        if (!v) fail(i, "ett heltal");
        return *v;
    }
    double real(size_t i) const {
        auto v = serviceReal(f[i]);
        if (!v) fail(i, "ett decimaltal");
        return *v;
    }
};

int32_t checkedInt(int64_t v) {
    if (v < INT32_MIN || v > INT32_MAX) throw VildoError("Integer overflow");
    return static_cast<int32_t>(v);
}

std::vector<std::string> fieldsOf(const std::string& line, size_t needed, size_t lineNo) {
    std::vector<std::string> f = splitStrict(line, '|', kMaxFieldsPerLine);
    if (f.size() < needed)
        throw VildoError("rad " + std::to_string(lineNo) + " har " + std::to_string(f.size()) + " fält, minst " +
                         std::to_string(needed) + " behövs");
    return f;
}

void readHeader(const std::string& line, TAreaHeader& h) {
    std::vector<std::string> f = fieldsOf(line, kHeaderFields, 0);
    LineReader r{f, 0};
    h.Jaktarea = r.integer(0);
    h.HeaderInt1 = r.integer(1);
    h.HeaderInt2 = r.integer(2);
    h.Landarea = r.integer(3);
    h.HeaderInt4 = r.integer(4);
    h.HeaderInt5 = r.integer(5);
    h.OtherLandHaA = r.integer(6);
    h.OtherLandHaB = r.integer(7);
    h.ImpedimentHa = r.integer(8);
    h.AreaForage = r.integer(11);
    h.Lankod = r.integer(12);
    setShort(h.Lan, f[13]);
    setShort(h.AFO, f[14]);
    h.AFOnr = r.integer(15);
    h.AreaCCSlope = r.real(16) / 100;
    h.HeaderReal17 = r.real(17) / 1000;
    h.HeaderReal18 = r.real(18) / 1000;
}

// p: the line's position; next: the record of the following line (zero for the last year line).
TStatistics readYear(const std::string& line, size_t p, bool lastLine, const TStatistics& next) {
    std::vector<std::string> f = fieldsOf(line, kYearFields, p);
    for (std::string& field : f)
        if (field.empty() || field == "NULL") field = "0";
    LineReader r{f, p};
    TStatistics s{};
    s.year = r.integer(0);
    s.tjur = r.integer(1);
    s.ko = r.integer(2);
    s.vuxna = checkedInt(static_cast<int64_t>(s.tjur) + s.ko);
    s.tjurkalv = r.integer(3);
    s.kvigkalv = r.integer(4);
    s.kalv = checkedInt(static_cast<int64_t>(s.tjurkalv) + s.kvigkalv);
    s.totalt = r.integer(5);
    s.tjurobs = r.real(6);
    if (!lastLine) s.reprod = r.real(7);  // the answer's last line is the year still under way
    s.obs = r.real(8);
    s.ungskog = f[9] == "-1" ? next.ungskog : r.integer(9);
    s.regarea = r.integer(10);
    s.tjurvikt = r.integer(11);
    s.kovikt = r.integer(12);
    s.tjurkalvvikt = r.integer(13);
    s.kvigkalvvikt = r.integer(14);
    s.TrafikTjur = r.integer(15);
    s.TrafikHondjur = r.integer(16);
    s.TrafikKalv = r.integer(17);
    s.TrafikOkand = r.integer(18);
    s.varg = r.real(19);
    s.bjorn = r.real(20);
    s.kalvandel = s.totalt > 0 ? static_cast<double>(s.kalv) / s.totalt : 0;
    s.sexratio = s.kalv >= 1 ? static_cast<double>(s.kvigkalv) / s.kalv : 0;

    // The unknown traffic kills are shared out: 35 % bulls, 46 % cows, the rest calves.
    int64_t u = s.TrafikOkand;
    int64_t a = Round(u * 0.35), b = Round(u * 0.46);
    s.TrafikTjur = checkedInt(s.TrafikTjur + a);
    s.TrafikHondjur = checkedInt(s.TrafikHondjur + b);
    s.TrafikKalv = checkedInt(s.TrafikKalv + std::max<int64_t>(0, u - a - b));
    return s;
}

R2Line readR2(const std::string& line, size_t p) {
    std::vector<std::string> f = fieldsOf(line, kR2Fields, p);
    LineReader r{f, p};
    return R2Line{r.real(1), r.real(2), r.integer(3), r.real(4)};
}

// Values the model cannot hold refuse the whole answer, as a line that does not read does.
void checkUsable(const ParsedArea& a) {
    if (!plausible(a.header)) throw VildoError("rad 0 har värden utanför vad modellen kan hantera");
    // Every density of the area is taken per hectare of these.
    if (a.header.Jaktarea <= 0 || a.header.Landarea <= 0) throw VildoError("rad 0 saknar jaktareal eller landareal");
    const double hectares = boundingHectares(a.header);
    for (size_t p = 0; p < a.Statistics.size(); ++p)
        if (!plausible(a.Statistics[p], hectares))
            throw VildoError("rad " + std::to_string(p) + " har värden utanför vad modellen kan hantera");
    if (a.r2) {
        // The cached fit lands in the first year's record.
        TStatistics first{};
        first.R2 = a.r2->R2;
        first.StartDens = a.r2->StartDens;
        first.CC = a.r2->CC;
        first.CCSlope = a.r2->CCSlope;
        if (!plausible(first))
            throw VildoError("rad " + std::to_string(a.Statistics.size() - 1) +
                             " har värden utanför vad modellen kan hantera");
    }
}

}  // namespace

ParsedArea parseStatisticsAnswer(const std::string& answer, const TAreaHeader& base) {
    // The line count is checked before a record is made for each line.
    std::vector<std::string> lines = splitStrict(answer, ';', kMaxAnswerLines);
    const size_t count = lines.size();
    ParsedArea a;
    a.header = base;
    bool hasR2 = count >= 2 && lines.back().find("R2") != std::string::npos;
    size_t lastYear = hasR2 ? count - 2 : count - 1;
    a.Statistics.assign(count, TStatistics{});
    const TStatistics none{};
    for (size_t p = lastYear; p >= 1; --p) {
        a.Statistics[p] = readYear(lines[p], p, p == count - 1, p < lastYear ? a.Statistics[p + 1] : none);
        if (a.Statistics[p].totalt > 0) ++a.DataYears;
    }
    readHeader(lines[0], a.header);
    a.header.DataYears = a.DataYears;
    if (hasR2) a.r2 = readR2(lines.back(), count - 1);
    checkUsable(a);
    return a;
}

}  // namespace vildo
