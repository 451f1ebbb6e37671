// The carrying-capacity batch with its areas side by side against the walk through the timers, over seed
// areas of two counties on the stand-in service: the same file, byte for byte, and the same messages,
// whatever the number of threads and whichever area fails.
#include "app/carrying_capacity_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/start_year.h"
#include "area/data_service.h"
#include "area/http_data_service.h"
#include "service/server.h"
#include "service_test_support.h"
#include "util/file_io.h"

namespace vildo {
namespace {

using Failing = std::function<bool(const std::string& script, const std::string& query)>;

// The stand-in over HTTP, with the requests a test picks failing as a lost connection.
class FlakyService : public DataService {
public:
    FlakyService(const std::string& url, Failing failing) : http_(url), failing_(std::move(failing)) {}
    std::string get(const std::string& script, const std::string& query) override {
        if (failing_ && failing_(script, query)) throw ServiceError("offline");
        return http_.get(script, query);
    }

private:
    HttpDataService http_;
    Failing failing_;
};

// What a walk left: the file and everything its prompts showed.
struct Walk {
    std::string file;
    std::vector<std::string> messages, warnings, infos;
    bool operator==(const Walk&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Walk& w) {
    os << w.file << "\n";
    for (const auto* list : {&w.messages, &w.warnings, &w.infos})
        for (const std::string& s : *list) os << "  " << s << "\n";
    return os;
}

class CarryingCapacityRun : public ::testing::Test {
protected:
    void SetUp() override {
        // Two areas of Stockholm and two of Uppsala.
        for (const char* f : {"01_01.csv", "01_02.csv", "03_01.csv", "03_02.csv"})
            seed.add(f, readWholeFile(std::filesystem::path(VILDO_DATA_DIR) / "areas" / f).value());
        server = std::make_unique<service::BackgroundService>(seed.db, seed.seed);
    }

    // A started program set up as the batch's operator sets it: the batch box ticked, the estimate
    // messages off.
    void prepare(test::TestApp& t, DataService& service) {
        t->dataService = &service;
        t.start();
        Scheduler(*t).runUntil([&] { return !t->timers[13].enabled && !t->timers[1].enabled; });
        t->GlobalCCFile = (t.dir.path / "GlobalCC.csv").string();
        t->InfoFlags[2] = t->InfoFlags[5] = 0;
        setChecked(*t, C::chk_trimming, true);
    }

    static Walk result(test::TestApp& t) {
        Walk w{readWholeFile(t->GlobalCCFile).value_or(""), t.prompts.messages, t.prompts.warnings, {}};
        for (const auto& info : t.prompts.infos) w.infos.push_back(info.text);
        return w;
    }

    // The walk through the timers, from the first area's click.
    Walk serialWalk(const Failing& failing = {}) {
        FlakyService service(server->url(), failing);
        test::TestApp t;
        prepare(t, service);
        if (areaItemClick(*t, 1, 0)) Scheduler(*t).runUntil([&] { return !calibrationRunning(*t); });
        return result(t);
    }

    Walk sideBySide(int threads, CarryingCapacityOutcome& outcome, const Failing& failing = {}) {
        FlakyService service(server->url(), failing);
        test::TestApp t;
        prepare(t, service);
        CarryingCapacityRequest request;
        request.threads = threads;
        request.service = [&] { return std::make_unique<FlakyService>(server->url(), failing); };
        outcome = runCarryingCapacityBatch(*t, request);
        EXPECT_FALSE(t->terminated);
        return result(t);
    }

    test::SeedFolder seed;
    std::unique_ptr<service::BackgroundService> server;
};

TEST_F(CarryingCapacityRun, WritesTheFileOfTheWalkThroughTheTimersOnAnyNumberOfThreads) {
    const Walk serial = serialWalk();
    size_t lines = 0;
    for (size_t at = serial.file.find("\r\n"); at != std::string::npos; at = serial.file.find("\r\n", at + 2)) ++lines;
    ASSERT_EQ(lines, 5u);  // the header and the four areas
    ASSERT_EQ(serial.messages, std::vector<std::string>{"Klar!"});
    for (int threads : {1, 2, 4}) {
        SCOPED_TRACE(threads);
        CarryingCapacityOutcome outcome{};
        EXPECT_EQ(sideBySide(threads, outcome), serial);
        EXPECT_EQ(outcome, CarryingCapacityOutcome::Done);
    }
}

TEST_F(CarryingCapacityRun, AnAreaThatCannotBeLoadedEndsTheWalkAsItEndsTheWalkThroughTheTimers) {
    struct Case {
        const char* area;  // the statistics request that fails
        size_t lines;      // lines of the file, the header included
        CarryingCapacityOutcome outcome;
    } cases[] = {
        {"a=1&b=1&", 2, CarryingCapacityOutcome::Stopped},  // Stockholm's second area: the first is written
        {"a=1&b=0&", 0, CarryingCapacityOutcome::NotStarted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.area);
        const Failing failing = [&](const std::string& script, const std::string& query) {
            return script == "vildosql.php" && query.rfind(c.area, 0) == 0;
        };
        const Walk serial = serialWalk(failing);
        size_t lines = 0;
        for (size_t at = serial.file.find("\r\n"); at != std::string::npos; at = serial.file.find("\r\n", at + 2))
            ++lines;
        EXPECT_EQ(lines, c.lines);
        ASSERT_FALSE(serial.infos.empty());
        EXPECT_EQ(serial.infos.back(), "Fel uppstod då ett område skulle läsas in. Är du ansluten till internet?");
        EXPECT_TRUE(serial.messages.empty());
        CarryingCapacityOutcome outcome{};
        EXPECT_EQ(sideBySide(2, outcome, failing), serial);
        EXPECT_EQ(outcome, c.outcome);
    }
}

}  // namespace
}  // namespace vildo
