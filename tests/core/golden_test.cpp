// The golden-file check itself: updating the files can never pass a run unnoticed.
#include "support/golden.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

// Sets or clears VILDO_UPDATE_GOLDEN for the scope, restoring what the run was started with.
class UpdateGolden {
public:
    explicit UpdateGolden(bool on) {
        if (const char* v = std::getenv(kName)) saved_ = v;
        if (on) {
            ::setenv(kName, "1", 1);
        } else {
            ::unsetenv(kName);
        }
    }
    ~UpdateGolden() {
        if (saved_) {
            ::setenv(kName, saved_->c_str(), 1);
        } else {
            ::unsetenv(kName);
        }
    }
    UpdateGolden(const UpdateGolden&) = delete;
    UpdateGolden& operator=(const UpdateGolden&) = delete;

private:
    static constexpr const char* kName = "VILDO_UPDATE_GOLDEN";
    std::optional<std::string> saved_;
};

TEST(Golden, AFileRewrittenForTheUpdateFailsTheTestAndAMatchingOneIsLeftAlone) {
    struct Case {
        const char* what;
        bool update;
        std::optional<std::string> before;  // the golden file, if there is one
        bool fails;
        const char* message;  // a part of the first failure's text
        std::optional<std::string> after;
    } cases[] = {
        {"update, a differing file", true, "old\r\n", true, "rewrote", "new\r\n"},
        {"update, no file", true, std::nullopt, true, "rewrote", "new\r\n"},
        {"update, the same file", true, "new\r\n", false, "", "new\r\n"},
        {"compare, a differing file", false, "old\r\n", true, "expected: old", "old\r\n"},
        {"compare, no file", false, std::nullopt, true, "missing golden file", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::filesystem::path file = dir.path / "golden.txt";
        if (c.before) std::ofstream(file, std::ios::binary) << *c.before;
        ::testing::TestPartResultArray results;
        {
            UpdateGolden env(c.update);
            ::testing::ScopedFakeTestPartResultReporter reporter(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
            test::expectGoldenFile("new\r\n", file);
        }
        bool failed = false;
        for (int i = 0; i < results.size(); ++i) failed |= results.GetTestPartResult(i).failed();
        EXPECT_EQ(failed, c.fails);
        if (c.fails && results.size() > 0) {
            const std::string first = results.GetTestPartResult(0).message();
            EXPECT_NE(first.find(c.message), std::string::npos) << first;
        }
        EXPECT_EQ(readWholeFile(file), c.after);
    }
}

}  // namespace
}  // namespace vildo
