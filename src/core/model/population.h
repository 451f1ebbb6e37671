// The planning mode's model year, and the stock kept at its density on a new hunting area.
#pragma once
#include <array>

#include "model/model_state.h"
#include "util/errors.h"

namespace vildo {

// An error in the year's predation kills: reported like a controller failure, not like a failed year.
struct PredationError : VildoError {
    using VildoError::VildoError;
};

// Cows and bulls side by side, in that order: one class of one quantity.
using Pair = double __attribute__((vector_size(16)));

// The age classes that the model year reads and writes, for a run of years: each class's cows and bulls lie
// side by side, so that a year loads and stores both at once instead of gathering them from the records'
// separate arrays. `store` brings the records up to date and hands them back; a run that ends holding the
// classes stores them then.
class PairedClasses {
public:
    explicit PairedClasses(ModelState& app);
    ~PairedClasses();
    PairedClasses(const PairedClasses&) = delete;
    PairedClasses& operator=(const PairedClasses&) = delete;

    void load();   // from the records, which something other than the model year changed
    void store();  // to the records, which are then the ones to change

    Pair winter[kAges], summer[kAges], deadSummer[kAges], deadWinter[kAges];
    Pair shot[kHarvestAges];
    Pair mortWeight[kAges], weight[kHarvestAges];  // read only

private:
    struct Pairing {
        Pair* classes;
        double *female, *male;
        int n;
    };
    std::array<Pairing, 5> written();

    ModelState& app_;
    bool held_ = false;  // the classes are newer than the records
};

// One model year: aging and births, summer, the deterministic hunt, winter. On its own it works on the
// records; a run of years passes its classes.
void Processpop(ModelState& app);
void Processpop(ModelState& app, PairedClasses& c);
// A new hunting area keeps the density of the stock, not its head count: the next equilibrium run carries
// on from this stock, and a few thousand moose of the previous area spread over the whole country would be
// taken by the new area's predators in the first year and never recover.
void scaleStockToArea(ModelState& app, int32_t oldKha, int32_t newKha);

}  // namespace vildo
