#include "app/GammaLimit.h"

#include <cstdint>

#include "app/Platform.h"

GammaLimit ReadGammaLimit() {
    std::int64_t written = 0;
    if (!TheShell().GammaRangeLifted(written))
        return GammaLimit::InForce;
    return written > TheShell().SignInTime() ? GammaLimit::LiftedAtNextSignIn : GammaLimit::Lifted;
}
