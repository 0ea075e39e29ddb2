#ifndef XPLMUtilities_h
#define XPLMUtilities_h
/* Stand-in declarations: speech, paths, key names and the legacy command buttons. */
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

#ifdef __cplusplus
}
#endif

#endif
