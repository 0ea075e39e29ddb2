// prefs/dialog.h: the plug-in's menu handler and its dialog.
#pragma once
#include "XPWidgetDefs.h"

extern int MenuItem;                 // page of the open dialog: 0 none, 1 description, 2 preferences
extern XPWidgetID QZTkeyText;        // caption with the QZT key's name; the key capture writes it

// inItemRef is the item's own name string, "Description" or "Preferences".
void QZTflightGovMenuHandler(void* inMenuRef, void* inItemRef);
