// Fixtures for the season tests: a started program in the season mode, hand-made summer stocks for the
// hunt, and the biodata rows split into fields.
#pragma once
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "hunt/biodata.h"
#include "hunt/hunt.h"
#include "support/test_app.h"

namespace vildo::test {

// Splits a biodata row: HT;MHT;DAG;Vecka;Totalt;J/N;Kumul;Djur;Ålder;Taggar/kalvar.
inline std::vector<std::string> fields(const std::string& row) {
    std::vector<std::string> out;
    std::stringstream s(row);
    for (std::string f; std::getline(s, f, ';');) out.push_back(f);
    return out;
}

enum Field { HT, MHT, DAG, Vecka, Totalt, Falld, Kumul, Djur, Alder, Last };

class SeasonTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        t->SeasonStarted = true;
        t->RulesAlways = true;
        t->MaxTries = 400;
        t->ctl(C::chk_biodata).position = 1;  // "Spara biodata" on, without probing the file
    }

    Vildo& a() { return *t; }

    // An empty summer stock, then adults added class by class with add().
    void clearStock() {
        TPopulation& p = t->Pop;
        for (auto* arr : {p.FemSummer, p.MaleSummer}) std::fill(arr, arr + kAges, 0.0);
        for (auto* arr : {p.CowsNoCalf, p.CowsOneCalf, p.CowsTwins}) std::fill(arr, arr + kAges, 0);
        t->Summer = TSummerTotals{};
        t->HarvestTot = THarvestTotals{};
        t->Harvest = THarvestByAge{};
        t->Enc = TEncounters{};
        t->Enc.CowRisk = t->pos(C::trk_korisk) * 0.01;
        t->Biodata.clear();
    }
    void addCows(int age, int none, int one, int twins) {
        TPopulation& p = t->Pop;
        int n = none + one + twins;
        p.FemSummer[age] += n;
        p.CowsNoCalf[age] += none;
        p.CowsOneCalf[age] += one;
        p.CowsTwins[age] += twins;
        t->Summer.SummerCows += n;
        t->Summer.SummerStock += n + one + 2.0 * twins;
    }
    void addBulls(int age, double n) {
        t->Pop.MaleSummer[age] += n;
        t->Summer.SummerBulls += n;
        t->Summer.SummerStock += n;
    }
    // Remaining targets as the season holds them. The whole target is left at 0 so that any stock is
    // hunted, however far the remaining targets lie beyond it.
    static SeasonPlan plan(bool quota, double bulls, double cows, int calves) {
        SeasonPlan p;
        p.quota = quota;
        p.bullsLeft = bulls;
        p.cowsLeft = cows;
        p.calvesLeft = calves;
        p.adults = bulls + cows;
        return p;
    }
    // The encounter rows as the biodata list writes them.
    std::vector<std::vector<std::string>> rows() {
        std::vector<std::vector<std::string>> out;
        for (const BiodataRow& r : t->Biodata) out.push_back(fields(biodataRow(r)));
        return out;
    }

    TestApp t;
};

}  // namespace vildo::test
