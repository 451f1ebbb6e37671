// A data service for tests that answers from a table, and builders of its statistics answers.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "area/data_service.h"

namespace vildo::test {

class FakeDataService : public DataService {
public:
    struct Call {
        std::string script, query;
    };
    std::vector<Call> calls;
    // Answers by "script?query" first, then by script; anything else fails as a lost connection.
    std::map<std::string, std::string> answers;
    std::function<bool(const Call&)> offline;  // true: this request fails
    std::map<std::string, int> statuses;       // by script: the service answers with this status

    std::string get(const std::string& script, const std::string& query) override {
        calls.push_back({script, query});
        if (offline && offline(calls.back())) throw ServiceError("offline");
        if (auto it = statuses.find(script); it != statuses.end()) throw ServiceStatusError(it->second);
        if (auto it = answers.find(script + "?" + query); it != answers.end()) return it->second;
        if (auto it = answers.find(script); it != answers.end()) return it->second;
        throw ServiceError("no answer for " + script + "?" + query);
    }
};

inline std::string joined(const std::vector<std::string>& fields, char sep) {
    std::string s;
    for (size_t i = 0; i < fields.size(); ++i) s += (i ? std::string(1, sep) : "") + fields[i];
    return s;
}

// The 19 header fields of an area of 100 000 ha in Uppsala.
inline std::vector<std::string> headerFields() {
    return {"100000", "11", "12", "100000",  "14",          "15", "20000", "10000", "5000", "x",
            "y",      "22", "3",  "Uppsala", "Testområdet", "2",  "50",    "60000", "17000"};
}

// The 21 fields of a year line: 325 moose shot, 45 % of them calves.
inline std::vector<std::string> yearFields(int year) {
    return {std::to_string(year),
            "90",
            "90",
            "75",
            "70",
            "325",
            "0,35",
            "0,62",
            "0,45",
            "4000",
            "99000",
            "180",
            "160",
            "65",
            "60",
            "5",
            "6",
            "3",
            "0",
            "1,5",
            "2"};
}

// An answer of the header and `harvestYears` years from 2011 with harvest, then `emptyYears` without.
inline std::string statisticsAnswer(int harvestYears, int emptyYears = 1, const std::string& r2 = "") {
    std::string s = joined(headerFields(), '|');
    for (int i = 0; i < harvestYears + emptyYears; ++i) {
        std::vector<std::string> f = yearFields(2011 + i);
        if (i >= harvestYears) f[1] = f[2] = f[3] = f[4] = f[5] = "0";
        s += ';';
        s += joined(f, '|');
    }
    if (!r2.empty()) {
        s += ';';
        s += r2;
    }
    return s;
}

// The menu "Norra|Testområdet" under Uppsala, whose areas answer `harvestYears` years of statistics.
inline void serveTestAreas(FakeDataService& service, int harvestYears) {
    service.answers["vildoAFOsql.php"] = "";
    service.answers["vildoAFOsql.php?a=3&b=dummy&c=dummy&d=vildodata"] = "Uppsala|Norra|Testområdet";
    service.answers["vildosql.php"] = statisticsAnswer(harvestYears);
}

}  // namespace vildo::test
