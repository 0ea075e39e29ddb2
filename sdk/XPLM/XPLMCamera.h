#ifndef XPLMCamera_h
#define XPLMCamera_h
/* Stand-in declarations: taking over the host's camera. */
#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    xplm_ControlCameraUntilViewChanges = 1,
    xplm_ControlCameraForever          = 2
};
typedef int XPLMCameraControlDuration;

/* Local OpenGL metres, degrees, and a zoom factor (1 = normal). */
typedef struct {
    float x;
    float y;
    float z;
    float pitch;
    float heading;
    float roll;
    float zoom;
} XPLMCameraPosition_t;

/* outCameraPosition is NULL on the call that tells the plug-in it lost control.
 * Return 1 to keep control, 0 to give it back. */
typedef int (*XPLMCameraControl_f)(XPLMCameraPosition_t* outCameraPosition, int inIsLosingControl,
                                   void* inRefcon);

XPLM_API void XPLMControlCamera(XPLMCameraControlDuration inHowLong, XPLMCameraControl_f inControlFunc,
                                void* inRefcon);
XPLM_API void XPLMDontControlCamera(void);
XPLM_API int  XPLMIsCameraBeingControlled(XPLMCameraControlDuration* outCameraControlDuration);

#ifdef __cplusplus
}
#endif

#endif
