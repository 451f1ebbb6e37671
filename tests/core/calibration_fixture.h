// A started program with the test area "Testområdet" (Uppsala) in its menu and a fake data service that
// answers its statistics, has no cached fit and registers uploads. The equilibrium run can be frozen, so
// that the model's harvest and calves per cow stay what a test sets.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/area_loading.h"
#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/start_year.h"
#include "app/vildo.h"
#include "area_fakes.h"
#include "calibration/fit_upload.h"
#include "support/test_app.h"

namespace vildo::test {

class CalibrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        service.answers["vildoAFOsql.php"] = "";
        service.answers["vildoAFOsql.php?a=3&b=dummy&c=dummy&d=vildodata"] = "Uppsala|Testområdet|Norra";
        service.answers["vildosql.php"] = statisticsAnswer(12);
        service.answers["vildosql_R2.php"] = "R2;0;0;0;0;0";
        service.answers["vr2sql.php"] = "Registrerat";
        t->dataService = &service;
        t.start();
    }

    Vildo& a() { return *t; }

    // The area loaded up to its start-year change; the first start year (2012) selected.
    void load() {
        ASSERT_TRUE(NyttOmrade(*t, 2, 0));
        t->ctl(C::Combo_Startyear).position = 0;
    }

    // The area loaded and its start year chosen, with nothing it started left running, no new predators
    // and no change of mortality since the last estimate.
    void loadAndChoose() {
        load();
        Combo_StartyearChange(*t);
        for (int n : {2, 6, 12}) setTimer(*t, n, false);
        t->Rov.Changed = false;
        t->MortalitySignature = mortalitySignature(*t);
        service.calls.clear();
    }

    // No model years per equilibrium tick: the model's outputs stay as set.
    void freezeModel(double harvestPerArea, double calvesPerCow) {
        t->YearsPerTick = 0;
        t->HarvestTot.HarvestPerArea = harvestPerArea;
        t->CalvesPerCow = calvesPerCow;
    }

    void run(int64_t virtualMs) { Scheduler(*t).runFor(virtualMs); }

    // The requests made to a script since the last clear.
    std::vector<std::string> queries(const std::string& script) const {
        std::vector<std::string> q;
        for (const auto& c : service.calls)
            if (c.script == script) q.push_back(c.query);
        return q;
    }

    FakeDataService service;
    TestApp t;
};

}  // namespace vildo::test
