// prefs/dialog.h: the plug-in's menu handler and its dialog.
#pragma once

extern int MenuItem;                 // page of the open dialog: 0 none, 1 description, 2 preferences

// inItemRef is the item's own name string, "Description" or "Preferences".
void QZTflightGovMenuHandler(void* inMenuRef, void* inItemRef);
