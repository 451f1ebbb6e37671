#include "calibration/search_step.h"

namespace vildo {

std::optional<SearchStep> searchStep(int Ho, double H, int Ro, double R) {
    if (Ho > H && Ro < R) return SearchStep{C::Trk_density, 1};
    if (Ro < R) return SearchStep{C::Trk_barkraftovrig, R - Ro > 2 ? -3 : -1};
    if (Ho < H) return SearchStep{C::Trk_density, H - Ho > 2 ? -3 : (Ro - R <= 2 ? -1 : -3)};
    if (Ro > R) return SearchStep{C::Trk_barkraftovrig, Ro - R > 2 ? 3 : 1};
    return std::nullopt;
}

}  // namespace vildo
