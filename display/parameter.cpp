// display/parameter.cpp: the custom data box. It is drawn by the draw
// function of an invisible click strip at the left screen edge; labels in the
// label colour with blanks left for the numbers drawn over them, numbers in
// the value colour, always asking for their sign. The blanks hold the widest
// figure in the basic font's 6-pixel cells, zero-padded or not.
#include "display/parameter.h"
#include <cmath>
#include "XPLMDataAccess.h"
#include "XPLMGraphics.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "aircraft/presets.h"
#include "common/first_action.h"
#include "common/hostvalues.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "frame/datarefs.h"
#include "systems/glider.h"
#include "systems/stores.h"

uint8_t PARAMETERon = 0;

int   w_sectenthbegin[LaunchStations] = {};
float w_msc_launch[LaunchStations] = {};
float msc_overlaunch[LaunchStations] = {};
float w_m_dist[LaunchStations] = {};
float WeaponsX1[LaunchStations] = {}, WeaponsY1[LaunchStations] = {}, WeaponsZ1[LaunchStations] = {};

float DTANKliter = 0.0f, DTANKgallon = 0.0f;
float DTANKdur = 0.0f;
float DTANKrange = 0.0f;

namespace {

enum { Rows = sizeof(PARAMETERrow) / sizeof(PARAMETERrow[0]) };

void Text(float* color, int x, int row, const char* text)
{
    if (row < 0 || row >= Rows)
        return;
    // The host takes a non-const pointer but only reads the text.
    XPLMDrawString(color, x, PARAMETERrow[row], const_cast<char*>(text), nullptr, xplmFont_Basic);
}

void Number(int x, int row, double value, int digits, int decimals)
{
    if (row < 0 || row >= Rows)
        return;
    XPLMDrawNumber(colorY, x, PARAMETERrow[row], value, digits, decimals, 1, xplmFont_Basic);
}

// A flow the host gives that cannot be one counts as none; none is larger
// than a thousand tonnes a second.
float Flow(float value) { return HostFiniteFloat(value, 0.0f, 1.0e6f, 0.0f); }

void Box() { XPLMDrawTranslucentDarkBox(PARAMETERwx1, PARAMETERwy1, PARAMETERwx2, PARAMETERwy2); }

enum { Cell = 6 };   // the basic font's character width, pixels

// The glider's figures sit in the seven blanks that open each label: a
// padded, negative 3.1 figure takes six.
void GliderGroup()
{
    Box();
    const struct {
        const char* label;
        float value;
        int decimals;
    } rows[] = {
        {"       LoD ratio", l_o_d, 1},   {"       km to seaL", rangeKM, 0},    {"       kmh true", true_airspeed, 1},
        {"       vvi m/s", sim_vvi, 1},   {"       kg shifted", mass_shift, 0}, {"       kg fix payload", m_fixed, 0},
    };
    int row = 1;
    for (const auto& r : rows) {
        Text(colorW, PARAMETERcolx1, row, r.label);
        Number(PARAMETERcolx1, row, r.value, 3, r.decimals);
        ++row;
    }
}

// ---- weapons group

// Speeds in km/h or knots, distances in km or nautical miles.
double Speed(float ms) { return UNITisENGLISH ? ms * 1.9438 : ms * 3.6; }
double Distance(float m) { return UNITisENGLISH ? m / 1852.0 : m / 1000.0; }

bool positionsRead = false;   // the weapons' positions of this frame

// Positions within a million kilometres and speeds within a thousand km a
// second, so every distance and difference stays a finite float.
void Finite(float* values, float limit)
{
    for (int s = 0; s < LaunchStations; ++s)
        values[s] = HostFiniteFloat(values[s], -limit, limit, 0.0f);
}

void ReadPositions()
{
    if (positionsRead)
        return;
    XPLMGetDatavf(dr_WeaponsX[0], WeaponsX, 0, LaunchStations);
    XPLMGetDatavf(dr_WeaponsY[0], WeaponsY, 0, LaunchStations);
    XPLMGetDatavf(dr_WeaponsZ[0], WeaponsZ, 0, LaunchStations);
    Finite(WeaponsX, 1.0e9f);
    Finite(WeaponsY, 1.0e9f);
    Finite(WeaponsZ, 1.0e9f);
    positionsRead = true;
}

void LaunchFigures(int s, int row)
{
    Number(PARAMETERcolx1, row, Speed(WeaponsV_msc[s]), 4, 0);
    Number(PARAMETERcolx2, row, Speed(msc_overlaunch[s]), 4, 0);
    Number(PARAMETERcolx3, row, Distance(w_m_dist[s]), 4, 2);
}

// Each weapon's reference is where it left the aircraft: a later launch of
// another station does not move it.
void InFlight(int s)
{
    ReadPositions();
    if (w_sectenthbegin[s] == 0) {
        w_msc_launch[s] = true_airspeed;
        // 0 means no record, so a launch seen in the very first tenth counts as 1
        w_sectenthbegin[s] = mis_seconds_tenth > 0 ? mis_seconds_tenth : 1;
        WeaponsX1[s] = WeaponsX[s];
        WeaponsY1[s] = WeaponsY[s];
        WeaponsZ1[s] = WeaponsZ[s];
    }
    msc_overlaunch[s] = WeaponsV_msc[s] - w_msc_launch[s];
    const double dx = WeaponsX[s] - WeaponsX1[s];
    const double dy = WeaponsY[s] - WeaponsY1[s];
    const double dz = WeaponsZ[s] - WeaponsZ1[s];
    w_m_dist[s] = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

void TrackWeapon(int s)
{
    switch (Weapon_status[s]) {
    case 0:
        w_sectenthbegin[s] = 0;
        msc_overlaunch[s] = 0.0f;
        w_m_dist[s] = 0.0f;
        break;
    case 1:
        InFlight(s);
        break;
    case 2:
        // Down: the figures stay as they were last measured.
        w_sectenthbegin[s] = 0;
        break;
    default:
        break;
    }
}

void WeaponRow(int s, int row)
{
    switch (Weapon_status[s]) {
    case 0:
        Text(colorY, PARAMETERwx1, row, " WEAPON KIND");
        Number(PARAMETERcolx3, row, Weapon_type[s], 2, 0);
        break;
    case 1:
    case 2:
        LaunchFigures(s, row);
        break;
    default:
        break;
    }
}

// The stations the box lists, in range.
int Listed() { return WEAPONnumber < 0 ? 0 : (WEAPONnumber > LaunchStations ? LaunchStations : WEAPONnumber); }

void DropTankRows()
{
    DTANKliter = DTANKfuel / 0.81f;
    DTANKgallon = DTANKfuel / 3.06685116f;
    XPLMGetDatavf(dr_engine_FF[0], engine_FF, 0, 2);
    // The small addend keeps an idle or stopped engine from dividing by zero.
    DTANKdur = DTANKfuel / (Flow(engine_FF[0]) + Flow(engine_FF[1]) + 0.0000001f);
    DTANKrange = DTANKdur * true_airspeed;
    // With the engines at idle the time and range are millions: shown as the
    // most their digits hold, so they stay inside the box.
    const int rangeX = PARAMETERwx1 + 18 * Cell;
    if (!FUELisGallon) {
        Text(colorW, PARAMETERwx1, 3, "  DROP TANKS       l");
        Text(colorW, PARAMETERwx1, 4, " DROP:        hrs      km");
        Number(PARAMETERcolx3, 3, DTANKliter, 5, 0);
        Number(rangeX, 4, std::fmin(DTANKrange / 1000.0f, 9999.0f), 4, 0);
    } else {
        Text(colorW, PARAMETERwx1, 3, "  DROP TANKS      ga");
        Text(colorW, PARAMETERwx1, 4, " DROP:        hrs      nm");
        Number(PARAMETERcolx3, 3, DTANKgallon, 4, 0);
        Number(rangeX, 4, std::fmin(DTANKrange / 1852.0f, 9999.0f), 4, 0);
    }
    Number(PARAMETERcolx1, 3, DTANKnumber, 1, 0);
    Number(PARAMETERcolx2, 4, std::fmin(DTANKdur / 3600.0f, 999.99f), 3, 2);
}

void RocketRows()
{
    Text(colorW, PARAMETERwx1, 4, verbrauch_tstoff > 0.000001f ? "   DUR         min" : "   DUR         (at max)");
    Text(colorW, PARAMETERwx1, 2, "TSTOFF     kg");
    Text(colorW, PARAMETERwx1, 3, "CSTOFF     kg");
    Number(PARAMETERcolx2, 4, std::fmin(TCduration / 60.0f, 9999.99f), 4, 2);   // a trickle of propellant lasts for ever
    Number(PARAMETERcolx2, 2, Tstoff, 4, 0);
    Number(PARAMETERcolx2, 3, Cstoff, 4, 0);
}

void WeaponsGroup()
{
    Box();
    const int listed = Listed();
    for (int i = 0; i < listed; ++i) {
        const int s = WEAPONstat[i];
        if (s >= 0 && s < LaunchStations)
            WeaponRow(s, 7 + i);
    }

    Text(colorW, PARAMETERwx1, 6, UNITisENGLISH ? "ABS/REL/DIST mph/mls" : "ABS/REL/DIST kmh/km");
    Text(colorW, PARAMETERwx1, 5, UNITisENGLISH ? " TRUE:         mph" : " TRUE:         kmh");
    Number(PARAMETERcolx2, 5, Speed(true_airspeed), 5, 1);

    if (DTANKgauge)
        DropTankRows();
    if (JATOgauge) {
        Text(colorW, PARAMETERwx1, 2, " JATO:      sec");
        Number(PARAMETERcolx2, 2, JATOleft, 3, 1);
    }
    if (JATO287gauge) {
        Text(colorW, PARAMETERwx1, 2, " JATO:      sec");
        Number(PARAMETERcolx2, 2, JATOmass / 3.0f, 3, 1);
    }
    if (HWKgauge)
        RocketRows();
}

}  // namespace

// A weapon's launch is recorded when it happens, whether or not the box is
// shown or drawn at all; the box only shows the figures.
void PARAMETERTrackWeapons()
{
    XPLMGetDatavi(dr_Weapon_status[0], Weapon_status, 0, LaunchStations);
    XPLMGetDatavf(dr_WeaponsV_msc[0], WeaponsV_msc, 0, LaunchStations);
    Finite(WeaponsV_msc, 1.0e6f);
    positionsRead = false;
    const int listed = Listed();
    for (int i = 0; i < listed; ++i) {
        const int s = WEAPONstat[i];
        if (s >= 0 && s < LaunchStations)
            TrackWeapon(s);
    }
}

void PARAMETERDrawWindowCallback(XPLMWindowID, void*)
{
    if (!PARAMETERon)
        return;
    switch (FamilyOf(Ident).dataWindow) {
    case DataWindowGlider: GliderGroup();  break;
    case DataWindowStores: WeaponsGroup(); break;
    default:                               break;
    }
}

// A click toggles the box on its release; the strip takes every click.
int PARAMETERHandleMouseClickCallback(XPLMWindowID, int, int, XPLMMouseStatus inMouse, void*)
{
    if (inMouse == xplm_MouseUp)
        PARAMETERon = !PARAMETERon;
    return 1;
}

void PARAMETERHandleKeyCallback(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}

void PARAMETERClearRecords()
{
    for (int s = 0; s < LaunchStations; ++s) {
        w_sectenthbegin[s] = 0;
        w_msc_launch[s] = msc_overlaunch[s] = w_m_dist[s] = 0.0f;
        WeaponsX1[s] = WeaponsY1[s] = WeaponsZ1[s] = 0.0f;
    }
}
