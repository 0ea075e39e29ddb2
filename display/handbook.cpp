// display/handbook.cpp: the handbook box and its texts.
#include "display/handbook.h"
#include "XPLMGraphics.h"
#include "aircraft/models.h"
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
    "Lift-off 190 km/h, climb 450 km/h, approach 260 km/h",
    "Touchdown 200 km/h; landing lights follow the gear handle",
    "FUEL: starts on tank 2; once tank 2 is dry the tank",
    "  selector moves to 4 by itself",
    "JATO unit (weapons menu): fire it with the sim's JATO",
    "  control. The gear is held down while it is fitted;",
    "  burnt out above 40 m/s TAS it drops and the gear",
    "  comes up, slower it is refilled for another run",
    "AP ALTITUDE is shown in metres on the panel (25 m steps)",
    "",
    "DROP TANKS 300/500/1000 l: fuel, time and range left",
    "  show in the CUSTOM DATA window, with the speed and",
    "  distance of each guided weapon after its launch",
    "",
    "",
    "",
    "",
    "",
    // line 25: jet fighters 12, 14 and 15 read to 39, the rocket-boosted 13 to 44
    "STORMFALK JET FIGHTER - OPERATING NOTES",
    "Lift-off 190 km/h, climb 450 km/h, approach 260 km/h",
    "Touchdown 200 km/h; landing lights follow the gear handle",
    "JATO unit (weapons menu): fire it with the sim's JATO",
    "  control. The gear is held down while it is fitted;",
    "  burnt out above 40 m/s TAS it drops and the gear",
    "  comes up, slower it is refilled for another run",
    "DROP TANKS 300/500/1000 l: fuel, time and range left",
    "  show in the CUSTOM DATA window (click far left-top),",
    "  with the speed and distance of each guided weapon",
    "AP ALTITUDE is shown in metres on the panel (25 m steps)",
    "Starts with 100 kg payload and the HUD off",
    "Metric panel: airspeed in km/h, altitude in metres",
    "",
    "",
    "ROCKET ENGINE (engines 3 and 4): load T-Stoff tanks in",
    "  the weapons menu (972 kg T-Stoff, 324 kg C-Stoff)",
    "  QZT KEY (default F4) switches the rocket on and off;",
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
    "Starts with engines 1 and 2 running, the SPACE DRIVE",
    "  (engine 3) off, 250 kg payload and AP ALT 65,000 ft",
    "",
    "Climb on the jets to 60,000 ft or more, then press the",
    "  QZT KEY (default F4): space drive on; again: off",
    "Below 60,000 ft a press always switches the drive off",
    "  and says \"Space-Drive ON only above 60,000 feet\"",
    "Above 200,000 ft each press also refills JATO to 30 s",
    "",
    "Switch the drive off with the key before you descend;",
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
    "Rotate 190 kt, approach 200 kt. A JATO pack (weapons",
    "  menu) ignites above M0.15 and is dropped after 20 s",
    "ZOOM MASTER = PROP SYNC switch (stick disconnected):",
    "  climb to 72,000 ft and M6.3, pull-up to 300,000 ft,",
    "  orbiter release, back to 60,000 ft at M3.3, hand-over",
    "  Switch off to cancel. With the AP in a NAV mode it",
    "  waits (ZOOM AP STBY) until AP ALT 99,900 ft is dialled",
    "  Fuel above 16,000 kg is dumped first",
    "ORBITER SWITCH = PUFFERS: off starts the emergency set",
    "  by AUTO FEATHER MODE: 1 dump orbiter fuel, 2 abandon",
    "BAY DOORS = WATER SCOOP switch, below 80 kt IAS only",
    "WATER = FIRING MODE: 0 off, 1 or 2 auto from 60,000 ft",
    "  and M3.6, 3 dump. Water and thrust show on the panel",
    "A release above 295,000 ft is stored in the record the",
    "  panel shows as INDEX NO.; Preferences, Save keeps it",
    "QZT KEY (default F4): external views 2 to 6, arrow keys",
    "  zoom; choose any sim view to leave",
    "Wings sweep and dihedral by Mach; lights follow gear",
    "",
    // line 110: orbiter
    "ASCENDER ORBITER - OPERATING NOTES",
    "Release the PARKING BRAKE: within 1 s you are placed at",
    "  release record 1 (empty: record 0, 100 km over 30N 0E)",
    "DRIVE = PROP SYNC switch, on at placement: the ascent",
    "  program trims the nose up, pitches over to 20 deg and",
    "  flies the FD to 250 km at orbital speed; the rocket",
    "  throttle falls from 100% to 40% as the tank empties",
    "  Drive off stops the program, on again resumes it",
    "ENGINE CUT at orbital speed (7.76 km/s at 250 km) or",
    "  empty tank: rest of fuel dumped, AP off, engine 1 on,",
    "  limit 5%. Tank selector 1 after 3 s, clutch off at 6 s",
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
    "Take-off 35 km/h, best glide 40 km/h, stall 28 km/h",
    "",
    "QZT KEY (default F4) folds the engine away or out:",
    "  stowing cuts the engine, removes the propeller and",
    "  changes the gear shape; unfolding reverses it, so",
    "  unfold in good time: the engine comes back last",
    "",
    "PILOT POSITION (c.g. shift) = FIRING MODE selector:",
    "  0: 75 kg, 1: 125 kg (start), 2: 135 kg, 3: 140 kg",
    "PAYLOAD = FIRING RATE selector: (rate - 1) x 10 kg,",
    "  1: none (start), 2: 10 kg, 3: 20 kg",
    "",
    "CUSTOM DATA window (click far left-top of the screen):",
    "  glide ratio, range to sea level, true speed km/h,",
    "  vario m/s, shifted mass and payload",
    "",
    "Starts with the engine out, mixture full, 1 propeller",
    "",
    "",
    // line 150: flying wings, all four
    "VEYRA FLYING WING - OPERATING NOTES",
    "Lift-off 180 km/h, climb 400 km/h, approach 230 km/h",
    "Touchdown 170 km/h; landing lights follow the gear handle",
    "FUEL: tank selector 4, transfer to tank 2 set at start",
    "JATO unit (weapons menu): fire it with the sim's JATO",
    "  control. The gear is held down while it is fitted;",
    "  burnt out above 40 m/s TAS it drops and the gear",
    "  comes up, slower it is refilled for another run",
    "DROP TANKS 300/500/1000 l: fuel, time and range left",
    "  show in the CUSTOM DATA window (click far left-top),",
    "  with the speed and distance of each guided weapon",
    "AP ALTITUDE is shown in metres on the panel (25 m steps)",
    "Starts with 100 kg payload and the HUD off",
    "",
    // line 164: flying wings 22, 24 and 25
    "No rocket engine on this variant: the QZT KEY (F4) has",
    "  no function here",
    // line 166: the rocket flying wing 23
    "ROCKET (engine 3): load rocket unit and T-Stoff tanks;",
    "  QZT KEY (F4) on/off, stops when the T-Stoff is out",
    "",
    "",
    // line 170: bombers, 26 reads to 178, 27 with glide bombs to 189
    "GRAUHORN SIX-ENGINE BOMBER - OPERATING NOTES",
    "Lift-off 200 km/h, approach 240 km/h, touchdown 190",
    "FUEL: selector 2; below 3 kg in tank 2 it moves to 4",
    "JATO units (weapons menu) run as engines 7 and 8: they",
    "  ignite by themselves above 60 m/s TAS, burn about",
    "  33 s, are shut down and dropped a few seconds later",
    "AP ALTITUDE is shown in metres on the panel (25 m steps)",
    "Starts with 300 kg payload; lights follow the gear",
    "",
    "GLIDE BOMBS (TV guided): arm and release them with",
    "  the sim's weapon controls; the plug-in does not steer",
    "  them. CUSTOM DATA window (click far left-top) shows",
    "  each bomb's speed, its speed over the launch speed",
    "  and the distance it has flown since its launch",
    "",
    "Fuel at start: tanks 1 and 3 1516 kg, tank 2 3032 kg",
    "JATO seconds left show in the CUSTOM DATA window",
    "",
    "",
    "",
    // line 190: twin-engine fighters 18, 20 and 21
    "BRANNOC TWIN-ENGINE FIGHTER - OPERATING NOTES",
    "Lift-off 100 kt, climb 160 kt, approach 110 kt",
    "Touchdown 90 kt; landing lights follow the gear handle",
    "JATO unit (weapons menu): fire it with the sim's JATO",
    "  control; gear held down while it is fitted; burnt",
    "  out above 78 kt TAS it drops and the gear comes up",
    "DROP TANKS 165/250/300 gal: fuel, hours and nm left",
    "  show in the CUSTOM DATA window (click far left-top)",
    "Fuel transfer to tank 2 is set at start",
    "",
    // line 200: twin-engine floatplane 19
    "BRANNOC FLOATPLANE - OPERATING NOTES",
    "Water run: lift-off 95 kt, climb 150 kt",
    "Approach 105 kt, touchdown on the water 85 kt",
    "Landing lights follow the gear handle",
    "",
    "JATO unit (weapons menu) shortens the water run: fire",
    "  it with the sim's JATO control; the gear is held",
    "  down while it is fitted; burnt out above 78 kt TAS",
    "  the unit drops and the gear comes up, slower it is",
    "  refilled for another run",
    "",
    "DROP TANKS 165/250/300 gal: fuel, hours and nm left",
    "  show in the CUSTOM DATA window (click far left-top),",
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
    "QZT KEY (default F4): external camera; press again for",
    "  the next one; any sim view ends it. Mouse aims, arrow",
    "  keys zoom. Camera 0 (some variants) follows the yoke,",
    "  with night vision when the cockpit lights are on",
    "Battery and avionics on: PUFFERS and CLUTCH switched on",
    "",
    "",
    "",
    // line 230: hypersonic business jet
    "SOLACE HX HYPERSONIC JET - OPERATING NOTES",
    "Rotate 160 kt, climb 300 kt, approach 150 kt",
    "WATER INJECTION = FIRING MODE selector: 0 off, 1 or 2",
    "  auto from 10,000 ft, 3 dump (30 kg/s). Water load is",
    "  7.5% of the fuel; it keeps the thrust up high and",
    "  fast. Thrust factor and water show on the panel",
    "  Without water thrust falls with height and off M2",
    "SWEEP AUTO = PUFFERS switch on: wings forward to M0.9,",
    "  swept from M0.95; above 50,000 ft by IAS: forward",
    "  below 575 kt, half to 620 kt, full above 630 kt",
    "DIHEDRAL automatic: set below M0.45, cleared from M0.5",
    "QZT KEY (default F4): external views 0 to 3, arrow keys",
    "  zoom; choose any sim view to leave",
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
    XPLMDrawNumber(colorW, INFOcolx + 268, INFOrow[0], Ident, 2, 0, 1, xplmFont_Basic);

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

    // The first showing after a load closes when the pilot lets the brake go;
    // that moment also starts the orbiter.
    if (parkbrake_initial && INFOfirstview) {
        parkbrake = XPLMGetDataf(dr_parkbrake);
        if (parkbrake <= 0.1f) {
            INFOon = 0;
            parkbrake_initial = 0;
            INFOfirstview = 0;
            go_initial = 1;
        }
    }
}

// A click toggles the box on its release; the strip takes every click.
int INFOHandleMouseClickCallback(XPLMWindowID, int, int, XPLMMouseStatus inMouse, void*)
{
    if (inMouse == xplm_MouseUp)
        INFOon = !INFOon;
    return 1;
}

void INFOHandleKeyCallback(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}
