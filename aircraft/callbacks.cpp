// aircraft/callbacks.cpp: what runs while a recognised model is loaded.
#include "aircraft/models.h"
#include "XPLMDisplay.h"
#include "XPLMProcessing.h"
#include "aircraft/families.h"
#include "aircraft/presets.h"
#include "carrier/camera.h"
#include "common/gearlights.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "display/parameter.h"
#include "frame/controls.h"
#include "frame/datarefs.h"
#include "frame/plugin.h"
#include "systems/korva.h"

float CheckGliderCallback = 0.0f;
float CheckDROPCallback = 0.0f;
float CheckHyperCallback = 0.0f;
float CheckSkyhoistCallback = 0.0f;
float CheckOrbiterCallback = 0.0f;
float CheckKorvaCallback = 0.0f;

XPLMWindowID PARAMETERWindow = nullptr;
XPLMWindowID INFOWindow = nullptr;
XPLMWindowID CAMWindow = nullptr;

static bool IdentInTable() { return Ident > 0 && Ident < IdPlaneRows; }

static void DestroyWindow(XPLMWindowID& window)
{
    if (window) {
        XPLMDestroyWindow(window);
        window = nullptr;
    }
}

// Model loops start 4 s after the load and then run every 0.1 s.
static void StartLoop(XPLMFlightLoop_f loop, float& interval)
{
    interval = 0.1f;
    TickAsked = 4.0f;                // its first call's lateness counts from here
    XPLMRegisterFlightLoopCallback(loop, TickAsked, nullptr);
}

// The loop is unregistered rather than re-registered with interval 0: the host
// does not say what a second registration of the same callback does, and a
// reload must never leave two copies running.
static void StopLoop(XPLMFlightLoop_f loop, float& interval)
{
    interval = 0.0f;
    XPLMUnregisterFlightLoopCallback(loop, nullptr);
}

void PlaneCallback()
{
    const PlaneFamily& family = FamilyOf(Ident);
    if (family.loop)
        StartLoop(family.loop, *family.loopInterval);
    if (family.panelDraw)
        XPLMRegisterDrawCallback(family.panelDraw, xplm_Phase_Panel, 0, nullptr);
    // 200 x 160 in the middle of the screen; the overlay draws around it. It
    // is shown with the camera.
    if (family.camWindow && !CAMWindow)
        CAMWindow = XPLMCreateWindow(window_w / 2 - 100, window_h / 2 + 80, window_w / 2 + 100, window_h / 2 - 80, 0,
                                     CAMDrawWindowCallback, CAMHandleKeyCallback, CAMHandleMouseClickCallback,
                                     nullptr);

    ScheduleFirstAct();
    XPLMRegisterFlightLoopCallback(CheckBrake, 0.1f, nullptr);

    // Every recognised model gets the custom data strip; the box it draws is
    // shown only for the models that have figures for it.
    PARAMETERWindow = XPLMCreateWindow(PARAMETERclickwx1, PARAMETERclickwy1, PARAMETERclickwx2, PARAMETERclickwy2, 1,
                                       PARAMETERDrawWindowCallback, PARAMETERHandleKeyCallback,
                                       PARAMETERHandleMouseClickCallback, nullptr);
    if (IdentInTable() && IdPlane[Ident].infoFirst > 0)
        INFOWindow = XPLMCreateWindow(INFOcclickwx1, INFOcclickwy1, INFOcclickwx2, INFOcclickwy2, 1,
                                      INFODrawWindowCallback, INFOHandleKeyCallback,
                                      INFOHandleMouseClickCallback, nullptr);
}

// What the model took from the simulator goes back (its own release
// sequences first, then every control still held, the camera with night
// vision as it was) and its state is reset, so that nothing is held by a
// model that is gone, crashed or disabled.
void ResetFamily(ResetReason why)
{
    const PlaneFamily& family = FamilyOf(Ident);
    if (family.reset)
        family.reset(why);
    ReleaseHeldControls();
    CameraHandBack();
    GearLightsReset();
}

void PlaneCallbackClean()
{
    const PlaneFamily& family = FamilyOf(Ident);
    if (Ident != 0) {
        if (family.loop)
            StopLoop(family.loop, *family.loopInterval);
        if (family.panelDraw)
            XPLMUnregisterDrawCallback(family.panelDraw, xplm_Phase_Panel, 0, nullptr);
        if (family.camWindow)
            DestroyWindow(CAMWindow);
        XPLMUnregisterFlightLoopCallback(CheckBrake, nullptr);
    }
    ResetFamily(ResetCleanUp);
    // A first action still pending belongs to this aircraft, not the next.
    CancelFirstAct();

    DestroyWindow(INFOWindow);
    DestroyWindow(PARAMETERWindow);
    PARAMETERClearRecords();
    Ident = 0;
}

// The simulator calls nothing of a disabled plug-in, so nothing may stay held
// until it is enabled again. The loops, drawing and windows stay registered
// and go on once it is enabled, from the state each family's reset left.
void PlaneDisable() { ResetFamily(ResetDisable); }
