// Rewriting a file in place: what was there before must never survive past the new end.
#include <gtest/gtest.h>

#include <fstream>

#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

namespace fs = std::filesystem;

TEST(OverwriteFile, LeavesExactlyTheNewBytes) {
    struct Case {
        const char* name;
        const char* before;  // nullptr: no file
        std::string after;
    };
    const Case cases[] = {
        {"missing", nullptr, "a;b\r\n"},
        {"longer before", "0123456789\r\n0123456789\r\n", "a;b\r\n"},
        {"shorter before", "x", "a;b\r\nc;d\r\n"},
        {"emptied", "a;b\r\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const fs::path file = dir.path / "Biodata.csv";
        if (c.before) std::ofstream(file, std::ios::binary) << c.before;
        std::error_code ec;
        EXPECT_TRUE(overwriteFile(file, c.after, ec));
        EXPECT_FALSE(ec);
        EXPECT_EQ(readWholeFile(file), c.after);
        EXPECT_FALSE(fs::exists(dir.path / "Biodata.csv.tmp"));
    }
}

TEST(OverwriteFile, AFolderInItsPlaceIsAFailureThatSaysSo) {
    test::TempDir dir;
    fs::create_directory(dir.path / "Biodata.csv");
    const uint64_t failures = failedWrites();
    std::error_code ec;
    EXPECT_FALSE(overwriteFile(dir.path / "Biodata.csv", "a;b\r\n", ec));
    EXPECT_EQ(ec, std::errc::is_a_directory);
    EXPECT_EQ(failedWrites(), failures + 1);
}

}  // namespace
}  // namespace vildo
