// common/keys.cpp: MyKeySniffer, the QZT key's action for each model, and the
// state the keys act on.
#include "common/keys.h"
#include <cstdio>
#include "XPLMUtilities.h"
#include "XPWidgets.h"
#include "aircraft/models.h"
#include "carrier/camera.h"
#include "frame/controls.h"
#include "frame/datarefs.h"
#include "prefs/dialog.h"
#include "prefs/prefs.h"
#include "systems/glider.h"
#include "systems/halvik.h"
#include "systems/korva.h"

int     keystat1 = 0;
int32_t CAMERAid = 0;
uint8_t CAMERAoff = 0;
float   CAMERAzoom = 1.0f;
uint8_t CAMzoomIn = 0x26, CAMzoomOUT = 0x28;
char    gChar = 0;
uint8_t gVirtualKey = 0;
int32_t gFlags = 0;
int32_t defKey = 0;
char    charBuffer[CharBufferLen] = {};
float   fuel_tot = 0.0f;

int32_t screenw = 0, screenh = 0;
int32_t mousex = 0, mousey = 0, mousey1 = 0;
uint8_t mousemoved = 0;
int32_t mouseNeutralx1 = 0, mouseNeutralx2 = 0, mouseNeutraly1 = 0, mouseNeutraly2 = 0;
int32_t night_vision_on_was = 0;

const HalvTakeOffRow HalvTakeOff[HalvTakeOffRows] = {
    {"Halvik Gov loaded!", 0, 0},
    {"HEAVY JATO", 1, 65000},
    {"HOVERING", 2, 25000},
    {"DEFAULT", 3, 32500},
    {"end", 99, 0},
};

// The dialog waits for a new QZT key: the released key becomes the candidate,
// shown by the host's name for it. It takes effect when the dialog saves.
static void CaptureKey()
{
    if (gVirtualKey == 0)
        return;
    QZTkey1 = gVirtualKey;
    const char* name = XPLMGetVirtualKeyDescription(static_cast<char>(gVirtualKey));
    std::snprintf(charBuffer, sizeof charBuffer, "%s", name ? name : "");
    if (QZTkeyText)
        XPSetWidgetDescriptor(QZTkeyText, charBuffer);
    defKey = 0;
    gVirtualKey = 0;
}

// Night vision goes with camera 0, the one that looks where the yoke points,
// and only when the cockpit lights say it is dark.
static void TwinNightVision()
{
    cockpit_lights_on = XPLMGetDatai(dr_cockpit_lights_on);
    night_vision_on = CAMERAid == 0 && cockpit_lights_on ? 1 : 0;
    XPLMSetDatai(dr_night_vision_on, night_vision_on);
}

// The first press takes the host's view at the view the preset chose; each
// further press steps to the next view, from `last` back to `first`.
static void CameraKey(XPLMCameraControl_f camera, int first, int last, bool twin)
{
    if (CAMERAoff == 1) {
        CAMERAzoom = 1.0f;
        CameraTake(camera);
        CameraReadScreen();
        CAMERAoff = 0;
        if (twin) {
            night_vision_on_was = XPLMGetDatai(dr_night_vision_on);
            CAMERAnightvision = 1;
            cockpit_lights_on = XPLMGetDatai(dr_cockpit_lights_on);
            if (CAMERAid == 0 && cockpit_lights_on) {
                night_vision_on = 1;
                XPLMSetDatai(dr_night_vision_on, night_vision_on);
            }
        }
    } else {
        ++CAMERAid;
        if (CAMERAid < first || CAMERAid > last)
            CAMERAid = first;
        if (twin)
            TwinNightVision();
    }
    CameraReadMouse();
    mousey1 = mousey;
    mousemoved = 0;
}

static void GliderKey()
{
    engOn = engOn == 1 ? 0 : 1;
    swdirqst = 1.0f - engOn;
    XPLMSetDataf(dr_swdirqst, swdirqst);
}

// Each press moves the take-off mode on, also above Mach 1, where it selects
// nothing but hands the throttles back and asks for the other engine mode.
static void HalvikKey()
{
    machno = XPLMGetDataf(dr_machno);
    CurrentAlt = XPLMGetDataf(dr_altitude);
    ++keystat1;
    if (machno < 1.0f) {
        if (keystat1 < 0 || keystat1 >= HalvTakeOffRows || HalvTakeOff[keystat1].mode == 99)
            keystat1 = 1;
        Halv_TO_mode = keystat1;
        fuel_tot = static_cast<float>(HalvTakeOff[keystat1].fuel / 2.204623);
        XPLMSpeakString(HalvTakeOff[keystat1].text);
    } else {
        RamEngine(RamRelease, 100.0f);
        if (!autoEngineRam)
            RamEngine(RamMode == 1 ? RamTurbo : RamRam, 100.0f);
    }
}

// Engine 3 of the Vessa Space is its space drive, armed only above 60,000 ft;
// above 200,000 ft the drive's burn time is filled up again.
static void VessaKey()
{
    CurrentAlt = XPLMGetDataf(dr_altitude);
    // The pilot's own mixtures, not what an earlier aircraft left in the copy.
    ReadMixtures(4);
    if (CurrentAlt >= 60000.0f) {
        engine_Mix[2] = engine_Mix[2] == 0.0f ? 1.0f : 0.0f;
        WriteMixtures(4);
    } else {
        engine_Mix[2] = 0.0f;
        WriteMixtures(4);
        XPLMSpeakString("Space-Drive ON only above 60,000 feet");
    }
    if (CurrentAlt > 200000.0f) {
        XPLMSetDataf(dr_JATOduration, 30.0f);
        JATOleft = 30.0f;
        XPLMSetDataf(dr_JATOleft, JATOleft);
    }
}

// The rocket is engines 3 and 4 of the fighter, engine 3 of the flying wing.
static void RocketKey(int engines)
{
    ReadMixtures(engines);
    const float mix = engine_Mix[2] == 0.0f ? 1.0f : 0.0f;
    for (int e = 2; e < engines; ++e)
        engine_Mix[e] = mix;
    WriteMixtures(engines);
}

void QZTkeyAction()
{
    switch (Ident) {
    case 7:  GliderKey(); break;
    case 28: CameraKey(ExtCameraSHFunc, 0, 3, false); break;
    case 37: CameraKey(ExtCameraSHFunc, 2, 6, false); break;
    case 50:
    case 51: CameraKey(ExtCameraKorvaFunc, 1, 2, true); break;
    case 52:
    case 53: CameraKey(ExtCameraKorvaFunc, 0, 2, true); break;
    case 1:  HalvikKey(); break;
    case 4:  VessaKey(); break;
    case 13: RocketKey(4); break;
    case 23: RocketKey(3); break;
    default: break;
    }
}

// Zoom acts only while a camera of the plug-in has the view.
void CAMzoomInAction()
{
    if (CAMERAoff == 0)
        CAMERAzoom += 1.0f;
}

void CAMzoomOutAction()
{
    if (CAMERAoff == 0)
        CAMERAzoom = CAMERAzoom - 1.0f < 1.0f ? 1.0f : CAMERAzoom - 1.0f;
}

// Sees every key before the host's windows and never consumes one. Only a
// release without modifiers acts.
int MyKeySniffer(char inChar, XPLMKeyFlags inFlags, char inVirtualKey, void*)
{
    gChar = inChar;
    gFlags = inFlags;
    gVirtualKey = static_cast<uint8_t>(inVirtualKey);
    if (inFlags != xplm_UpFlag)
        return 1;
    if (defKey == 1) {
        CaptureKey();
        return 1;
    }
    const uint8_t key = gVirtualKey;
    if (key == CAMzoomIn)
        CAMzoomInAction();
    else if (key == CAMzoomOUT)
        CAMzoomOutAction();
    if (key == QZTkey)
        QZTkeyAction();
    return 1;
}
