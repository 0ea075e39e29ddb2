// common/commands.h: the plug-in's commands, so that pilots can put the QZT key
// and the camera zoom on joystick buttons or keys of their own choosing.
#pragma once
#include "XPLMUtilities.h"

enum { QZTCommandCount = 3 };
extern XPLMCommandRef cmd_QZT[QZTCommandCount];   // qzt_key, camera_zoom_in, camera_zoom_out

void RegisterCommands();             // at start: creates the commands and takes their presses
void UnregisterCommands();           // at stop: the simulator keeps the commands, not our handler
