// systems/stores.cpp: drop tanks, JATO and rocket engines of the fighter and
// bomber families.
#include "systems/stores.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "common/first_action.h"
#include "display/geometry.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

uint8_t takeoff = 0;
uint8_t JATOon = 0;
float   JATOmass = 0.0f;
uint8_t DTANKgauge = 0, HWKgauge = 0, JATOgauge = 0, JATO287gauge = 0;
uint8_t FUELisGallon = 0;
float   DTANKempty = 0.0f, DTANKfuel = 0.0f;
float   Tstoff = 0.0f, Cstoff = 0.0f;
int     DTANKnumber = 0, TTANKnumber = 0, DTANKstation = 0;
float   verbrauch_tstoff = 0.0f;
float   TCduration = 0.0f;

// Tank loads in kg, single precision as the models' fuel tables give them.
static const float FuelSF1 = 729.149597f;
static const float FuelVeyraMain = 758.406311f;
static const float FuelVeyraRear = 478.993469f;
static const float FuelVeyraBomberMain = 664.966309f;
static const float FuelGrauhorn = 758.009399f;
static const float FuelGrauhornT = 1516.0188f;

static void WriteSelector(int selector)
{
    fuel_tank_selector = selector;
    XPLMSetDatai(dr_fuel_tank_selector, fuel_tank_selector);
}

static void WriteTransfer(int transfer) { XPLMSetDatai(dr_fuel_tank_transfer, transfer); }

// The fighters fly with a pilot's payload and the HUD off.
static void FighterCockpit()
{
    WriteFixedMass(100.0f);
    HUD_on = 0;
    XPLMSetDatai(dr_HUD_on, HUD_on);
}

// Engines 3 and 4 of the rocket-boosted variants are the rocket units.
static void RocketVariantSetup()
{
    ReadMixtures(4);
    engine_Mix[0] = 1.0f;
    engine_Mix[1] = 1.0f;
    engine_Mix[2] = 0.0f;
    engine_Mix[3] = 0.0f;
    WriteMixtures(4);
    WriteFiringMode(1);
}

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
    // The load was evaluated before this count: the box takes the new rows now.
    if (WEAPONnumber > 0) {
        PARAMETERlinDOWN = WEAPONnumber + 1;
        MeasurePanel();
    }
}

void StormfalkFirstAction()
{
    FighterCockpit();
    if (Ident == 13)
        RocketVariantSetup();
    if (SlotIn(Ident, 9, 11)) {
        // Tank 3 keeps what the aircraft file gives it.
        fuel_1 = FuelSF1;
        fuel_2 = fuel_1 / 2.0f;
        WriteTanks(false);
        WriteSelector(2);
    }
    CountWeapons();
}

void BrannocFirstAction()
{
    FighterCockpit();
    WriteTransfer(2);
    CountWeapons();
}

void VeyraFirstAction()
{
    FighterCockpit();
    if (Ident == 23)
        RocketVariantSetup();
    if (Ident == 22 || Ident == 23) {
        fuel_1 = FuelVeyraMain;
        fuel_2 = FuelVeyraRear;
        fuel_3 = fuel_1;
    } else {
        // Tanks 1 and 3 are a share of the main tank; the share is a double.
        const double wing = Ident == 24 ? 0.666 : 0.5;
        fuel_2 = FuelVeyraBomberMain;
        fuel_1 = static_cast<float>(fuel_2 * wing);
        fuel_3 = static_cast<float>(fuel_2 * wing);
    }
    WriteTanks(true);
    WriteSelector(4);
    WriteTransfer(2);
    CountWeapons();
}

// The bombers' JATO packs are engines 7 and 8, idle until ignition.
void GrauhornPreset()
{
    JATOmass = 100.0f;
    SetEngineCount(8);
    ReadMixtures(8);
    engine_Mix[6] = 0.0f;
    engine_Mix[7] = 0.0f;
    WriteMixtures(8);
}

void GrauhornFirstAction()
{
    fuel_1 = Ident == 26 ? FuelGrauhorn : FuelGrauhornT;
    fuel_2 = fuel_1 * (Ident == 26 ? 4.0f : 2.0f);
    fuel_3 = fuel_1;
    WriteTanks(true);
    WriteSelector(2);
    WriteFixedMass(300.0f);
    CountWeapons();
}
