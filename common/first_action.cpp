// common/first_action.cpp: FIRSTAct, five seconds after a load, airport change
// or crash. By then the host has set the aircraft up from its own file, so
// this is where lights, payload, fuel and weapons are overridden.
#include "common/first_action.h"
#include "aircraft/models.h"
#include "aircraft/presets.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "frame/datarefs.h"

uint8_t FirstActReg = 0;
float   critalt1 = 0.0f, macheff1 = 0.0f, critalt2 = 0.0f, macheff2 = 0.0f;
int     WEAPONnumber = 0;
int     WEAPONstat[8] = {};

static bool InRange(int slot, int first, int last) { return slot >= first && slot <= last; }

static void WriteFixedMass(float kg)
{
    m_fixed = kg;
    XPLMSetDataf(dr_m_fixed, m_fixed);
}

static void WriteFiringMode(int mode)
{
    firing_mode = mode;
    XPLMSetDatai(dr_firing_mode, firing_mode);
}

static void Lights()
{
    beacon_lights_on = 0;
    landing_lights_on = 0;
    nav_lights_on = 1;
    strobe_lights_on = 0;
    taxi_light_on = 0;
    XPLMSetDatai(dr_beacon_lights_on, beacon_lights_on);
    XPLMSetDatai(dr_landing_lights_on, landing_lights_on);
    XPLMSetDatai(dr_nav_lights_on, nav_lights_on);
    XPLMSetDatai(dr_strobe_lights_on, strobe_lights_on);
    XPLMSetDatai(dr_taxi_light_on, taxi_light_on);
}

// The glider's two weapon selectors double as its engine and ballast switches.
static void GliderSetup()
{
    WriteFiringMode(1);
    firing_rate = 1;
    XPLMSetDatai(dr_firing_rate, firing_rate);
    mass_shift = 125.0f;
    m_fixed = 10.0f * firing_rate - 10.0f;
    XPLMSetDataf(dr_m_fixed, m_fixed);
    XPLMSetDataf(dr_mass_shift, mass_shift);
    swdirqst = 0.0f;
    XPLMSetDataf(dr_swdirqst, swdirqst);
}

// The Halvik's turbo mode is the aircraft file's own engine; ram mode has
// no critical altitude and reaches Mach 7.8.
static void HalvikModes()
{
    critalt1 = XPLMGetDataf(dr_critalt_curr);
    macheff1 = XPLMGetDataf(dr_macheff_curr);
    critalt2 = 0.0f;
    macheff2 = 7.8f;
}

// Engine 3 is the Vessa's space drive; it stays off until the key arms it.
static void VessaSetup()
{
    engine_Mix[0] = 1.0f;
    engine_Mix[1] = 1.0f;
    engine_Mix[2] = 0.0f;
    WriteFixedMass(250.0f);
    elvator_trim = 0.0f;
    XPLMSetDataf(dr_elvator_trim, elvator_trim);
    XPLMSetDatavf(dr_engine_Mix[0], engine_Mix, 0, 3);
    ap_altitude = 65000.0f;
    XPLMSetDataf(dr_ap_altitude, ap_altitude);
}

// Engines 3 and 4 of the rocket-boosted variants are the rocket units.
static void RocketVariantSetup()
{
    XPLMGetDatavf(dr_engine_Mix[0], engine_Mix, 0, 4);
    engine_Mix[0] = 1.0f;
    engine_Mix[1] = 1.0f;
    engine_Mix[2] = 0.0f;
    engine_Mix[3] = 0.0f;
    XPLMSetDatavf(dr_engine_Mix[0], engine_Mix, 0, 4);
    WriteFiringMode(1);
}

// Tank loads in kg, single precision as the models' fuel tables give them.
static const float FuelSF1 = 729.149597f;
static const float FuelVeyraMain = 758.406311f;
static const float FuelVeyraRear = 478.993469f;
static const float FuelVeyraBomberMain = 664.966309f;
static const float FuelGrauhorn = 758.009399f;
static const float FuelGrauhornT = 1516.0188f;
static const float FuelSolace = 6047.29248f;

static void WriteTanks(bool third)
{
    XPLMSetDataf(dr_fuel_1, fuel_1);
    XPLMSetDataf(dr_fuel_2, fuel_2);
    if (third)
        XPLMSetDataf(dr_fuel_3, fuel_3);
}

static void WriteSelector(int selector)
{
    fuel_tank_selector = selector;
    XPLMSetDatai(dr_fuel_tank_selector, fuel_tank_selector);
}

static void WriteTransfer(int transfer) { XPLMSetDatai(dr_fuel_tank_transfer, transfer); }

static void FuelLoad(int slot)
{
    if (InRange(slot, 9, 11)) {
        // Tank 3 keeps what the aircraft file gives it.
        fuel_1 = FuelSF1;
        fuel_2 = fuel_1 / 2.0f;
        WriteTanks(false);
        WriteSelector(2);
    } else if (slot == 22 || slot == 23) {
        fuel_1 = FuelVeyraMain;
        fuel_2 = FuelVeyraRear;
        fuel_3 = fuel_1;
        WriteTanks(true);
        WriteSelector(4);
        WriteTransfer(2);
    } else if (slot == 24 || slot == 25) {
        // Tanks 1 and 3 are a share of the main tank; the share is a double.
        const double wing = slot == 24 ? 0.666 : 0.5;
        fuel_2 = FuelVeyraBomberMain;
        fuel_1 = static_cast<float>(fuel_2 * wing);
        fuel_3 = static_cast<float>(fuel_2 * wing);
        WriteTanks(true);
        WriteSelector(4);
        WriteTransfer(2);
    } else if (slot == 26 || slot == 27) {
        fuel_1 = slot == 26 ? FuelGrauhorn : FuelGrauhornT;
        fuel_2 = fuel_1 * (slot == 26 ? 4.0f : 2.0f);
        fuel_3 = fuel_1;
        WriteTanks(true);
        WriteSelector(2);
    } else if (slot == 28) {
        fuel_1 = fuel_2 = fuel_3 = FuelSolace;
        WriteTanks(true);
    }
}

// The Solace's jettisonable load is its water for the injection, sized by the fuel.
static void SolaceWater()
{
    m_jettison = static_cast<float>((fuel_1 + fuel_2 + fuel_3) * 0.1 * 0.75);
    XPLMSetDataf(dr_m_jettison, m_jettison);
    WriteFiringMode(1);
}

// The Windows build of the Korva models carries a lighter cabin load.
#if IBM
static const float KorvaLoadTwin = 150.0f, KorvaLoadSmall = 85.0f;
#else
static const float KorvaLoadTwin = 330.0f, KorvaLoadSmall = 180.0f;
#endif

static bool TrackedWeapon(int type) { return type == 9 || type == 21 || type == 22 || type == 23; }

static void CountWeapons()
{
    XPLMGetDatavi(dr_Weapon_status[0], Weapon_status, 0, 10);
    XPLMGetDatavf(dr_Weapon_fuel_warhead_mass_max[0], fuel_warhead_mass_max, 0, 10);
    XPLMGetDatavf(dr_total_weapon_mass_max[0], total_weapon_mass_max, 0, 10);
    XPLMGetDatavi(dr_Weapon_type[0], Weapon_type, 0, 10);

    // Only the wing stations 0 to 7 carry weapons the custom data window lists.
    WEAPONnumber = 0;
    for (int station = 0; station < 8; ++station) {
        if (TrackedWeapon(Weapon_type[station]))
            WEAPONstat[WEAPONnumber++] = station;
    }
    if (WEAPONnumber > 0)
        PARAMETERlinDOWN = WEAPONnumber + 1;
}

float FIRSTAct(float, float, int, void*)
{
    const int slot = Ident;

    ind_airspeed = XPLMGetDataf(dr_ind_airspeed);
    CurrentAlt = XPLMGetDataf(dr_altitude);
    Lights();

    if (slot == 7)
        GliderSetup();
    if (slot == 1 || slot == 2)
        HalvikModes();
    if (slot == 3 || slot == 4)
        VessaSetup();
    if (slot == 5 || slot == 6)
        WriteFixedMass(150.0f);
    if (InRange(slot, 9, 25)) {
        WriteFixedMass(100.0f);
        HUD_on = 0;
        XPLMSetDatai(dr_HUD_on, HUD_on);
    }
    if (slot == 13 || slot == 23)
        RocketVariantSetup();
    FuelLoad(slot);
    if (slot == 28)
        SolaceWater();
    if (InRange(slot, 18, 21))
        WriteTransfer(2);
    if (slot == 26 || slot == 27)
        WriteFixedMass(300.0f);
    if (slot == 50 || slot == 51)
        WriteFixedMass(KorvaLoadTwin);
    if (slot == 52 || slot == 53)
        WriteFixedMass(KorvaLoadSmall);
    if (DROPequip)
        CountWeapons();

    INFOon = INFOon1;
    if (!INFOon)
        INFOfirstview = 0;

    FirstActReg = 0;
    return 0.0f;
}
