// host/widgets.cpp: placeholder until the widget library lands.
#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "internal.h"

namespace xphost {
namespace detail {
void reset_widgets() {}
}  // namespace detail
std::vector<Widget> widgets() { return {}; }
const Widget* widget(XPWidgetID) { return nullptr; }
bool widget_exists(XPWidgetID) { return false; }
XPWidgetID find_widget(const std::string&, int) { return nullptr; }
intptr_t widget_property(XPWidgetID, int) { return 0; }
bool press_button(XPWidgetID) { return false; }
bool press_close_box(XPWidgetID) { return false; }
}  // namespace xphost

XPWidgetID XPCreateWidget(int, int, int, int, int, const char*, int, XPWidgetID, XPWidgetClass) { return nullptr; }
XPWidgetID XPCreateCustomWidget(int, int, int, int, int, const char*, int, XPWidgetID, XPWidgetFunc_t) { return nullptr; }
void XPDestroyWidget(XPWidgetID, int) {}
int XPSendMessageToWidget(XPWidgetID, XPWidgetMessage, XPDispatchMode, intptr_t, intptr_t) { return 0; }
void XPPlaceWidgetWithin(XPWidgetID, XPWidgetID) {}
int XPCountChildWidgets(XPWidgetID) { return 0; }
XPWidgetID XPGetNthChildWidget(XPWidgetID, int) { return nullptr; }
XPWidgetID XPGetParentWidget(XPWidgetID) { return nullptr; }
void XPShowWidget(XPWidgetID) {}
void XPHideWidget(XPWidgetID) {}
int XPIsWidgetVisible(XPWidgetID) { return 0; }
XPWidgetID XPFindRootWidget(XPWidgetID) { return nullptr; }
void XPGetWidgetGeometry(XPWidgetID, int*, int*, int*, int*) {}
void XPSetWidgetGeometry(XPWidgetID, int, int, int, int) {}
void XPSetWidgetDescriptor(XPWidgetID, const char*) {}
int XPGetWidgetDescriptor(XPWidgetID, char*, int) { return 0; }
void XPSetWidgetProperty(XPWidgetID, XPWidgetPropertyID, intptr_t) {}
intptr_t XPGetWidgetProperty(XPWidgetID, XPWidgetPropertyID, int* inExists) { if (inExists) *inExists = 0; return 0; }
void XPAddWidgetCallback(XPWidgetID, XPWidgetFunc_t) {}
XPWidgetFunc_t XPGetWidgetClassFunc(XPWidgetClass) { return nullptr; }
