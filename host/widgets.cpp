// host/widgets.cpp: the widget library: the tree, standard classes, properties,
// descriptors, callbacks and message dispatch, and what a user's click causes.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "internal.h"

namespace xphost {
namespace {

struct WidgetRec {
    Widget pub;                                   // what the test side sees
    std::map<int, intptr_t> props;
    std::vector<XPWidgetFunc_t> callbacks;        // oldest first; the newest is asked first
    bool dying = false;
};

struct Widgets {
    std::map<XPWidgetID, std::unique_ptr<WidgetRec>> recs;
    std::vector<XPWidgetID> order;                // creation order
    bool action_handled = false;                  // what the last button action's message got
    std::vector<std::string> stale_calls;         // calls that named a widget no longer there
    std::vector<XPWidgetID> in_callback;          // widgets whose plug-in callback runs now
};

Widgets& ws()
{
    static Widgets* w = new Widgets;
    return *w;
}

WidgetRec* rec(XPWidgetID id)
{
    if (!id)
        return nullptr;
    auto it = ws().recs.find(id);
    return it == ws().recs.end() ? nullptr : it->second.get();
}

bool is_class_func(XPWidgetFunc_t fn);   // the library's own behaviour, not the plug-in's

// A plug-in's callback of the widget, told which widget it runs for.
int plugin_callback(XPWidgetFunc_t fn, XPWidgetMessage msg, XPWidgetID id, intptr_t p1, intptr_t p2)
{
    if (!detail::plugin_receives())
        return 0;
    ws().in_callback.push_back(id);
    const int answer = detail::call_plugin(CallbackKind::Other, fn, msg, id, p1, p2);
    ws().in_callback.pop_back();
    return answer;
}

// Asks the widget's callbacks, newest first. A callback may destroy the
// widget (a dialog closing itself): then nobody else is asked.
int dispatch_one(XPWidgetID id, XPWidgetMessage msg, intptr_t p1, intptr_t p2, bool all, bool once)
{
    WidgetRec* r = rec(id);
    if (!r)
        return 0;
    const std::vector<XPWidgetFunc_t> cbs = r->callbacks;
    int handled = 0;
    for (auto it = cbs.rbegin(); it != cbs.rend(); ++it) {
        if (!rec(id))
            break;
        const bool ok = is_class_func(*it) ? (*it)(msg, id, p1, p2) != 0
                                           : plugin_callback(*it, msg, id, p1, p2) != 0;
        if (ok) {
            handled = 1;
            if (!all)
                break;
        }
        if (once)
            break;
    }
    return handled;
}

int dispatch_recursive(XPWidgetID id, XPWidgetMessage msg, intptr_t p1, intptr_t p2)
{
    if (dispatch_one(id, msg, p1, p2, false, false))
        return 1;
    WidgetRec* r = rec(id);
    if (!r)
        return 0;
    const std::vector<XPWidgetID> kids = r->pub.children;
    for (XPWidgetID k : kids)
        if (dispatch_recursive(k, msg, p1, p2))
            return 1;
    return 0;
}

int send(XPWidgetID id, XPWidgetMessage msg, XPDispatchMode mode, intptr_t p1, intptr_t p2)
{
    switch (mode) {
    case xpMode_Direct:
        return dispatch_one(id, msg, p1, p2, false, false);
    case xpMode_UpChain:
        for (XPWidgetID w = id; w;) {
            WidgetRec* r = rec(w);
            if (!r)
                return 0;
            const XPWidgetID parent = r->pub.parent;   // read first: a handler may destroy w
            if (dispatch_one(w, msg, p1, p2, false, false))
                return 1;
            w = parent;
        }
        return 0;
    case xpMode_Recursive:
        return dispatch_recursive(id, msg, p1, p2);
    case xpMode_DirectAllCallbacks:
        return dispatch_one(id, msg, p1, p2, true, false);
    case xpMode_Once:
        return dispatch_one(id, msg, p1, p2, false, true);
    default:
        return 0;
    }
}

// The plug-in's side: a handle of a destroyed widget is a dangling pointer to
// the real library. The call is ignored here, and recorded for the tests.
WidgetRec* use(XPWidgetID id, const char* call)
{
    WidgetRec* r = rec(id);
    if (!r && id)
        ws().stale_calls.push_back(call);
    return r;
}

intptr_t prop(XPWidgetID id, int property)
{
    WidgetRec* r = rec(id);
    if (!r)
        return 0;
    auto it = r->props.find(property);
    return it == r->props.end() ? 0 : it->second;
}

bool inside(const Widget& w, int x, int y)
{
    return x >= w.left && x <= w.right && y >= w.bottom && y <= w.top;
}

// A button acts when the mouse is released over it, as the real library does.
void button_action(XPWidgetID id)
{
    const intptr_t behaviour = prop(id, xpProperty_ButtonBehavior);
    if (behaviour == xpButtonBehaviorCheckBox || behaviour == xpButtonBehaviorRadioButton) {
        const intptr_t state = behaviour == xpButtonBehaviorCheckBox ? !prop(id, xpProperty_ButtonState) : 1;
        rec(id)->props[xpProperty_ButtonState] = state;
        ws().action_handled = send(id, xpMsg_ButtonStateChanged, xpMode_UpChain, reinterpret_cast<intptr_t>(id), state);
    } else {
        ws().action_handled = send(id, xpMsg_PushButtonPressed, xpMode_UpChain, reinterpret_cast<intptr_t>(id), 0);
    }
}

int ButtonClass(XPWidgetMessage msg, XPWidgetID id, intptr_t p1, intptr_t)
{
    WidgetRec* r = rec(id);
    if (!r)
        return 0;
    switch (msg) {
    case xpMsg_MouseDown:
        r->props[xpProperty_Hilited] = 1;
        return 1;
    case xpMsg_MouseDrag:
        return 1;
    case xpMsg_MouseUp: {
        r->props[xpProperty_Hilited] = 0;
        const auto* m = reinterpret_cast<const XPMouseState_t*>(p1);
        if (!m || inside(r->pub, m->x, m->y))
            button_action(id);                     // may destroy the button
        return 1;
    }
    default:
        return 0;
    }
}

// Windows take the clicks that land on them; nothing closes by itself.
int MainWindowClass(XPWidgetMessage msg, XPWidgetID, intptr_t, intptr_t)
{
    return msg == xpMsg_MouseDown || msg == xpMsg_MouseDrag || msg == xpMsg_MouseUp;
}

// Captions, panels, fields, bars and graphics have no behaviour a test needs.
int PassiveClass(XPWidgetMessage, XPWidgetID, intptr_t, intptr_t) { return 0; }

XPWidgetFunc_t class_func(XPWidgetClass cls)
{
    switch (cls) {
    case xpWidgetClass_MainWindow: return MainWindowClass;
    case xpWidgetClass_Button: return ButtonClass;
    case xpWidgetClass_SubWindow:
    case xpWidgetClass_TextField:
    case xpWidgetClass_ScrollBar:
    case xpWidgetClass_Caption:
    case xpWidgetClass_GeneralGraphics:
    case xpWidgetClass_Progress: return PassiveClass;
    default: return nullptr;
    }
}

bool is_class_func(XPWidgetFunc_t fn) { return fn == MainWindowClass || fn == ButtonClass || fn == PassiveClass; }

void detach(XPWidgetID id)
{
    WidgetRec* r = rec(id);
    if (!r || !r->pub.parent)
        return;
    const XPWidgetID parent = r->pub.parent;
    r->pub.parent = nullptr;
    if (WidgetRec* p = rec(parent)) {
        auto& kids = p->pub.children;
        kids.erase(std::remove(kids.begin(), kids.end(), id), kids.end());
        send(parent, xpMsg_LoseChild, xpMode_Direct, reinterpret_cast<intptr_t>(id), 0);
    }
}

bool is_ancestor(XPWidgetID maybe, XPWidgetID of)
{
    for (WidgetRec* r = rec(of); r; r = rec(r->pub.parent))
        if (r->pub.id == maybe)
            return true;
    return false;
}

void place(XPWidgetID sub, XPWidgetID container)
{
    WidgetRec* s = rec(sub);
    if (!s || sub == container || (container && is_ancestor(sub, container)))
        return;                                    // no cycles in the tree
    detach(sub);
    WidgetRec* c = rec(container);
    if (!c)
        return;
    s->pub.parent = container;
    c->pub.children.push_back(sub);
    send(container, xpMsg_AcceptChild, xpMode_Direct, reinterpret_cast<intptr_t>(sub), 0);
    send(sub, xpMsg_AcceptParent, xpMode_Direct, reinterpret_cast<intptr_t>(container), 0);
}

XPWidgetID create(int l, int t, int r, int b, int visible, const char* desc, int isRoot, XPWidgetID container,
                  XPWidgetClass cls, XPWidgetFunc_t fn)
{
    auto w = std::make_unique<WidgetRec>();
    const XPWidgetID id = detail::next_id();
    w->pub.id = id;
    w->pub.left = l;
    w->pub.top = t;
    w->pub.right = r;
    w->pub.bottom = b;
    w->pub.visible = visible != 0;
    w->pub.root = isRoot != 0;
    w->pub.widget_class = cls;
    w->pub.descriptor = desc ? desc : "";
    if (fn)
        w->callbacks.push_back(fn);
    ws().recs.emplace(id, std::move(w));
    ws().order.push_back(id);
    if (!isRoot && container)                       // a root has no container
        place(id, container);
    send(id, xpMsg_Create, xpMode_Direct, 0, 0);
    return rec(id) ? id : nullptr;
}

void destroy(XPWidgetID id, bool children, bool asChild)
{
    WidgetRec* r = rec(id);
    if (!r || r->dying)
        return;
    r->dying = true;
    if (children) {
        const std::vector<XPWidgetID> kids = r->pub.children;
        for (XPWidgetID k : kids)
            destroy(k, true, true);
    }
    send(id, xpMsg_Destroy, xpMode_DirectAllCallbacks, asChild ? 1 : 0, 0);
    if (!rec(id))
        return;
    detach(id);
    const std::vector<XPWidgetID> orphans = rec(id)->pub.children;
    for (XPWidgetID k : orphans)
        if (WidgetRec* kr = rec(k))
            kr->pub.parent = nullptr;
    ws().recs.erase(id);
    auto& order = ws().order;
    order.erase(std::remove(order.begin(), order.end(), id), order.end());
}

bool visible_in_tree(XPWidgetID id)
{
    WidgetRec* r = rec(id);
    while (r) {
        if (!r->pub.visible)
            return false;
        if (!r->pub.parent)
            return r->pub.root;
        r = rec(r->pub.parent);
    }
    return false;
}

}  // namespace

namespace detail {

void reset_widgets()
{
    ws().recs.clear();
    ws().order.clear();
    ws().action_handled = false;
    ws().stale_calls.clear();
    ws().in_callback.clear();
}

// The widgets stay with the library, one fault for each tree; only the
// library's own behaviour is left in them.
void drop_plugin_widgets()
{
    for (XPWidgetID id : ws().order) {
        WidgetRec* r = rec(id);
        if (!r->pub.parent)
            record_fault("the widget \"" + r->pub.descriptor + "\" was left behind with its children");
        auto& cbs = r->callbacks;
        cbs.erase(std::remove_if(cbs.begin(), cbs.end(), [](XPWidgetFunc_t f) { return !is_class_func(f); }),
                  cbs.end());
    }
}

}  // namespace detail

// ---------------------------------------------------------------- test side

std::vector<Widget> widgets()
{
    std::vector<Widget> out;
    for (XPWidgetID id : ws().order)
        out.push_back(rec(id)->pub);
    return out;
}

const Widget* widget(XPWidgetID id)
{
    WidgetRec* r = rec(id);
    return r ? &r->pub : nullptr;
}

bool widget_exists(XPWidgetID id) { return rec(id) != nullptr; }

XPWidgetID find_widget(const std::string& descriptor, int widgetClass)
{
    for (XPWidgetID id : ws().order) {
        const Widget& w = rec(id)->pub;
        if (w.descriptor == descriptor && (widgetClass < 0 || w.widget_class == widgetClass))
            return id;
    }
    return nullptr;
}

intptr_t widget_property(XPWidgetID id, int property) { return prop(id, property); }

const std::vector<std::string>& stale_widget_calls() { return ws().stale_calls; }

// A user's click: mouse down on the button, then up over its middle. Only a
// shown and enabled widget can be clicked.
bool press_button(XPWidgetID button)
{
    WidgetRec* r = rec(button);
    if (!r || !visible_in_tree(button))
        return false;
    if (r->props.count(xpProperty_Enabled) && r->props[xpProperty_Enabled] == 0)
        return false;
    XPMouseState_t m{};
    m.x = (r->pub.left + r->pub.right) / 2;
    m.y = (r->pub.top + r->pub.bottom) / 2;
    ws().action_handled = false;
    send(button, xpMsg_MouseDown, xpMode_UpChain, reinterpret_cast<intptr_t>(&m), 0);
    if (rec(button))
        send(button, xpMsg_MouseUp, xpMode_UpChain, reinterpret_cast<intptr_t>(&m), 0);
    return ws().action_handled;
}

bool press_close_box(XPWidgetID mainWindow)
{
    WidgetRec* r = rec(mainWindow);
    if (!r || !visible_in_tree(mainWindow) || r->pub.widget_class != xpWidgetClass_MainWindow ||
        !prop(mainWindow, xpProperty_MainWindowHasCloseBoxes))
        return false;
    return send(mainWindow, xpMessage_CloseButtonPushed, xpMode_UpChain, reinterpret_cast<intptr_t>(mainWindow), 0);
}

}  // namespace xphost

// ---------------------------------------------------------------- plug-in side

using namespace xphost;

XPWidgetID XPCreateWidget(int inLeft, int inTop, int inRight, int inBottom, int inVisible, const char* inDescriptor,
                          int inIsRoot, XPWidgetID inContainer, XPWidgetClass inClass)
{
    XPHOST_API(XPCreateWidget, inLeft, inTop, inRight, inBottom, inVisible, text(inDescriptor), inIsRoot, inContainer, inClass);
    use(inContainer, "XPCreateWidget");
    return create(inLeft, inTop, inRight, inBottom, inVisible, inDescriptor, inIsRoot, inContainer, inClass,
                  class_func(inClass));
}

XPWidgetID XPCreateCustomWidget(int inLeft, int inTop, int inRight, int inBottom, int inVisible,
                                const char* inDescriptor, int inIsRoot, XPWidgetID inContainer,
                                XPWidgetFunc_t inCallback)
{
    XPHOST_API(XPCreateCustomWidget, inLeft, inTop, inRight, inBottom, inVisible, text(inDescriptor), inIsRoot, inContainer, inCallback);
    use(inContainer, "XPCreateCustomWidget");
    return create(inLeft, inTop, inRight, inBottom, inVisible, inDescriptor, inIsRoot, inContainer,
                  xpWidgetClass_None, inCallback);
}

void XPDestroyWidget(XPWidgetID inWidget, int inDestroyChildren)
{
    XPHOST_API(XPDestroyWidget, inWidget, inDestroyChildren);
    if (!use(inWidget, "XPDestroyWidget"))
        return;
    // The library documents no guarantee for a widget destroyed while a
    // callback of it or of a widget inside it is running.
    for (XPWidgetID running : ws().in_callback) {
        if (running == inWidget || is_ancestor(inWidget, running)) {
            detail::record_fault("a widget was destroyed from inside a callback of its own tree");
            break;
        }
    }
    destroy(inWidget, inDestroyChildren != 0, false);
}

int XPSendMessageToWidget(XPWidgetID inWidget, XPWidgetMessage inMessage, XPDispatchMode inMode, intptr_t inParam1,
                          intptr_t inParam2)
{
    XPHOST_API(XPSendMessageToWidget, inWidget, inMessage, inMode, inParam1, inParam2);
    if (!use(inWidget, "XPSendMessageToWidget"))
        return 0;
    return send(inWidget, inMessage, inMode, inParam1, inParam2);
}

void XPPlaceWidgetWithin(XPWidgetID inSubWidget, XPWidgetID inContainer)
{
    XPHOST_API(XPPlaceWidgetWithin, inSubWidget, inContainer);
    use(inSubWidget, "XPPlaceWidgetWithin");
    use(inContainer, "XPPlaceWidgetWithin");
    place(inSubWidget, inContainer);
}

int XPCountChildWidgets(XPWidgetID inWidget)
{
    XPHOST_API(XPCountChildWidgets, inWidget);
    WidgetRec* r = use(inWidget, "XPCountChildWidgets");
    return r ? static_cast<int>(r->pub.children.size()) : 0;
}

XPWidgetID XPGetNthChildWidget(XPWidgetID inWidget, int inIndex)
{
    XPHOST_API(XPGetNthChildWidget, inWidget, inIndex);
    WidgetRec* r = use(inWidget, "XPGetNthChildWidget");
    if (!r || inIndex < 0 || inIndex >= static_cast<int>(r->pub.children.size()))
        return nullptr;
    return r->pub.children[inIndex];
}

XPWidgetID XPGetParentWidget(XPWidgetID inWidget)
{
    XPHOST_API(XPGetParentWidget, inWidget);
    WidgetRec* r = use(inWidget, "XPGetParentWidget");
    return r ? r->pub.parent : nullptr;
}

void XPShowWidget(XPWidgetID inWidget)
{
    XPHOST_API(XPShowWidget, inWidget);
    WidgetRec* r = use(inWidget, "XPShowWidget");
    if (!r || r->pub.visible)
        return;
    r->pub.visible = true;
    send(inWidget, xpMsg_Shown, xpMode_UpChain, reinterpret_cast<intptr_t>(inWidget), 0);
}

void XPHideWidget(XPWidgetID inWidget)
{
    XPHOST_API(XPHideWidget, inWidget);
    WidgetRec* r = use(inWidget, "XPHideWidget");
    if (!r || !r->pub.visible)
        return;
    r->pub.visible = false;
    send(inWidget, xpMsg_Hidden, xpMode_UpChain, reinterpret_cast<intptr_t>(inWidget), 0);
}

int XPIsWidgetVisible(XPWidgetID inWidget)
{
    XPHOST_API(XPIsWidgetVisible, inWidget);
    use(inWidget, "XPIsWidgetVisible");
    return visible_in_tree(inWidget) ? 1 : 0;
}

XPWidgetID XPFindRootWidget(XPWidgetID inWidget)
{
    XPHOST_API(XPFindRootWidget, inWidget);
    WidgetRec* r = use(inWidget, "XPFindRootWidget");
    while (r && r->pub.parent)
        r = rec(r->pub.parent);
    return r && r->pub.root ? r->pub.id : nullptr;
}

void XPGetWidgetGeometry(XPWidgetID inWidget, int* outLeft, int* outTop, int* outRight, int* outBottom)
{
    XPHOST_API(XPGetWidgetGeometry, inWidget, out(outLeft, 1), out(outTop, 1), out(outRight, 1), out(outBottom, 1));
    WidgetRec* r = use(inWidget, "XPGetWidgetGeometry");
    if (!r)
        return;
    if (outLeft) *outLeft = r->pub.left;
    if (outTop) *outTop = r->pub.top;
    if (outRight) *outRight = r->pub.right;
    if (outBottom) *outBottom = r->pub.bottom;
}

void XPSetWidgetGeometry(XPWidgetID inWidget, int inLeft, int inTop, int inRight, int inBottom)
{
    XPHOST_API(XPSetWidgetGeometry, inWidget, inLeft, inTop, inRight, inBottom);
    WidgetRec* r = use(inWidget, "XPSetWidgetGeometry");
    if (!r)
        return;
    XPWidgetGeometryChange_t change{inLeft - r->pub.left, inTop - r->pub.top,
                                    (inRight - inLeft) - (r->pub.right - r->pub.left),
                                    (inTop - inBottom) - (r->pub.top - r->pub.bottom)};
    r->pub.left = inLeft;
    r->pub.top = inTop;
    r->pub.right = inRight;
    r->pub.bottom = inBottom;
    send(inWidget, xpMsg_Reshape, xpMode_UpChain, reinterpret_cast<intptr_t>(inWidget),
         reinterpret_cast<intptr_t>(&change));
}

void XPSetWidgetDescriptor(XPWidgetID inWidget, const char* inDescriptor)
{
    XPHOST_API(XPSetWidgetDescriptor, inWidget, text(inDescriptor));
    WidgetRec* r = use(inWidget, "XPSetWidgetDescriptor");
    if (!r)
        return;
    r->pub.descriptor = inDescriptor ? inDescriptor : "";
    send(inWidget, xpMsg_DescriptorChanged, xpMode_Direct, 0, 0);
}

int XPGetWidgetDescriptor(XPWidgetID inWidget, char* outDescriptor, int inMaxDescLength)
{
    XPHOST_API(XPGetWidgetDescriptor, inWidget, out(outDescriptor, inMaxDescLength), inMaxDescLength);
    WidgetRec* r = use(inWidget, "XPGetWidgetDescriptor");
    if (!r)
        return 0;
    const std::string& d = r->pub.descriptor;
    if (outDescriptor && inMaxDescLength > 0) {
        // As strncpy: NUL-padded when it fits, unterminated when it does not.
        const size_t n = std::min(d.size(), static_cast<size_t>(inMaxDescLength));
        std::memcpy(outDescriptor, d.data(), n);
        if (n < static_cast<size_t>(inMaxDescLength))
            std::memset(outDescriptor + n, 0, inMaxDescLength - n);
    }
    return static_cast<int>(d.size());
}

void XPSetWidgetProperty(XPWidgetID inWidget, XPWidgetPropertyID inProperty, intptr_t inValue)
{
    XPHOST_API(XPSetWidgetProperty, inWidget, inProperty, inValue);
    WidgetRec* r = use(inWidget, "XPSetWidgetProperty");
    if (!r)
        return;
    r->props[inProperty] = inValue;
    send(inWidget, xpMsg_PropertyChanged, xpMode_Direct, inProperty, inValue);
}

intptr_t XPGetWidgetProperty(XPWidgetID inWidget, XPWidgetPropertyID inProperty, int* inExists)
{
    XPHOST_API(XPGetWidgetProperty, inWidget, inProperty, out(inExists, 1));
    WidgetRec* r = use(inWidget, "XPGetWidgetProperty");
    const bool has = r && r->props.count(inProperty);
    if (inExists)
        *inExists = has ? 1 : 0;
    return has ? r->props[inProperty] : 0;
}

void XPAddWidgetCallback(XPWidgetID inWidget, XPWidgetFunc_t inNewCallback)
{
    XPHOST_API(XPAddWidgetCallback, inWidget, inNewCallback);
    WidgetRec* r = use(inWidget, "XPAddWidgetCallback");
    if (!r || !inNewCallback)
        return;
    r->callbacks.push_back(inNewCallback);
    inNewCallback(xpMsg_Create, inWidget, 1, 0);   // added as a subclass
}

XPWidgetFunc_t XPGetWidgetClassFunc(XPWidgetClass inWidgetClass)
{
    XPHOST_API(XPGetWidgetClassFunc, inWidgetClass);
    return class_func(inWidgetClass);
}
