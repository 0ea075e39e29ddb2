// prefs/dialog.cpp: the menu handler.
#include "prefs/dialog.h"

int MenuItem = 0;
XPWidgetID QZTkeyText = nullptr;

// The dialog pages are built here once the dialog exists; until then a
// selection is accepted and nothing opens.
void QZTflightGovMenuHandler(void*, void*) {}
