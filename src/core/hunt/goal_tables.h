// The hunting page's tables as they start: harvest targets, management goals, rules and the evaluation;
// and the records of the rule table.
#pragma once
#include <cstdint>

#include "util/grid.h"

namespace vildo {

// One row of the rule table; a rule acts in the hunt only when both enabled and intervalSet are 1.
struct TRule {
    uint8_t enabled;
    uint8_t intervalSet;
    uint8_t from;  // hunting week, or antler points for the bull row
    uint8_t to;
};

// Rule rows 1..4; record 0 belongs to the table's header row and is never consulted.
enum RuleRow { RuleSingleCalf = 1, RuleTwinCalf = 2, RuleCow = 3, RuleBull = 4 };

Grid designStringGrid2();  // harvest targets by year, and the winter stock
Grid designStringgrid5();  // management goals against the current state
Grid designStringGrid3();  // hunting rules
Grid designTabell_utv();   // season evaluation

}  // namespace vildo
