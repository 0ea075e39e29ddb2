// The load preset of each family: what reaches the host, in order, and the
// state it leaves for the model's loops.
#include <string>
#include <vector>
#include "support/plugin_fixture.h"
#include "support/write_log.h"
#include "aircraft/presets.h"
#include "carrier/camera.h"
#include "carrier/carrier.h"
#include "carrier/panel.h"
#include "carrier/zoom.h"
#include "common/keys.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"
#include "systems/glider.h"
#include "systems/hyper.h"
#include "systems/korva.h"
#include "systems/stores.h"

namespace {

using Lines = std::vector<std::string>;
const Lines CommonStart = {"ENGN_thro_use: 1 1", "acf_throtmax_FWD: 1"};

Lines Plus(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class Preset : public PluginTest {
protected:
    // Loads an aircraft and returns what the load wrote to the host.
    Lines Load(const std::string& description)
    {
        xphost::clear_writes();
        xphost::load_aircraft(description);
        return WriteLines();
    }

    // State the common start must clear, left dirty by an earlier flight.
    void Dirty()
    {
        takeoff = JATOon = DTANKgauge = HWKgauge = JATOgauge = JATO287gauge = FUELisGallon = 1;
        DTANKempty = DTANKfuel = Tstoff = Cstoff = 5.0f;
        DTANKnumber = TTANKnumber = DTANKstation = 3;
        TIMER_1 = TIMER_2 = TIMER_3 = 1;
        TIMERval_1 = TIMERval_2 = TIMERval_3 = 42;
        Weapon_status1[2] = 1;
    }

    void ExpectCleared()
    {
        EXPECT_EQ(takeoff + JATOon + DTANKgauge + HWKgauge + JATOgauge + JATO287gauge + FUELisGallon, 0);
        EXPECT_EQ(DTANKempty + DTANKfuel + Tstoff + Cstoff, 0.0f);
        EXPECT_EQ(DTANKnumber + TTANKnumber + DTANKstation, 0);
        EXPECT_EQ(TIMER_1 + TIMER_2 + TIMER_3, 0);
        EXPECT_EQ(TIMERval_1 + TIMERval_2 + TIMERval_3, 0);
        EXPECT_EQ(Weapon_status1[2], 99);
    }
};

// Without a model only the common start reaches the host.
TEST_F(Preset, NoModelGetsOnlyTheCommonStart)
{
    Dirty();
    showInitialInfo = 0;
    EXPECT_EQ(Load("Piper PA-44 Seminole"), CommonStart);
    ExpectCleared();
    EXPECT_EQ(UNITisENGLISH, 0);
    EXPECT_EQ(xphost::loop_registrations(CheckDROP), 0);
    EXPECT_EQ(INFOlin, 4);
    EXPECT_EQ(INFOon1, 0);

    // A crash without a model applies the same.
    Dirty();
    xphost::clear_writes();
    xphost::crash();
    EXPECT_EQ(WriteLines(), CommonStart);
    ExpectCleared();
}

TEST_F(Preset, AirlinersOrbitersAndSecondCarrierGetOnlyTheCommonStart)
{
    CAMERAid = 7;
    zlevel1 = 1.0f;
    for (const char* d : {"QZT Lumen 260 airliner", "QZT Ascender-C cargo orbiter", "QZT Skyhoist II carrier",
                          "QZT Halvik-S VTOL scout"}) {
        SCOPED_TRACE(d);
        Dirty();
        EXPECT_EQ(Load(d), CommonStart);
        ExpectCleared();
        EXPECT_EQ(xphost::loop_registrations(CheckDROP), 0);
        EXPECT_FALSE(MetricDrawn());
    }
    EXPECT_EQ(CAMERAid, 7);
    EXPECT_EQ(zlevel1, 1.0f);
}

// The metric read-out sits at a different panel place per family; the
// twin fighters have none and show English units instead.
TEST_F(Preset, EquipmentByFamily)
{
    struct Case { const char* d; int slot; int drop, metric, x, y, english; };
    const Case cases[] = {
        {"QZT Stormfalk SF-3 swept wing", 12, 1, 1, 182, 340, 0},
        {"QZT Brannoc floatplane", 19, 1, 0, 0, 0, 1},
        {"QZT Veyra flying wing trainer", 25, 1, 1, 310, 388, 0},
        {"QZT Grauhorn G-6 bomber", 26, 1, 1, 202, 568, 0},
        {"QZT Solace HX hypersonic business jet", 28, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.d);
        MetricALTx = MetricALTy = 0;
        xphost::load_aircraft(c.d);
        ASSERT_EQ(Ident, c.slot);
        EXPECT_EQ(xphost::loop_registrations(CheckDROP), c.drop);
        EXPECT_EQ(MetricDrawn(), c.metric != 0);
        EXPECT_EQ(MetricALTx, c.x);
        EXPECT_EQ(MetricALTy, c.y);
        EXPECT_EQ(UNITisENGLISH, c.english);
        EXPECT_EQ(INFOlin, IdPlane[c.slot].infoCount + IdPlane[c.slot].extraCount + 4);
    }
}

// The flying wing with the extra block sizes the handbook by both blocks,
// and the geometry is measured with it.
TEST_F(Preset, HandbookLinesIncludeTheExtraBlock)
{
    xphost::load_aircraft("QZT Veyra rocket wing");
    EXPECT_EQ(INFOlin, 13 + 2 + 4);
    EXPECT_EQ(INFOwy2, INFOwy1 - 15 * INFOlin - 20);
}

// Slot 25 is a flying wing but not a bomber: no eight-engine set-up.
TEST_F(Preset, BombersGetEightEnginesWithJatoIdle)
{
    xphost::set_vf("sim/flightmodel/engine/ENGN_mixt", {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.9f, 0.9f});
    EXPECT_EQ(Load("QZT Veyra flying wing trainer"), CommonStart);

    EXPECT_EQ(Load("QZT Grauhorn G-6T glide bomb carrier"),
              Plus(CommonStart, {"acf_num_thrustpoints: 8", "acf_num_engines: 8",
                                 "ENGN_mixt: 0.5 0.5 0.5 0.5 0.5 0.5 0 0"}));
    EXPECT_EQ(JATOmass, 100.0f);
    EXPECT_EQ(num_engines, 8);
}

TEST_F(Preset, HalvikStartsWithTheDefaultLoad)
{
    Halv_TO_mode = 1;
    EXPECT_EQ(Load("QZT Halvik VTOL transport"), Plus(CommonStart, {"m_fixed: 500"}));
    EXPECT_EQ(Halv_TO_mode, 3);
    EXPECT_FLOAT_EQ(fuel_tot, 32500.0f / 2.204623f);
}

TEST_F(Preset, GliderStartsWithItsEngineOut)
{
    engOn = gearstat = propstat = mixstat = 0;
    EXPECT_EQ(Load("QZT Windling motor hang glider"),
              Plus(CommonStart, {"swdirqst: 0", "acf_gear_leglen: 0.609600008 0.609600008 0.409999996 0.409999996",
                                 "acf_num_thrustpoints: 1", "ENGN_mixt: 1"}));
    EXPECT_EQ(engOn + gearstat + propstat + mixstat, 4);
    EXPECT_EQ(PARAMETERlinUP, 4);
    EXPECT_EQ(PARAMETERlinDOWN, 1);
}

struct View { float fieldX, orX, fieldY1, fieldY2, fieldY3, orY; };

View ViewAt(int i)
{
    return {CAMERAfieldX[i], CAMERAorX[i], CAMERAfieldY1[i], CAMERAfieldY2[i], CAMERAfieldY3[i], CAMERAorY[i]};
}

void ExpectView(int i, View v)
{
    const View got = ViewAt(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(got.fieldX, v.fieldX);
    EXPECT_EQ(got.orX, v.orX);
    EXPECT_EQ(got.fieldY1, v.fieldY1);
    EXPECT_EQ(got.fieldY2, v.fieldY2);
    EXPECT_EQ(got.fieldY3, v.fieldY3);
    EXPECT_EQ(got.orY, v.orY);
}

void FillViews(float v)
{
    for (int i = 0; i < CameraViews; ++i)
        CAMERAfieldX[i] = CAMERAorX[i] = CAMERAfieldY1[i] = CAMERAfieldY2[i] = CAMERAfieldY3[i] = CAMERAorY[i] = v;
}

TEST_F(Preset, HypersonicJet)
{
    FillViews(-1.0f);
    xphost::set_f("sim/aircraft/engine/acf_tmax", 88000.0f);
    swdirqst1 = dihedral1 = thrust_maximum1 = 0.0f;
    CAMERAid = 3;
    CAMERAoff = 0;
    CAMERAon = 1;
    CAMERAzoom = 4.0f;

    EXPECT_EQ(Load("QZT Solace HX hypersonic business jet"), CommonStart);
    EXPECT_EQ(tmax_acf, 88000.0f);
    EXPECT_EQ(tmax_curr, 88000.0f);
    EXPECT_EQ(swdirqst1 + dihedral1 + thrust_maximum1, 297.0f);
    EXPECT_EQ(CAMERAid, 0);
    EXPECT_EQ(CAMERAoff, 1);
    EXPECT_EQ(CAMERAon, 0);
    EXPECT_EQ(CAMERAzoom, 1.0f);
    ExpectView(0, {360, 0, 90, 90, -60, 0});
    ExpectView(1, {270, 0, 90, 90, -60, 0});
    ExpectView(2, {270, 180, 90, 90, -60, 0});
    ExpectView(3, {270, 180, 90, 90, -60, 0});
    ExpectView(4, {-1, -1, -1, -1, -1, -1});
}

TEST_F(Preset, SkyhoistCarrier)
{
    FillViews(-1.0f);
    xphost::set_f("sim/aircraft/engine/acf_tmax", 250000.0f);
    // The orbiter's station mass goes out alone: the neighbours last read
    // (maybe by another aircraft) are not the carrier's to write.
    total_weapon_mass_max[0] = 11.0f;
    total_weapon_mass_max[1] = 22.0f;
    total_weapon_mass_max[3] = 44.0f;
    system21mes = system22mes = system23mes = system24mes = system25mes = 5;
    zoom_on = 4;
    water = prop_sync_on1 = ORBfuelgone = ORBemergout = 1;
    currmaxFWD2 = 0.5f;

    EXPECT_EQ(Load("QZT Skyhoist orbital carrier"),
              Plus(CommonStart, {"flaprqst: 0", "total_weapon_mass_max@2: 8000"}));

    EXPECT_EQ(JATOmass, 1400.0f);
    EXPECT_EQ(system21mes + system22mes + system23mes + system24mes + system25mes, 0);
    EXPECT_EQ(CAMERAid, 2);
    EXPECT_EQ(CAMERAoff, 1);
    EXPECT_EQ(currmaxFWD2, 1.0f);
    EXPECT_EQ(tmax_curr, 250000.0f);
    EXPECT_EQ(water + zoom_on + prop_sync_on1 + ORBfuelgone + ORBemergout, 0);
    // opposite last-written states, so the first pass writes both wing requests
    EXPECT_NE(ISsweep, ISsweep1);
    EXPECT_NE(ISdihedral, ISdihedral1);

    ExpectView(0, {-1, -1, -1, -1, -1, -1});
    ExpectView(1, {-1, -1, -1, -1, -1, -1});
    ExpectView(2, {360, 5, 90, 90, -60, -5});
    ExpectView(7, {170, 180, 40, 30, -30, 0});
    ExpectView(9, {360, 90, 90, 60, -60, 0});
    ExpectView(10, {-1, -1, -1, -1, -1, -1});
}

TEST_F(Preset, KorvaCameras)
{
    struct Case { const char* d; int id; float headingMax; };
    const Case cases[] = {
        {"QZT Korva K-2 light twin", 1, 7.0f},
        {"QZT Korva K-2T turbo twin", 1, 7.0f},
        {"QZT Korva K-3 utility twin", 0, 90.0f},
        {"QZT Korva K-4 trainer twin", 0, 45.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.d);
        FillViews(-1.0f);
        CAMERAheadingMax = 7.0f;
        CAMERAoff = 0;
        CAMERAzoom = 3.0f;
        EXPECT_EQ(Load(c.d), CommonStart);
        EXPECT_EQ(CAMERAid, c.id);
        EXPECT_EQ(CAMERAheadingMax, c.headingMax);
        EXPECT_EQ(CAMERAoff, 1);
        EXPECT_EQ(CAMERAzoom, 1.0f);
        ExpectView(0, {360, 0, 90, 90, -60, 0});
        ExpectView(1, {270, 0, 90, 90, -60, 0});
        ExpectView(2, {270, 90, 90, 90, -60, 0});
        ExpectView(3, {-1, -1, -1, -1, -1, -1});
    }
}

// An airport load re-applies the preset without touching the callbacks;
// the metric equipment stays set and the same values go out again.
TEST_F(Preset, AirportLoadRewritesTheSameValues)
{
    const Lines first = Load("QZT Grauhorn G-6 bomber");
    xphost::clear_writes();
    xphost::load_airport();
    EXPECT_EQ(WriteLines(), first);
    EXPECT_TRUE(MetricDrawn());
    EXPECT_EQ(Ident, 26);
}

TEST_F(Preset, HandbookOpensByPreference)
{
    showInitialInfo = 1;
    xphost::load_aircraft("QZT Vessa Space");
    EXPECT_EQ(INFOon1, 1);
    showInitialInfo = 0;
    xphost::load_airport();
    EXPECT_EQ(INFOon1, 0);
}

}  // namespace
