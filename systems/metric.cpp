// systems/metric.cpp
#include "systems/metric.h"
#include <cmath>
#include "XPLMDataAccess.h"
#include "XPLMGraphics.h"
#include "aircraft/presets.h"
#include "common/hostvalues.h"
#include "display/geometry.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"

int   intBuffer1 = 0;
float ap_altitude_m = 0.0f;

// Nothing the host reports lies further than this from the panel's origin,
// and no dialled altitude is higher (about 25,000 km); a reading that is no
// number counts as 0.
static const float FarEnough = 1.0e6f;

static double Bounded(float reading, float limit) { return HostFiniteFloat(reading, -limit, limit, 0.0f); }

// floor in floating point, then truncated to whole pixels
static int PanelPixel(double position) { return static_cast<int>(std::floor(position)); }

static void Figure(int x, int y, float value)
{
    XPLMDrawNumber(colorW2, x, y, value, 5, 0, 1, xplmFont_Basic);
}

int MetricAUTODrawCallback(XPLMDrawingPhase, int, void*)
{
    total_pnl_b = XPLMGetDataf(dr_total_pnl_b);
    total_pnl_l = XPLMGetDataf(dr_total_pnl_l);
    const double left = Bounded(total_pnl_l, FarEnough), bottom = Bounded(total_pnl_b, FarEnough);
    const int x = PanelPixel(left) + MetricALTx;

    ap_altitude = XPLMGetDataf(dr_ap_altitude);
    // rounded down to whole 25 m steps, toward zero
    intBuffer1 = static_cast<int>(Bounded(ap_altitude, FarEnough / 0.3048f) * 0.3048 / 25.0);
    ap_altitude_m = static_cast<float>(intBuffer1 * 25);

    if (showFeetAP) {
        Figure(x, PanelPixel(MetricALTy + 8 + bottom), static_cast<float>(Bounded(ap_altitude, FarEnough / 0.3048f)));
        Figure(x, PanelPixel(MetricALTy - 2 + bottom), ap_altitude_m);
    } else {
        Figure(x, PanelPixel(MetricALTy + bottom), ap_altitude_m);
    }
    return 1;
}
