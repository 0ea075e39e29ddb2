// host/autopilot.cpp: how the simulator takes a plug-in's write of the
// autopilot state: as presses of the mode buttons, not as a new state.
#include "xphost.h"

namespace xphost {
namespace {

constexpr int kLateral = 2 | 4 | 512 | 8192 | 32768;
constexpr int kVertical = 8 | 16 | 64 | 128 | 2048 | 16384 | 65536 | 262144;
constexpr int kThrottle = 1;

int axis_of(int bit)
{
    if (bit & kLateral) return kLateral;
    if (bit & kVertical) return kVertical;
    if (bit & kThrottle) return kThrottle;
    return 0;                                // an arming bit: a toggle of its own
}

}  // namespace

int autopilot_after_presses(int state, int pressed)
{
    for (int b = 0; b < 31; ++b) {
        const int bit = 1 << b;
        if (!(pressed & bit))
            continue;
        if (state & bit)
            state &= ~bit;                   // pressed again: off
        else
            state = (state & ~axis_of(bit)) | bit;
    }
    return state;
}

}  // namespace xphost
