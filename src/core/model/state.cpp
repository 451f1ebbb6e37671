#include "model/state.h"

#include "model/parameters.h"

namespace vildo {

Vildo::Vildo(Prompts& p, Platform pl)
    : prompts(&p), platform(std::move(pl)), controls(designControls()), timers(designTimers()) {
    wireModelHandlers(controls);
}

}  // namespace vildo
