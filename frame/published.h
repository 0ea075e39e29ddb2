// frame/published.h: the plug-in's own figures, published read-only under
// "QZTgov/" for cockpit builders, scripts and the dataref browsers. The
// accessors only read the plug-in's globals, so a panel may read them every
// frame at no cost.
#pragma once
#include <cstdint>
#include "XPLMDataAccess.h"

enum { PublishedRefs = 11 };
extern XPLMDataRef dr_published[PublishedRefs];   // null when not registered

void PublishDataRefs();              // at start: registers each name, and the announcement below
void UnpublishDataRefs();            // at stop

// The first flight loop after start, once every plug-in is loaded: tells
// DataRef Editor and DataRefTool, where present, each published name once.
float AnnounceDataRefs(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
