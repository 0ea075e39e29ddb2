#ifndef XPLMPlugin_h
#define XPLMPlugin_h
/* Stand-in declarations: finding other plug-ins, messages between plug-ins,
 * and the numbers of the messages the host sends. */
#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

/* XPLM_NO_PLUGIN_ID when no loaded plug-in has the signature. */
XPLM_API XPLMPluginID XPLMFindPluginBySignature(const char* inSignature);
/* inPlugin XPLM_NO_PLUGIN_ID sends to every plug-in. */
XPLM_API void XPLMSendMessageToPlugin(XPLMPluginID inPlugin, int inMessage, void* inParam);

#if defined(XPLM200)
/* Named host behaviours a plug-in may switch on, e.g. "XPLM_USE_NATIVE_PATHS". */
XPLM_API int  XPLMHasFeature(const char* inFeature);
XPLM_API int  XPLMIsFeatureEnabled(const char* inFeature);
XPLM_API void XPLMEnableFeature(const char* inFeature, int inEnable);
#endif

#ifdef __cplusplus
}
#endif

#define XPLM_MSG_PLANE_CRASHED            101
#define XPLM_MSG_PLANE_LOADED             102
#define XPLM_MSG_AIRPORT_LOADED           103
#define XPLM_MSG_SCENERY_LOADED           104
#define XPLM_MSG_AIRPLANE_COUNT_CHANGED   105
#if defined(XPLM200)
#define XPLM_MSG_PLANE_UNLOADED           106
#endif
#if defined(XPLM210)
#define XPLM_MSG_WILL_WRITE_PREFS         107
#define XPLM_MSG_LIVERY_LOADED            108
#endif

#endif
