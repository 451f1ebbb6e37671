// A seed folder written by the test and a database beside it.
#pragma once
#include <fstream>
#include <string>

#include "service/area_data.h"
#include "support/test_app.h"

namespace vildo::test {

// An area file of two harvest years and the year under way.
inline std::string areaCsv(int county, int afonr, const std::string& name, const std::string& countyName = "Uppsala") {
    return "# test\n100000;1;2;98000;70000;5;15000;8000;3000;2000;110000;22;" + std::to_string(county) + ";" +
           countyName + ";" + name + ";" + std::to_string(afonr) +
           ";50;60000;17000\n"
           "2011;90;90;75;70;325;0,35;0,62;0,45;4000;99000;180;160;65;60;5;6;3;2;1,5;0\n"
           "2012;80;95;70;65;310;;0,6;0.5;-1;99000;178;158;64;59;4;5;2;0;1,5;0\n"
           "2013;0;0;0;0;0;NULL;NULL;NULL;3900;99000;NULL;NULL;NULL;NULL;1;1;0;0;1;0\n";
}

struct SeedFolder {
    TempDir dir;
    std::filesystem::path seed = dir.path / "seed";
    std::filesystem::path db = dir.path / "service.db";
    SeedFolder() { std::filesystem::create_directories(seed / "areas"); }
    void add(const std::string& file, const std::string& text) {
        std::ofstream(seed / "areas" / file, std::ios::binary) << text;
    }
};

}  // namespace vildo::test
