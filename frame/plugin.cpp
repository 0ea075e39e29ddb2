// frame/plugin.cpp: the entry points and the host's messages about the user's aircraft.
#include "frame/plugin.h"
#include <cstdint>
#include <cstdio>
#include <cstring>
#include "XPLMDisplay.h"
#include "XPLMPlugin.h"
#include "XPLMProcessing.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "aircraft/presets.h"
#include "carrier/orbiter.h"
#include "carrier/camera.h"
#include "common/commands.h"
#include "common/first_action.h"
#include "common/keys.h"
#include "common/timers.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "frame/datarefs.h"
#include "frame/log.h"
#include "frame/published.h"
#include "prefs/dialog.h"
#include "prefs/prefs.h"

XPLMMenuID QZTgovMenu = nullptr;
int        QZTgovMenuItem = -1;
uint8_t    AwaitEnable = 0;
uint8_t    NativePaths = 0;

// The menu handler tells the items apart by their reference, the item's own name.
static char DescriptionItem[] = "Description";
static char PreferencesItem[] = "Preferences";

static void CopyInfo(char* out, const char* text)
{
    if (out)
        std::snprintf(out, PluginInfoLen, "%s", text);
}

void ScheduleFirstAct()
{
    if (FirstActReg)
        return;
    // A spent registration is dropped first, so there is never more than one.
    XPLMUnregisterFlightLoopCallback(FIRSTAct, nullptr);
    XPLMRegisterFlightLoopCallback(FIRSTAct, 5.0f, nullptr);
    FirstActReg = 1;
}

void CancelFirstAct()
{
    XPLMUnregisterFlightLoopCallback(FIRSTAct, nullptr);
    FirstActReg = 0;
}

#if IBM
static const char PlatformName[] = "Windows";
#elif APL
static const char PlatformName[] = "macOS";
#else
static const char PlatformName[] = "Linux";
#endif

// What support asks first: which model the plug-in took the aircraft for.
static void LogUserAircraft()
{
    if (Ident != 0)
        LogLine("user aircraft recognised: slot %d, %s", Ident, FamilyOf(Ident).role);
    else
        LogLine("no QZT model recognised in the aircraft's description \"%.40s\"", descrip);
}

// The user's aircraft was loaded: whatever the last model held goes back, and
// the new one is recognised, set up and started.
static void UserPlaneLoaded()
{
    mis_seconds = 0;
    parkbrake_initial = 1;
    INFOfirstview = 1;
    // A brake release belongs to the aircraft it was made in: one left by
    // the carrier's take-off must not launch an orbiter loaded after it.
    go_initial = 0;
    PlaneCallbackClean();
    IdentifyPlane();
    LogUserAircraft();
    PlanePreset();
    if (Ident != 0)
        PlaneCallback();
}

// Paths in one form on every system: UTF-8 with '/' separators. The SDK asks
// every Mac plug-in to (the other form is a colon path the C library cannot
// open), and on Windows it is the only form that keeps a folder name outside
// the ANSI code page. Linux paths are the same either way.
static void EnableNativePaths()
{
    static const char Feature[] = "XPLM_USE_NATIVE_PATHS";
    if (XPLMHasFeature(Feature))
        XPLMEnableFeature(Feature, 1);
    NativePaths = XPLMIsFeatureEnabled(Feature) != 0;
}

PLUGIN_API int XPluginStart(char* outName, char* outSig, char* outDesc)
{
    LogLine("version %d.%02d for %s starting", qzt_vers / 100, qzt_vers % 100, PlatformName);
    AwaitEnable = 0;
    EnableNativePaths();
    InitDataRef(1, 1);

    CopyInfo(outName, "QZTgov");
    CopyInfo(outSig, "morvaln.flight.gov");
    CopyInfo(outDesc, "A plugin that handles ACFs from QZT");

    QZTgovMenuItem = XPLMAppendMenuItem(XPLMFindPluginsMenu(), "QZTgov", nullptr, 1);
    QZTgovMenu = XPLMCreateMenu("QZTgov", XPLMFindPluginsMenu(), QZTgovMenuItem, QZTflightGovMenuHandler, nullptr);
    XPLMAppendMenuItem(QZTgovMenu, DescriptionItem, DescriptionItem, 1);
    XPLMAppendMenuSeparator(QZTgovMenu);
    XPLMAppendMenuItem(QZTgovMenu, PreferencesItem, PreferencesItem, 1);

    XPLMRegisterKeySniffer(MyKeySniffer, 1, nullptr);
    RegisterCommands();
    // Two loops that wait, inactive, for a frame after a dialog's close and
    // after a camera's view button.
    XPLMRegisterFlightLoopCallback(DialogDestroyLoop, 0.0f, nullptr);
    XPLMRegisterFlightLoopCallback(CameraTakeLoop, 0.0f, nullptr);

    orb_latitude[0] = 30.0;
    orb_longitude[0] = 0.0;
    orb_elevation[0] = 100000.0;
    orb_pitch[0] = 15.0f;
    orb_roll[0] = 0.0f;
    orb_head[0] = 90.0f;

    MeasurePanel();
    PreferencesLoad();   // the file's record 0 overrides the default above
    PublishDataRefs();
    return 1;
}

// The simulator keeps whatever a stopped plug-in left behind (the user
// reloading the plug-ins mid-flight), and the callbacks would point into a
// file it then unloads: everything goes here. The model hands back what it
// holds and its loops, drawing and windows go with the clean-up.
PLUGIN_API void XPluginStop(void)
{
    DialogStop();
    PlaneCallbackClean();
    XPLMUnregisterFlightLoopCallback(DialogDestroyLoop, nullptr);
    XPLMUnregisterFlightLoopCallback(CameraTakeLoop, nullptr);
    XPLMUnregisterKeySniffer(MyKeySniffer, 1, nullptr);
    if (QZTgovMenu) {
        XPLMDestroyMenu(QZTgovMenu);
        QZTgovMenu = nullptr;
    }
    if (QZTgovMenuItem >= 0) {
        XPLMRemoveMenuItem(XPLMFindPluginsMenu(), QZTgovMenuItem);
        QZTgovMenuItem = -1;
    }
    UnregisterCommands();
    UnpublishDataRefs();
    AwaitEnable = 0;
}

// No message reaches a disabled plug-in: an aircraft loaded meanwhile is
// recognised once the plug-in is enabled again, as if its load had just been
// announced. The same aircraft goes on as its family's reset left it.
PLUGIN_API int XPluginEnable(void)
{
    if (AwaitEnable) {
        AwaitEnable = 0;
        char before[sizeof descrip];
        std::memcpy(before, descrip, sizeof before);
        ReadPlaneDescription();
        if (std::strcmp(before, descrip) != 0)
            UserPlaneLoaded();
    }
    return 1;
}

PLUGIN_API void XPluginDisable(void)
{
    keystat1 = -1;
    PlaneDisable();
    AwaitEnable = 1;
}

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID inFromWho, int inMessage, void* inParam)
{
    if (inFromWho != XPLM_PLUGIN_XPLANE)
        return;

    switch (inMessage) {
    case XPLM_MSG_PLANE_LOADED:
        // Another aircraft's load only restarts the mission clock: the first
        // brake release and the handbook's first showing belong to the user's
        // aircraft, and must never place the orbiter again in mid-flight.
        mis_seconds = 0;
        if (reinterpret_cast<intptr_t>(inParam) == 0) {
            ReadPlaneDescription();
            UserPlaneLoaded();
        }
        break;
    case XPLM_MSG_AIRPORT_LOADED:
        mis_seconds = 0;
        if (Ident == 0)
            break;
        PlanePreset();
        ScheduleFirstAct();
        break;
    case XPLM_MSG_PLANE_CRASHED:
        PlanePreset();
        parkbrake_initial = 1;
        INFOfirstview = 1;
        ScheduleFirstAct();
        break;
    default:
        break;
    }
}
