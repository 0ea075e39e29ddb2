// frame/plugin.h: the five entry points the host calls, and the plug-in's menu.
#pragma once
#include <cstdint>
#include "XPLMDefs.h"
#include "XPLMMenus.h"

PLUGIN_API int  XPluginStart(char* outName, char* outSig, char* outDesc);
PLUGIN_API void XPluginStop(void);
PLUGIN_API int  XPluginEnable(void);
PLUGIN_API void XPluginDisable(void);
PLUGIN_API void XPluginReceiveMessage(XPLMPluginID inFromWho, int inMessage, void* inParam);

extern XPLMMenuID QZTgovMenu;       // the "QZTgov" submenu of the plug-ins menu
extern int        QZTgovMenuItem;   // its item in the plug-ins menu
extern uint8_t    AwaitEnable;      // disabled: messages may have been missed until the enable
extern uint8_t    NativePaths;      // the host gives its paths in UTF-8 with '/' separators

// The host hands the plug-in buffers of 256 bytes for its name, signature and description.
enum { PluginInfoLen = 256 };

// Registers the one-shot first action 5 s from now unless it is already pending.
void ScheduleFirstAct();
// Drops a pending first action.
void CancelFirstAct();
