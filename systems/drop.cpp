// systems/drop.cpp: CheckDROP, the loop of the fighters and bombers. It works
// out from the weapon stations what the pilot has loaded (drop tanks, T-Stoff
// tanks, the rocket unit, JATO units), sets the aircraft up for it, and once a
// second runs the JATO sequences, meters the rocket's propellant and tracks
// the drop-tank fuel. The custom data window shows what it leaves here.
#include <cstring>
#include "systems/stores.h"
#include "XPLMDataAccess.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "common/first_action.h"
#include "common/hostvalues.h"
#include "common/gearlights.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "display/parameter.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

int     DTANKsize[9] = {};
uint8_t JATOreleasing = 0;

namespace {

// Ten stations are read; 0 to 8 can carry tanks. A load counts as changed
// when the first 27 bytes of the station statuses differ: stations 0 to 5 and
// the low bytes of station 6.
enum { ReadStations = 10, TankStations = 9, StatusBytes = 27 };

const int DropTankType = 23;

// Each window is the tank's nominal fuel mass, exclusive at both ends, so a
// tank is never counted twice.
struct DropTankRow {
    float   above, below;   // fuel capacity, kg
    int     size;           // litres or US gallons
    float   empty;          // kg
    uint8_t gallon;
};
const DropTankRow DropTankRows[] = {
    {241.38f, 244.62f, 300, 20.41f, 0},
    {403.38f, 406.62f, 500, 35.38f, 0},
    {808.38f, 811.62f, 1000, 45.36f, 0},
    {499.89673908f, 512.16414372f, 165, 27.22f, 1},
    {760.57908768f, 772.84649232f, 250, 31.75f, 1},
    {913.92164568f, 926.18905032f, 300, 46.27f, 1},
};

// Full masses of the other stores, kg.
const float TstoffAbove = 28.5763149f, TstoffBelow = 30.3906841f;
const float RocketUnitAbove = 139.7064284f, RocketUnitBelow = 140.613613f;
const float JatoUnitAbove = 124.2842902f, JatoUnitBelow = 125.1914748f;

bool InWindow(float value, float above, float below) { return value > above && value < below; }
bool Unreleased(int station) { return Weapon_status[station] == 0; }

bool Bomber() { return FamilyOf(Ident).bomberJato != 0; }

// A flow or a mass the host gives that cannot be one counts as nothing; none
// is larger than a thousand tonnes (a second), so sums of them stay finite.
float Amount(float value) { return HostFiniteFloat(value, 0.0f, 1.0e6f, 0.0f); }

// ---- tick 2

// Tank 2 has run dry while selected: the selector moves on to tank 4.
void SelectTankFour(bool dry)
{
    if (dry && fuel_tank_selector == 2) {
        fuel_tank_selector = 4;
        XPLMSetDatai(dr_fuel_tank_selector, fuel_tank_selector);
    }
}

void LightsAndTanks()
{
    autopilot_mode = XPLMGetDatai(dr_autopilot_mode);
    LightsFollowGear();
    const TankSwitch when = FamilyOf(Ident).tankSwitch;
    if (when != TankSwitchNone) {
        fuel_2 = XPLMGetDataf(dr_fuel_2);
        SelectTankFour(when == TankSwitchDry ? fuel_2 <= 0.0f : fuel_2 < 3.0f);
    }
}

// ---- tick 5: what hangs on the stations

void BomberJatoEngines(int engines)
{
    SetEngineCount(engines);
    ReadMixtures(8);
    engine_Mix[6] = 0.0f;
    engine_Mix[7] = 0.0f;
    WriteMixtures(8);
}

void TankStation(int i)
{
    // The two-station mass read starts one below the last tank.
    DTANKstation = i - 1;
    for (const DropTankRow& row : DropTankRows) {
        if (!InWindow(fuel_warhead_mass_max[i], row.above, row.below))
            continue;
        DTANKsize[i] = row.size;
        DTANKempty += row.empty;
        ++DTANKnumber;
        FUELisGallon = row.gallon;
    }
    if (InWindow(total_weapon_mass_max[i], TstoffAbove, TstoffBelow)) {
        ++TTANKnumber;
        if (Tstoff == 0.0f) {
            Tstoff = 972.0f;
            Cstoff = 324.0f;
        }
    }
}

void EvaluateLoad()
{
    XPLMGetDatavi(dr_Weapon_status[0], Weapon_status, 0, ReadStations);
    if (std::memcmp(Weapon_status, Weapon_status1, StatusBytes) == 0)
        return;
    XPLMGetDatavf(dr_Weapon_fuel_warhead_mass_max[0], fuel_warhead_mass_max, 0, ReadStations);
    XPLMGetDatavf(dr_total_weapon_mass_max[0], total_weapon_mass_max, 0, ReadStations);
    XPLMGetDatavi(dr_Weapon_type[0], Weapon_type, 0, ReadStations);

    DTANKempty = DTANKfuel = 0.0f;
    DTANKnumber = TTANKnumber = 0;
    DTANKgauge = HWKgauge = JATOgauge = JATO287gauge = 0;
    FUELisGallon = 0;
    Tstoff = Cstoff = 0.0f;
    PARAMETERlinUP = PARAMETERlinDOWN = 0;
    DTANKstation = 0;

    for (int i = 0; i < TankStations; ++i) {
        if (Weapon_type[i] == DropTankType && Unreleased(i))
            TankStation(i);
        if (DTANKnumber == 0)
            puffers_on = 1;
        if (DTANKnumber >= 1) {
            DTANKgauge = 1;
            PARAMETERlinUP = 2;
        } else {
            DTANKgauge = 0;
        }
    }
    PARAMETERlinDOWN = WEAPONnumber + 1;
    MeasurePanel();

    HWKgauge = 0;
    const RocketKind rocket = FamilyOf(Ident).rocket;
    if (rocket == TstoffRocket && TTANKnumber > 0) {
        HWKgauge = 1;
        PARAMETERlinUP = 3;
    }
    // The rocket wing's rocket is engine 3 and needs its unit on station 1.
    if (rocket == UnitRocket) {
        if (TTANKnumber >= 1 && Unreleased(1)
            && InWindow(total_weapon_mass_max[1], RocketUnitAbove, RocketUnitBelow)) {
            HWKgauge = 1;
            PARAMETERlinUP = 3;
            SetEngineCount(3);
        } else {
            SetEngineCount(2);
            ReadMixtures(4);
            engine_Mix[2] = 0.0f;
            engine_Mix[3] = 0.0f;
            WriteMixtures(4);
        }
    }

    if (!Bomber()) {
        if (Unreleased(0) && InWindow(total_weapon_mass_max[0], JatoUnitAbove, JatoUnitBelow)) {
            PARAMETERlinUP = 3;
            JATOgauge = 1;
            JATOleft = 30.0f;
        } else {
            JATOgauge = 0;
            JATOleft = 0.0f;
        }
        XPLMSetDataf(dr_JATOleft, JATOleft);
    } else if (Unreleased(1) && InWindow(total_weapon_mass_max[1], JatoUnitAbove, JatoUnitBelow)) {
        // The bombers' JATO units run as engines 7 and 8, idle until ignition.
        JATO287gauge = 1;
        PARAMETERlinUP = 3;
        WriteFiringMode(1);
        BomberJatoEngines(8);
        JATOmass = 100.0f;
        m_jettison = JATOmass;
        XPLMSetDataf(dr_m_jettison, m_jettison);
    } else {
        BomberJatoEngines(6);
        JATOmass = 0.0f;
        m_jettison = 0.0f;
        XPLMSetDataf(dr_m_jettison, m_jettison);
    }

    MeasurePanel();
    std::memcpy(Weapon_status1, Weapon_status, StatusBytes);
}

// ---- tick 8

void WriteBombsArmed(int on)
{
    bombs_armed = on != 0;
    WriteHeldControl(HeldBombsArmed, bombs_armed);
}

void WriteGearHandle(int down)
{
    gear_handle_status = down != 0;
    XPLMSetDatai(dr_gear_handle_status, gear_handle_status);
}

void FighterReleaseUp()
{
    WriteBombsArmed(0);
    WriteHeldControl(HeldFireKey, 0);
    JATOreleasing = 0;
    TIMERval_2 = 0;
    TIMER_2 = 0;
}

void BomberReleaseUp()
{
    WriteHeldControl(HeldFireKey, 0);
    WriteFiringMode(0);
    WriteBombsArmed(0);
    JATOreleasing = 0;
    TIMER_3 = 0;
    TIMERval_3 = 0;
}

// The host's own JATO, fitted as a unit on station 0. The pilot fires it;
// the host counts its burn time down.
void FighterJato()
{
    // A reading that is no number keeps the last: it must neither drop the
    // unit nor show on the data window.
    JATOleft = HostFiniteFloat(XPLMGetDataf(dr_JATOleft), -1.0e6f, 1.0e6f, JATOleft);
    // The gear stays down while a unit hangs under the aircraft.
    gear_handle_status = XPLMGetDatai(dr_gear_handle_status) != 0;
    if (!gear_handle_status)
        WriteGearHandle(1);
    if (!(JATOleft <= 0.1f))
        return;

    TIMER_1 = 1;
    TIMER_2 = 1;
    if (TIMERval_1 > 19) {
        if (true_airspeed > 40.0f) {
            WriteBombsArmed(1);
            WriteHeldControl(HeldFireKey, 1);
            JATOreleasing = 1;
            WriteGearHandle(0);
        } else {
            // Too slow to drop it: another 30 s for another run, timed afresh.
            JATOleft = 30.0f;
            XPLMSetDataf(dr_JATOleft, JATOleft);
            TIMERval_2 = 0;
            TIMER_2 = 0;
        }
        TIMERval_1 = 0;
        TIMER_1 = 0;
    }
    if (TIMERval_2 > 49 && true_airspeed > 40.0f) {
        JATOgauge = 0;
        FighterReleaseUp();
    }
}

// The bombers' units are engines 7 and 8 with 100 kg of propellant.
void BomberJato()
{
    if (true_airspeed > 60.0f && TIMERval_3 == 0) {
        ReadMixtures(8);
        engine_Mix[6] = 1.0f;
        engine_Mix[7] = 1.0f;
        WriteMixtures(8);
    }
    if (engine_Mix[6] == 1.0f)
        JATOmass -= 3.0f;
    if (!(JATOmass <= 0.0f))
        return;

    JATOmass = 0.0f;
    TIMER_1 = TIMER_2 = TIMER_3 = 1;
    if (TIMERval_1 > 10) {
        ReadMixtures(8);
        engine_Mix[6] = 0.0f;
        engine_Mix[7] = 0.0f;
        WriteMixtures(8);
        TIMER_1 = 0;
        TIMERval_1 = 0;
    }
    if (TIMERval_2 > 24) {
        WriteFiringMode(1);
        WriteBombsArmed(1);
        WriteHeldControl(HeldFireKey, 1);
        JATOreleasing = 1;
        TIMER_2 = 0;
        TIMERval_2 = 0;
    }
    if (TIMERval_3 > 30) {
        JATO287gauge = 0;
        BomberReleaseUp();
    }
}

// The release of the spent units changes their station, and the evaluation
// that follows clears the gauge before its sequence has let go of the
// release: let go on the sequence's own time.
void SpentJatoGone()
{
    if (Bomber()) {
        if (TIMERval_3 > 30)
            BomberReleaseUp();
    } else if (TIMERval_2 > 49) {
        FighterReleaseUp();
    }
}

// T-Stoff, with C-Stoff at a third of it, while the pilot runs the rocket.
void RocketEngine()
{
    XPLMGetDatavf(dr_engine_FF[0], engine_FF, 0, 4);
    verbrauch_tstoff = (Amount(engine_FF[2]) + Amount(engine_FF[3])) * 1000.0f;
    if (Tstoff > 1.0f) {
        Tstoff -= verbrauch_tstoff;
        Cstoff = Tstoff * 0.333333f;
    } else {
        Tstoff = 1.0f;
        Cstoff = 0.333333f;
    }
    // In the second the subtraction overshoots, the load stays a mass.
    m_jettison = Tstoff + Cstoff > 0.0f ? Tstoff + Cstoff : 0.0f;
    XPLMSetDataf(dr_m_jettison, m_jettison);

    TCduration = verbrauch_tstoff > 0.00001f ? Tstoff / verbrauch_tstoff : Tstoff / 5.555555f;
    if (Tstoff == 0.0f || Tstoff == 1.0f) {
        ReadMixtures(4);
        engine_Mix[2] = 0.0f;
        engine_Mix[3] = 0.0f;
        puffers_on = 0;
        WriteMixtures(4);
    }
    XPLMSetDatai(dr_puffers_on, puffers_on);
}

void DropTankFuel()
{
    // A single tank on station 0 is read with station 1, never before the array.
    int first = DTANKstation < 0 ? 0 : DTANKstation;
    if (first > dr_Weapon_total_weapon_mass_now_slots - 2)
        first = dr_Weapon_total_weapon_mass_now_slots - 2;
    XPLMGetDatavf(dr_Weapon_total_weapon_mass_now[0], total_weapon_mass_now + first, first, 2);
    DTANKfuel = Amount(total_weapon_mass_now[first]) + Amount(total_weapon_mass_now[first + 1]) - DTANKempty;
    puffers_on = DTANKfuel > 2.0f;
    XPLMSetDatai(dr_puffers_on, puffers_on);
}

void OnceASecond()
{
    paused = XPLMGetDatai(dr_paused) != 0;
    sim_speed = XPLMGetDatai(dr_sim_speed);
    if (paused)
        return;
    if (JATOgauge)
        FighterJato();
    if (JATO287gauge)
        BomberJato();
    if (JATOreleasing && !JATOgauge && !JATO287gauge)
        SpentJatoGone();
    if (HWKgauge)
        RocketEngine();
    if (DTANKgauge)
        DropTankFuel();
}

}  // namespace

float CheckDROP(float elapsedSinceLastCall, float, int, void*)
{
    Timer();
    // The data window works speeds and ranges out of it.
    true_airspeed = HostFiniteFloat(XPLMGetDataf(dr_true_airspeed), -1.0e6f, 1.0e6f, 0.0f);
    PARAMETERTrackWeapons();

    switch (sectimer) {
    case 2: LightsAndTanks(); break;
    case 5: EvaluateLoad();   break;
    case 8: OnceASecond();    break;
    default:                  break;
    }
    return TickInterval(elapsedSinceLastCall, CheckDROPCallback);
}

// A release of spent JATO units still pressed is let go: the fire key, the
// arming and, on the bombers, the firing mode. After a disable the stores go
// on where they were (a release not yet made is pressed again). Otherwise the
// weapon stations listed belong to the aircraft loaded now, so they are listed
// afresh by its first action.
void DROPReset(ResetReason why)
{
    if (JATOreleasing) {
        if (Bomber())
            BomberReleaseUp();
        else
            FighterReleaseUp();
    }
    if (why == ResetDisable)
        return;
    WEAPONnumber = 0;
    for (int& station : WEAPONstat)
        station = 0;
    PARAMETERlinUP = PARAMETERlinDOWN = 0;
    DTANKgauge = HWKgauge = JATOgauge = JATO287gauge = 0;
    FUELisGallon = 0;
    DTANKempty = DTANKfuel = 0.0f;
    Tstoff = Cstoff = 0.0f;
    verbrauch_tstoff = TCduration = 0.0f;
    DTANKnumber = TTANKnumber = DTANKstation = 0;
    for (int& size : DTANKsize)
        size = 0;
    JATOleft = 0.0f;
    JATOmass = 0.0f;
    JATOreleasing = 0;
    TIMER_1 = TIMER_2 = TIMER_3 = 0;
    TIMERval_1 = TIMERval_2 = TIMERval_3 = 0;
}

// The QZT key of a rocket variant: the rocket's engines on or off together
// (engines 3 and 4 on T-Stoff, engine 3 with the rocket unit).
void RocketKey()
{
    const int engines = FamilyOf(Ident).rocket == TstoffRocket ? 4 : 3;
    if (FamilyOf(Ident).rocket == NoRocket)
        return;
    ReadMixtures(engines);
    const float mix = engine_Mix[2] == 0.0f ? 1.0f : 0.0f;
    for (int e = 2; e < engines; ++e)
        engine_Mix[e] = mix;
    WriteMixtures(engines);
}
