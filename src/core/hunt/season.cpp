#include "hunt/season.h"

#include <algorithm>
#include <exception>

#include "hunt/hunt.h"
#include "hunt/season_state.h"
#include "util/errors.h"
#include "util/round.h"

namespace vildo {

// The first season's targets: what the equilibrium run shot in its last year.
void targetsFromEquilibrium(SeasonState& app) {
    TGoals& g = app.Goals;
    const THarvestTotals& ht = app.HarvestTot;
    g.BullQuota = static_cast<float>(ht.BullsShot);
    g.CowQuota = static_cast<float>(ht.CowsShot);
    g.CalfQuota = static_cast<float>(ht.CalvesShot);
    double sum = static_cast<double>(g.BullQuota) + g.CowQuota + g.CalfQuota;
    if (sum > 0) app.CalfPercent = static_cast<int32_t>(Round(100 * g.CalfQuota / sum));
    g.HarvestRate = static_cast<float>(checkedDiv(sum, app.AreaKha));
    double adults = static_cast<double>(g.BullQuota) + g.CowQuota;
    if (adults > 0) g.BullShareTarget = static_cast<float>(g.BullQuota / adults);
}

void Huntayear(SeasonState& app) {
    ++app.YearNo;
    app.MaxTries = static_cast<int32_t>(std::max<int64_t>(1, Round(app.EncounterRate * app.Summer.SummerStock)));
    Planering(app);
}

}  // namespace vildo
