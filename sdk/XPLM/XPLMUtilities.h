#ifndef XPLMUtilities_h
#define XPLMUtilities_h
/* Stand-in declarations: speech, the log, paths, key names, commands and the
 * legacy command buttons. */
#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(XPLM_DEPRECATED)
/* Joystick button commands; the host numbers them from 0 to 94. Only the ones
 * this project names are listed, with the host's values. */
enum {
    xplm_joy_nothing  = 0,
    xplm_joy_start_all = 1,
    xplm_joy_v_fr1    = 44,
    xplm_joy_v_fr2    = 45,
    xplm_joy_gear_tog = 51,
    xplm_joy_gear_up  = 52,
    xplm_joy_gear_down = 53,
    xplm_joy_max      = 94
};
typedef int XPLMCommandButtonID;

XPLM_API void XPLMCommandButtonPress(XPLMCommandButtonID inButton);
XPLM_API void XPLMCommandButtonRelease(XPLMCommandButtonID inButton);
#endif

XPLM_API void        XPLMSpeakString(const char* inString);
XPLM_API void        XPLMDebugString(const char* inString);
/* Fills at least 512 bytes with the host's root folder, ending in a separator. */
XPLM_API void        XPLMGetSystemPath(char* outSystemPath);
XPLM_API const char* XPLMGetDirectorySeparator(void);
XPLM_API const char* XPLMGetVirtualKeyDescription(char inVirtualKey);

#if defined(XPLM200)
/* Commands: named actions that keys, buttons and plug-ins run. */
typedef void* XPLMCommandRef;

enum {
    xplm_CommandBegin    = 0,
    xplm_CommandContinue = 1,
    xplm_CommandEnd      = 2
};
typedef int XPLMCommandPhase;

/* Returns 1 to let the command go on to later handlers and the host, 0 to stop it. */
typedef int (*XPLMCommandCallback_f)(XPLMCommandRef inCommand, XPLMCommandPhase inPhase, void* inRefcon);

XPLM_API XPLMCommandRef XPLMFindCommand(const char* inName);
XPLM_API void           XPLMCommandBegin(XPLMCommandRef inCommand);
XPLM_API void           XPLMCommandEnd(XPLMCommandRef inCommand);
XPLM_API void           XPLMCommandOnce(XPLMCommandRef inCommand);
XPLM_API XPLMCommandRef XPLMCreateCommand(const char* inName, const char* inDescription);
XPLM_API void           XPLMRegisterCommandHandler(XPLMCommandRef inCommand, XPLMCommandCallback_f inHandler,
                                                   int inBefore, void* inRefcon);
XPLM_API void           XPLMUnregisterCommandHandler(XPLMCommandRef inCommand, XPLMCommandCallback_f inHandler,
                                                     int inBefore, void* inRefcon);
#endif

#ifdef __cplusplus
}
#endif

#endif
