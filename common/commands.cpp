// common/commands.cpp
#include "common/commands.h"
#include <cstdint>
#include "common/keys.h"

XPLMCommandRef cmd_QZT[QZTCommandCount] = {};

struct QZTCommand {
    const char* name;
    const char* description;
    void (*action)();
};

static const QZTCommand QZTCommands[QZTCommandCount] = {
    {"QZTgov/qzt_key",         "QZT key: the loaded model's special function", QZTkeyAction},
    {"QZTgov/camera_zoom_in",  "Zoom the external camera in",                  CAMzoomInAction},
    {"QZTgov/camera_zoom_out", "Zoom the external camera out",                 CAMzoomOutAction},
};

// The refcon is the command's row. A command acts once per press, when the
// button goes down: the key's rules (its release, no modifier) are the key's.
// While the dialog waits for a new QZT key nothing acts: the key the user
// presses for it may be bound to one of these commands, and that press belongs
// to the capture alone, as it does in the key sniffer. Always passed on.
static int QZTCommandHandler(XPLMCommandRef, XPLMCommandPhase inPhase, void* inRefcon)
{
    const intptr_t row = reinterpret_cast<intptr_t>(inRefcon);
    if (inPhase == xplm_CommandBegin && defKey != 1 && row >= 0 && row < QZTCommandCount)
        QZTCommands[row].action();
    return 1;
}

static void* RowRef(int row) { return reinterpret_cast<void*>(static_cast<intptr_t>(row)); }

void RegisterCommands()
{
    for (int i = 0; i < QZTCommandCount; ++i) {
        // A second start finds the command the simulator kept from the first.
        cmd_QZT[i] = XPLMCreateCommand(QZTCommands[i].name, QZTCommands[i].description);
        if (cmd_QZT[i])
            XPLMRegisterCommandHandler(cmd_QZT[i], QZTCommandHandler, 1, RowRef(i));
    }
}

void UnregisterCommands()
{
    for (int i = 0; i < QZTCommandCount; ++i) {
        if (cmd_QZT[i])
            XPLMUnregisterCommandHandler(cmd_QZT[i], QZTCommandHandler, 1, RowRef(i));
        cmd_QZT[i] = nullptr;
    }
}
