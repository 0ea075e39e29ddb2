// aircraft/callbacks.cpp: what runs while a recognised model is loaded.
#include "aircraft/models.h"
#include "aircraft/presets.h"
#include "XPLMDisplay.h"
#include "XPLMProcessing.h"
#include "carrier/carrier.h"
#include "carrier/orbiter.h"
#include "carrier/panel.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "frame/plugin.h"

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
    XPLMRegisterFlightLoopCallback(loop, 4.0f, nullptr);
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
    if (Ident == 28)
        XPLMRegisterDrawCallback(SCAMPanelDrawCallback, xplm_Phase_Panel, 0, nullptr);
    if (Ident == 37) {
        StartLoop(CheckSkyhoist, CheckSkyhoistCallback);
        XPLMRegisterDrawCallback(SCAMPanelDrawCallback, xplm_Phase_Panel, 0, nullptr);
    }
    if (Ident == 45)
        StartLoop(CheckOrbiter, CheckOrbiterCallback);

    ScheduleFirstAct();

    if (IdentInTable() && IdPlane[Ident].infoFirst > 0)
        INFOWindow = XPLMCreateWindow(INFOcclickwx1, INFOcclickwy1, INFOcclickwx2, INFOcclickwy2, 1,
                                      INFODrawWindowCallback, INFOHandleKeyCallback,
                                      INFOHandleMouseClickCallback, nullptr);
}

void PlaneCallbackClean()
{
    if (Ident != 0) {
        MetricAUTOequip = 0;
        if (DROPequip) {
            CheckDROPCallback = 0.0f;
            DROPequip = 0;
        }
    }
    if (Ident == 28)
        XPLMUnregisterDrawCallback(SCAMPanelDrawCallback, xplm_Phase_Panel, 0, nullptr);
    if (Ident == 37) {
        StopLoop(CheckSkyhoist, CheckSkyhoistCallback);
        XPLMUnregisterDrawCallback(SCAMPanelDrawCallback, xplm_Phase_Panel, 0, nullptr);
    }
    if (Ident == 45)
        StopLoop(CheckOrbiter, CheckOrbiterCallback);

    DestroyWindow(INFOWindow);
    DestroyWindow(PARAMETERWindow);
    Ident = 0;
}
