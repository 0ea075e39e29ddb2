// frame/published.cpp
#include "frame/published.h"
#include "XPLMPlugin.h"
#include "XPLMProcessing.h"
#include "aircraft/models.h"
#include "carrier/carrier.h"
#include "carrier/panel.h"
#include "carrier/zoom.h"
#include "common/keys.h"
#include "frame/datarefs.h"
#include "frame/log.h"
#include "systems/glider.h"
#include "systems/stores.h"

XPLMDataRef dr_published[PublishedRefs] = {};

// The message both browsers take: "add this name to your list".
enum { MsgAddDataRef = 0x01000000 };
static const char* const Browsers[] = {
    "xplanesdk.examples.DataRefEditor",
    "com.leecbaker.datareftool",
};

static int   GetSlot(void*) { return Ident; }
static int   GetZoomPhase(void*) { return SHOISTactive ? zoom_on : -1; }
static int   GetReleaseRecord(void*) { return INDEXstored; }
static float GetWater(void*) { return m_jettison; }
static float GetThrustFactor(void*) { return thrust_maximum; }
static float GetGliderEngine(void*) { return swdi_ist; }
static int   GetGliderEngineOut(void*) { return engOn; }
static float GetDropTankFuel(void*) { return DTANKfuel; }
static int   GetCameraView(void*) { return CAMERAid; }
static float GetCameraZoom(void*) { return CAMERAzoom; }

// The panel page's five lines: three message lines, the bay line, the water line.
static int* const PanelLines[] = {&system21mes, &system22mes, &system23mes, &system24mes, &system25mes};
enum { PanelLineCount = sizeof PanelLines / sizeof PanelLines[0] };

// The caller's offset and count are checked, never trusted.
static int GetPanelMessages(void*, int* out, int offset, int max)
{
    if (!out)
        return PanelLineCount;
    if (offset < 0 || offset >= PanelLineCount || max <= 0)
        return 0;
    int n = 0;
    while (n < max && offset + n < PanelLineCount) {
        out[n] = *PanelLines[offset + n];
        ++n;
    }
    return n;
}

struct PublishedRef {
    const char*     name;
    XPLMDataTypeID  type;
    XPLMGetDatai_f  geti;
    XPLMGetDataf_f  getf;
    XPLMGetDatavi_f getvi;
};

static const PublishedRef Published[PublishedRefs] = {
    {"QZTgov/slot",                   xplmType_Int,      GetSlot,            nullptr,          nullptr},
    {"QZTgov/zoom/phase",             xplmType_Int,      GetZoomPhase,       nullptr,          nullptr},
    {"QZTgov/panel/messages",         xplmType_IntArray, nullptr,            nullptr,          GetPanelMessages},
    {"QZTgov/release/record",         xplmType_Int,      GetReleaseRecord,   nullptr,          nullptr},
    {"QZTgov/water/mass",             xplmType_Float,    nullptr,            GetWater,         nullptr},
    {"QZTgov/engine/thrust_factor",   xplmType_Float,    nullptr,            GetThrustFactor,  nullptr},
    {"QZTgov/glider/engine_position", xplmType_Float,    nullptr,            GetGliderEngine,  nullptr},
    {"QZTgov/glider/engine_out",      xplmType_Int,      GetGliderEngineOut, nullptr,          nullptr},
    {"QZTgov/droptank/fuel",          xplmType_Float,    nullptr,            GetDropTankFuel,  nullptr},
    {"QZTgov/camera/view",            xplmType_Int,      GetCameraView,      nullptr,          nullptr},
    {"QZTgov/camera/zoom",            xplmType_Float,    nullptr,            GetCameraZoom,    nullptr},
};

void PublishDataRefs()
{
    for (int i = 0; i < PublishedRefs; ++i) {
        const PublishedRef& p = Published[i];
        dr_published[i] = XPLMRegisterDataAccessor(p.name, p.type, 0, p.geti, nullptr, p.getf, nullptr, nullptr,
                                                   nullptr, p.getvi, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                   nullptr, nullptr);
        if (!dr_published[i])
            LogLine("cannot publish %s: the simulator refused the name", p.name);
    }
    // -1: the next flight loop, when the simulator has loaded every plug-in.
    XPLMRegisterFlightLoopCallback(AnnounceDataRefs, -1.0f, nullptr);
}

void UnpublishDataRefs()
{
    XPLMUnregisterFlightLoopCallback(AnnounceDataRefs, nullptr);
    for (int i = 0; i < PublishedRefs; ++i) {
        if (dr_published[i])
            XPLMUnregisterDataAccessor(dr_published[i]);
        dr_published[i] = nullptr;
    }
}

float AnnounceDataRefs(float, float, int, void*)
{
    for (const char* signature : Browsers) {
        const XPLMPluginID browser = XPLMFindPluginBySignature(signature);
        if (browser == XPLM_NO_PLUGIN_ID)
            continue;
        for (int i = 0; i < PublishedRefs; ++i)
            if (dr_published[i])
                XPLMSendMessageToPlugin(browser, MsgAddDataRef, const_cast<char*>(Published[i].name));
    }
    return 0.0f;   // once per start; stop unregisters it
}
