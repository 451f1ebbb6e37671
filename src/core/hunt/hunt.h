// One season-year in the season mode (Planering) and its hunt, encounter by encounter: the targets, the
// animal met, its calves or antlers, the hunting rules and the calendar of the season.
#pragma once
#include <cstdint>

namespace vildo {

struct SeasonState;

// The season's targets and what the hunt keeps for one call of Planering.
struct SeasonPlan {
    bool quota = false;    // the sex quota of adults ("Kvotering")
    double bullsLeft = 0;  // remaining targets
    double cowsLeft = 0;
    int32_t calvesLeft = 0;
    double total = 0;   // the whole target
    double adults = 0;  // the adult target
    bool adultTargetReached = false;
    double shotBullAgeSum = 0, shotCowAgeSum = 0;
};

// The season's targets from the target per 1000 ha and the calf and bull shares; clears the season's
// harvest, deaths and encounter counters and empties the biodata list.
SeasonPlan seasonTargets(SeasonState& app);

enum Sex { Female = 1, Male = 2 };
struct AdultMet {
    int age;
    Sex sex;
};

// The adult met at one encounter.
AdultMet Selectadult(SeasonState& app);
// How many calves (0, 1 or 2) follow the female of that age just met.
int Calveswithcow(SeasonState& app, int age);
// A bull's antler points; true when the bull rule protects him.
bool Antlerpoints(SeasonState& app, int age, int& points);
// Whether rule row 1..3 forbids the shot in that hunting week.
bool Ruleactive(const SeasonState& app, int week, int row);

// The hunting week and day of the encounter that has used huntTry of maxTries encounters: the season is
// front-loaded, half of the encounters fall within the first four weeks.
struct HuntDate {
    int week, day;
};
HuntDate huntCalendar(int huntTry, int maxTries);

// The hunt, encounter by encounter, until the targets are met, the adults are gone or week 19 has passed.
void hunt(SeasonState& app, SeasonPlan& plan);

// One whole season-year: targets, summer, births, the hunt, winter.
void Planering(SeasonState& app);

}  // namespace vildo
