// tests/support/linked_plugin.h: the plug-in linked into the test program,
// handed to the stand-in host in place of a plug-in file.
#pragma once
#include "xphost.h"
#include "frame/plugin.h"

inline xphost::Plugin LinkedPlugin()
{
    xphost::Plugin p;
    p.start = XPluginStart;
    p.stop = XPluginStop;
    p.enable = XPluginEnable;
    p.disable = XPluginDisable;
    p.receive = XPluginReceiveMessage;
    return p;
}
