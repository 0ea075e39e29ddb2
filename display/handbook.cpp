// display/handbook.cpp: the handbook box and its texts.
#include "display/handbook.h"
#include "XPLMGraphics.h"
#include "aircraft/models.h"
#include "common/first_action.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "frame/datarefs.h"

// Lines 0 to 5: the empty greeting (before the clock has run), the four
// greetings by part of the day, a spare empty line. From line 6 on, one block
// per model at the line the model table names; a variant may read a longer or
// shorter run from the same first line, so shared lines must hold for all of
// them. A model's run ends on an empty line, which sets it off from the hints;
// the flying wings' shared run ends in the two lines of their variant instead.
const char info[InfoLines][InfoLineLen] = {
    "",
    "Good morning Sir!",
    "Good afternoon Sir!",
    "Good evening Sir!",
    "Good night Sir!",
    "",
    // line 6: jet fighters 9 and 11 read to 16, 10 to 20
    "STORMFALK JET FIGHTER - OPERATING NOTES",
    "Lift-off 190, climb 450, approach 260 km/h",
    "Touchdown 200 km/h; landing lights follow gear",
    "FUEL: starts on tank 2; when it runs dry the",
    "  selector moves to tank 4 by itself",
    "JATO unit (weapons menu): fire with the sim's",
    "  JATO control. Gear held down while fitted;",
    "  burnt out above 40 m/s TAS it drops, gear up;",
    "  slower it is refilled for another run",
    "AP ALT shown in metres on the panel (25 m steps)",
    "",
    "DROP TANKS 300/500/1000 l: fuel, time, range",
    "  left show in CUSTOM DATA, with speed and",
    "  distance of each weapon after its launch",
    "",
    "",
    "",
    "",
    "",
    // line 25: jet fighters 12, 14 and 15 read to 39, the rocket-boosted 13 to 44
    "STORMFALK JET FIGHTER - OPERATING NOTES",
    "Lift-off 190, climb 450, approach 260 km/h",
    "Touchdown 200 km/h; landing lights follow gear",
    "JATO unit (weapons menu): fire with the sim's",
    "  JATO control. Gear held down while fitted;",
    "  burnt out above 40 m/s TAS it drops, gear up;",
    "  slower it is refilled for another run",
    "DROP TANKS 300/500/1000 l: fuel, time, range",
    "  left show in CUSTOM DATA (click far left-top),",
    "  with speed and distance of each weapon",
    "AP ALT shown in metres on the panel (25 m steps)",
    "Starts with 100 kg payload and the HUD off",
    "Metric panel: airspeed km/h, altitude metres",
    "",
    "",
    "ROCKET ENGINE (engines 3+4): load T-Stoff tanks",
    "  (weapons menu): 972 kg T-Stoff, 324 kg C-Stoff",
    "  QZT KEY (default F4) switches it on and off;",
    "  it stops by itself when the T-Stoff is used up",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    // line 55: Vessa Space
    "VESSA SPACE - OPERATING NOTES",
    "Rotate 150 kt, climb 250 kt, approach 160 kt",
    "Start: mixture full on engines 1+2, SPACE DRIVE",
    "  (eng 3) off, payload 250 kg, AP ALT 65,000 ft",
    "",
    "Climb on the jets to 60,000 ft or more, then",
    "  press QZT KEY (F4): space drive on; again: off",
    "Below 60,000 ft a press always switches it off;",
    "  says \"Space-Drive ON only above 60,000 feet\"",
    "Above 200,000 ft each press refills JATO to 30 s",
    "",
    "Switch the drive off (key) before you descend;",
    "  land on the jets, touchdown about 140 kt",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    // line 90: Skyhoist carrier
    "SKYHOIST ORBITAL CARRIER - OPERATING NOTES",
    "Rotate 190 kt, approach 200 kt. A JATO pack",
    "  (weapons menu) fires at M0.15, dropped at 20 s",
    "ZOOM MASTER = PROP SYNC (stick disconnected):",
    "  climb to 72,000 ft/M6.3, zoom to ~300,000 ft,",
    "  release, descent to 60,000 ft/M3.3, hand-over",
    "  Off cancels. With AP in a NAV mode it waits",
    "  (ZOOM AP STBY) until AP ALT 99,900 ft is set",
    "  Fuel above 16,000 kg is dumped in the climb",
    "ORBITER SWITCH = PUFFERS, off: orbiter emergency",
    "  by AUTO FEATHER MODE: 1 dump fuel, 2 abandon",
    "BAY DOORS = WATER SCOOP, only below 80 kt IAS",
    "WATER = FIRING MODE: 0 off, 1 or 2 auto from",
    "  60,000 ft/M3.6, 3 dump. Water, thrust on panel",
    "A release above 295,000 ft goes to the record",
    "  shown as INDEX NO.; Preferences, Save keeps it",
    "QZT KEY (default F4): external views 2 to 6,",
    "  mouse aims; choose any sim view to leave",
    "Sweep and dihedral by Mach; lights follow gear",
    "",
    // line 110: orbiter
    "ASCENDER ORBITER - OPERATING NOTES",
    "PARKING BRAKE off: within 1 s you are placed at",
    "  record 1 (empty: record 0, 100 km over 30N 0E)",
    "DRIVE = PROP SYNC, on at placement: the ascent",
    "  program trims nose up, pitches over to 20 deg,",
    "  flies the FD to 250 km at orbital speed; the",
    "  throttle falls 100% to 40% as the tank empties",
    "  Drive off stops the program, on resumes it",
    "ENGINE CUT at orbital speed (7.76 km/s, 250 km)",
    "  or empty tank: fuel dumped, AP off, eng 1 on,",
    "  limit 5%; tank 1 at 3 s, clutch off at 6 s",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    // line 130: motor hang glider
    "WINDLING MOTOR HANG GLIDER - OPERATING NOTES",
    "Take-off 35, best glide 40, stall 28 km/h",
    "",
    "QZT KEY (default F4) folds the engine in or out:",
    "  stowing cuts the engine, removes the propeller",
    "  and changes the gear shape; unfolding reverses",
    "  it: unfold in time, the engine comes back last",
    "",
    "PILOT POSITION (c.g. shift) = FIRING MODE:",
    "  0: 75, 1: 125 (start), 2: 135, 3: 140 kg",
    "PAYLOAD = FIRING RATE: (rate - 1) x 10 kg,",
    "  1: none (start), 2: 10 kg, 3: 20 kg",
    "",
    "CUSTOM DATA window (click far left-top):",
    "  glide ratio, range to sea level, TAS km/h,",
    "  vario m/s, shifted mass and payload",
    "",
    "Start: engine out, mixture full, 1 propeller",
    "",
    "",
    // line 150: flying wings, all four
    "VEYRA FLYING WING - OPERATING NOTES",
    "Lift-off 180, climb 400, approach 230 km/h",
    "Touchdown 170 km/h; landing lights follow gear",
    "FUEL: selector 4 and transfer to tank 2 at start",
    "JATO unit (weapons menu): fire with the sim's",
    "  JATO control. Gear held down while fitted;",
    "  burnt out above 40 m/s TAS it drops, gear up;",
    "  slower it is refilled for another run",
    "DROP TANKS 300/500/1000 l: fuel, time, range",
    "  left show in CUSTOM DATA (click far left-top),",
    "  with speed and distance of each weapon",
    "AP ALT shown in metres on the panel (25 m steps)",
    "Starts with 100 kg payload and the HUD off",
    "",
    // line 164: flying wings 22, 24 and 25
    "No rocket engine on this variant: the QZT KEY",
    "  (F4) has no function here",
    // line 166: the rocket flying wing 23
    "ROCKET (eng 3): load rocket unit, T-Stoff tanks;",
    "  QZT KEY (F4) on/off, stops when T-Stoff is out",
    "",
    "",
    // line 170: bombers, 26 reads to 178, 27 with glide bombs to 189
    "GRAUHORN SIX-ENGINE BOMBER - OPERATING NOTES",
    "Lift-off 200, approach 240, touchdown 190 km/h",
    "FUEL: selector 2; tank 2 below 3 kg: moves to 4",
    "JATO units (weapons menu) run as engines 7, 8:",
    "  ignite by themselves above 60 m/s TAS, burn",
    "  about 33 s, then shut down and dropped",
    "AP ALT shown in metres on the panel (25 m steps)",
    "Start: 300 kg payload; lights follow the gear",
    "",
    "GLIDE BOMBS (TV guided): arm and release them",
    "  with the sim's weapon controls; the plug-in",
    "  does not steer them. CUSTOM DATA window shows",
    "  each bomb's speed, its speed over launch speed",
    "  and the distance flown since its launch",
    "",
    "Fuel at start: tanks 1+3 1516 kg, tank 2 3032 kg",
    "JATO seconds left show in the CUSTOM DATA window",
    "",
    "",
    "",
    // line 190: twin-engine fighters 18, 20 and 21
    "BRANNOC TWIN-ENGINE FIGHTER - OPERATING NOTES",
    "Lift-off 100 kt, climb 160 kt, approach 110 kt",
    "Touchdown 90 kt; landing lights follow gear",
    "JATO unit (weapons menu): fire with the sim's",
    "  JATO control; gear held down while fitted;",
    "  burnt out above 78 kt TAS it drops, gear up",
    "DROP TANKS 165/250/300 gal: fuel, hours and nm",
    "  left show in CUSTOM DATA (click far left-top)",
    "Fuel transfer to tank 2 is set at start",
    "",
    // line 200: twin-engine floatplane 19
    "BRANNOC FLOATPLANE - OPERATING NOTES",
    "Water run: lift-off 95 kt, climb 150 kt",
    "Approach 105 kt, touchdown on the water 85 kt",
    "Landing lights follow the gear handle",
    "",
    "JATO unit (weapons menu) shortens the water run:",
    "  fire it with the sim's JATO control; the gear",
    "  is held down while fitted; burnt out above",
    "  78 kt TAS the unit drops, the gear comes up;",
    "  slower it is refilled for another run",
    "",
    "DROP TANKS 165/250/300 gal: fuel, hours and nm",
    "  left show in CUSTOM DATA (click far left-top),",
    "  with each weapon's speed and distance",
    "",
    "Fuel transfer to tank 2 is set at start",
    "The QZT KEY (F4) has no function on this model",
    "",
    "",
    "",
    // line 220: Korva light twins
    "KORVA LIGHT TWIN - OPERATING NOTES",
    "Rotate 75 kt, climb 95 kt, approach 85 kt",
    "QZT KEY (F4): external camera, again: next one;",
    "  any sim view ends it. Mouse aims, arrow keys",
    "  zoom. Camera 0 (some types) follows the yoke,",
    "  with night vision when cockpit lights are on",
    "Battery and avionics on: PUFFERS and CLUTCH on",
    "",
    "",
    "",
    // line 230: hypersonic business jet
    "SOLACE HX HYPERSONIC JET - OPERATING NOTES",
    "Rotate 160 kt, climb 300 kt, approach 150 kt",
    "WATER INJECTION = FIRING MODE: 0 off, 1 or 2",
    "  auto from 10,000 ft, 3 dump (30 kg/s). Water",
    "  load 7.5% of the fuel, holds thrust at height;",
    "  without it thrust falls with height and off M2",
    "  Thrust factor and water show on the panel",
    "SWEEP AUTO = PUFFERS switch on: wings forward to",
    "  M0.9, swept from M0.95; from 50,000 ft by IAS:",
    "  forward < 575 kt, half < 620 kt, full > 630 kt",
    "DIHEDRAL auto: set up to M0.45, off from M0.5",
    "QZT KEY (default F4): external views 0 to 3,",
    "  mouse aims; choose any sim view to leave",
    "Landing lights follow the gear handle",
    "Fuel 3 x 6047 kg at start",
    "",
    "",
    "",
    "",
    "",

};

uint8_t INFOon = 0;
uint8_t INFOon1 = 0;
uint8_t INFOfirstview = 0;
uint8_t parkbrake_initial = 0;
uint8_t go_initial = 0;

static char INFOheader[] = "               :   LOCAL  ID:";
static char INFOhint1[] = "THIS MESSAGE CLOSES WITH FIRST BRAKE RELEASE";
static char INFOhint2[] = "TOGGLE THIS MESSAGE BY CLICKING FAR RIGHT-TOP";
static char INFOhint3[] = "CLICK FAR LEFT-TOP OF SCREEN FOR CUSTOM DATA";

enum { INFOrows = sizeof(INFOrow) / sizeof(INFOrow[0]) };

static void INFOtext(float* color, int row, const char* text)
{
    // The host takes a non-const pointer but only reads the text.
    XPLMDrawString(color, INFOcolx, INFOrow[row], const_cast<char*>(text), nullptr, xplmFont_Basic);
}

// Draws one block of the model's handbook from row `row` on and returns the
// next free row. Lines outside the text table are skipped, and the block stops
// where the last three rows are needed for the hints, so a wrong table entry
// can never read beyond `info` or `INFOrow`.
static int INFOblock(int first, int count, int row)
{
    for (int i = 0; i < count && row < INFOrows - 3; ++i) {
        const int line = first + i;
        if (line < 0 || line >= InfoLines)
            continue;
        INFOtext(colorY, row++, info[line]);
    }
    return row;
}

void INFODrawWindowCallback(XPLMWindowID, void*)
{
    if (!INFOon)
        return;

    XPLMDrawTranslucentDarkBox(INFOwx1, INFOwy1, INFOwx2, INFOwy2);

    XPLMDrawString(colorW, INFOcolx + 100, INFOrow[0], INFOheader, nullptr, xplmFont_Basic);
    XPLMDrawNumber(colorW, INFOcolx + 178, INFOrow[0], local_hours, 2, 0, 1, xplmFont_Basic);
    XPLMDrawNumber(colorW, INFOcolx + 196, INFOrow[0], local_minutes, 2, 0, 1, xplmFont_Basic);
    XPLMDrawNumber(colorW, INFOcolx + 280, INFOrow[0], Ident, 2, 0, 1, xplmFont_Basic);   // a blank after "ID:"

    const int greeting = (daytime >= 1 && daytime <= 4) ? daytime : 0;
    INFOtext(colorY, 1, info[greeting]);

    int row = 2;
    if (Ident > 0 && Ident < IdPlaneRows) {
        const IdPlaneRow& plane = IdPlane[Ident];
        row = INFOblock(plane.infoFirst, plane.infoCount, row);
        row = INFOblock(plane.extraFirst, plane.extraCount, row);
    }
    INFOtext(colorG, row, INFOhint1);
    INFOtext(colorG, row + 1, INFOhint2);
    INFOtext(colorG, row + 2, INFOhint3);
}

// The first brake release after a load, once the first action has set the
// aircraft up: it closes the handbook's first showing and starts the orbiter.
// A loop sees it whether or not the handbook is shown or drawn at all (it is
// not in VR).
float CheckBrake(float, float, int, void*)
{
    if (parkbrake_initial && !FirstActReg) {
        parkbrake = XPLMGetDataf(dr_parkbrake);
        if (parkbrake <= 0.1f) {
            parkbrake_initial = 0;
            if (INFOfirstview) {
                INFOon = 0;
                INFOfirstview = 0;
            }
            go_initial = 1;
        }
    }
    return 0.1f;
}

// A click toggles the box on its release; the strip takes every click.
int INFOHandleMouseClickCallback(XPLMWindowID, int, int, XPLMMouseStatus inMouse, void*)
{
    if (inMouse == xplm_MouseUp)
        INFOon = !INFOon;
    return 1;
}

void INFOHandleKeyCallback(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}
