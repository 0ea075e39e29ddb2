// systems/korva.cpp: the Korva light twin. Cameras 0 to 2 sit at weapon
// stations 0 to 2, where the aircraft file marks them with a store.
#include "systems/korva.h"
#include <cmath>
#include <cstdlib>
#include "XPLMGraphics.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "carrier/camera.h"
#include "common/hostvalues.h"
#include "common/keys.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

uint8_t CAMERAon = 0;
float   CAMERAheadingMax = 0.0f;
float   aircraft_roll_ratio = 0.0f;

// Switch states the loop last saw; both off when the plug-in starts.
static uint8_t battery_on1 = 0, avionics_on1 = 0;

static const CameraView KorvaViews[] = {
    {0, 360.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {1, 270.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {2, 270.0f, 90.0f, 90.0f, 90.0f, -60.0f, 0.0f},
};

void KorvaPreset()
{
    const PlaneFamily& family = FamilyOf(Ident);
    CameraReset(family.camFirst);
    if (family.camHeadingMax > 0.0f)
        CAMERAheadingMax = family.camHeadingMax;
    SetCameraViews(KorvaViews);
}

// The Windows build of the Korva models carries a lighter cabin load.
#if IBM
static const float KorvaLoadTwin = 150.0f, KorvaLoadSmall = 85.0f;
#else
static const float KorvaLoadTwin = 330.0f, KorvaLoadSmall = 180.0f;
#endif

void KorvaTwinFirstAction() { WriteFixedMass(KorvaLoadTwin); }
void KorvaSmallFirstAction() { WriteFixedMass(KorvaLoadSmall); }

void KorvaReset(ResetReason)
{
    battery_on1 = avionics_on1 = 0;
    aircraft_roll_ratio = 0.0f;
}

float CheckKorva(float elapsedSinceLastCall, float, int, void*)
{
    Timer();
    battery_on = XPLMGetDatai(dr_battery_on);
    avionics_on = XPLMGetDatai(dr_avionics_on);
    const uint8_t battery = battery_on != 0, avionics = avionics_on != 0;
    if (battery != battery_on1 || avionics != avionics_on1) {
        puffers_on = battery && avionics;
        XPLMSetDatai(dr_puffers_on, puffers_on);
        XPLMSetDatai(dr_clutch_engage, puffers_on);
        battery_on1 = battery;
        avionics_on1 = avionics;
    }
    return TickInterval(elapsedSinceLastCall, CheckKorvaCallback);
}

// Camera 0 follows the yoke: full deflection turns it by CAMERAheadingMax,
// less the further the aircraft is banked, and the view rolls less as it
// turns away from the nose.
static void YokeCamera(float& heading, float& pitch, float& roll)
{
    yolk_roll_ratio = CameraRatio(XPLMGetDataf(dr_yolk_roll_ratio));
    yolk_pitch_ratio = CameraRatio(XPLMGetDataf(dr_yolk_pitch_ratio));
    const float max = CAMERAheadingMax;
    if (max > 0.0f && std::isfinite(max)) {
        const float bank = static_cast<float>(std::abs(static_cast<int>(dirroll)));
        CAMERAheading = yolk_roll_ratio * max * ((max - bank) / max);
        roll = CAMERAheading > 0.0f ? dirroll - dirroll * CAMERAheading / max
                                    : dirroll + dirroll * CAMERAheading / max;
    } else {
        CAMERAheading = 0.0f;      // no yoke camera on this variant
        roll = dirroll;
    }
    heading = dirheading + CAMERAheading;
    pitch = yolk_pitch_ratio * 20.0f + dirpitch;
}

int ExtCameraKorvaFunc(XPLMCameraPosition_t* outCameraPosition, int inIsLosingControl, void*)
{
    if (!CameraFrameBegins(outCameraPosition, inIsLosingControl))
        return 1;
    aircraft_roll_ratio = dirroll / 60.0f;
    const int c = CameraIndex(0, 2);
    // The zoom divides the mouse offsets; the keys keep it at 1 or more.
    const float zoom = CAMERAzoom >= 1.0f && std::isfinite(CAMERAzoom) ? CAMERAzoom : 1.0f;

    float heading, pitch, roll;
    const bool steers = CameraMouseSteers();
    if (steers) {
        const float w = static_cast<float>(screenw > 0 ? screenw : 1);
        const float h = static_cast<float>(screenh > 0 ? screenh : 1);
        CAMERAheading = (CAMERAorX[c] + CAMERAfieldX[c] * mousex / w - CAMERAfieldX[c] / 2.0f) / zoom;
        float p = (CAMERAorY[c] + CAMERAfieldY1[c] * mousey / h - CAMERAfieldY1[c] / 2.0f) / zoom;
        if (p > CAMERAfieldY2[c])
            p = CAMERAfieldY2[c];
        if (p < CAMERAfieldY3[c])
            p = CAMERAfieldY3[c];
        heading = dirheading + CAMERAheading;
        pitch = dirpitch + p;
        roll = 0.0f;
    } else {
        if (mousemoved)
            CAMERAheading = 0.0f;  // the mouse rests in the neutral rectangle
        if (c == 0) {
            YokeCamera(heading, pitch, roll);
        } else if (c == 1) {       // forward
            heading = CAMERAorX[1] + dirheading;
            pitch = CAMERAorY[1] + dirpitch;
            roll = dirroll;
        } else {                   // looking out sideways: bank is its pitch
            heading = CAMERAorX[2] + dirheading;
            pitch = -dirroll;
            roll = dirpitch;
        }
    }

    CameraReadStation(c);
    outCameraPosition->x = WeaponsX[c];
    outCameraPosition->y = WeaponsY[c];
    outCameraPosition->z = WeaponsZ[c];
    outCameraPosition->pitch = pitch;
    outCameraPosition->heading = heading;
    outCameraPosition->roll = roll;
    outCameraPosition->zoom = zoom;
    return 1;
}

// ---- the overlay

static int Pixels(float v) { return HostFloatToInt(v, -HostPixelLimit, HostPixelLimit, 0); }

static char VVIlabel[] = "VVI";
static char RollLabel[] = "AIRCRAFT ROLL";
static char HeadingLabel[] = "CAMERA HEADING";
static char HelpLine[] = "Zoom:arrow keys / Direction:mouse / Default:mouse re-center";

// A bar grows from its box: to the right for a positive ratio, to the left
// for a negative one.
static void RollBar(int left, int top, int right, int bottom, float ratio)
{
    const int grow = Pixels(CAMinfo_breite * ratio);
    XPLMDrawTranslucentDarkBox(left + (grow < 0 ? grow : 0), top, right + (grow > 0 ? grow : 0), bottom);
}

void CAMDrawWindowCallback(XPLMWindowID, void*)
{
    if (CAMERAoff)
        return;

    // m/s to ft/min; no aircraft climbs at a thousand km a second
    sim_vvi = HostFiniteFloat(XPLMGetDataf(dr_sim_vvi), -1.0e6f, 1.0e6f, 0.0f) * 196.8504f;
    const int grow = Pixels(CAMinfo_breite * sim_vvi / 3000.0f);
    XPLMDrawTranslucentDarkBox(CAMinfoDwx1, CAMinfoDwy1 + (grow > 0 ? grow : 0), CAMinfoDwx2,
                               CAMinfoDwy2 + (grow < 0 ? grow : 0));
    XPLMDrawString(colorW, CAMinfoDwx1 + 7, CAMinfoDwy1 - 12, VVIlabel, nullptr, xplmFont_Basic);
    // from the box's edge: a descent of four digits and its sign fills the box
    XPLMDrawNumber(colorY, CAMinfoDwx1 + 1, CAMinfoDwy1 - 25, sim_vvi, 4, 0, 1, xplmFont_Basic);

    RollBar(CAMinfoAwx1, CAMinfoAwy1, CAMinfoAwx2, CAMinfoAwy2, aircraft_roll_ratio);
    XPLMDrawString(colorW, CAMinfoAwx1 + 10, CAMinfoAwy1 - 10, RollLabel, nullptr, xplmFont_Basic);
    XPLMDrawNumber(colorY, CAMinfoAwx1 + 30, CAMinfoAwy1 - 22, dirroll, 3, 0, 1, xplmFont_Basic);

    RollBar(CAMinfoBwx1, CAMinfoBwy1, CAMinfoBwx2, CAMinfoBwy2, yolk_roll_ratio);
    XPLMDrawString(colorW, CAMinfoBwx1 + 5, CAMinfoBwy1 - 10, HeadingLabel, nullptr, xplmFont_Basic);
    XPLMDrawNumber(colorY, CAMinfoBwx1 + 30, CAMinfoBwy1 - 22, CAMERAheading, 3, 0, 1, xplmFont_Basic);

    XPLMDrawString(colorSCH, CAMinfoCwx1 + 20, CAMinfoCwy1, HelpLine, nullptr, xplmFont_Basic);
}

void CAMHandleKeyCallback(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}

// The window is shown only while a camera runs, and then every click on it
// is the camera's.
int CAMHandleMouseClickCallback(XPLMWindowID, int, int, XPLMMouseStatus, void*) { return 1; }
