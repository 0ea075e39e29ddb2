// host/display.cpp: drawing callbacks, the display list, windows, mouse and keys.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "internal.h"

namespace xphost {
namespace {

struct DrawReg {
    DrawCallback cb;
    uint64_t serial = 0;
};

struct WindowRec {
    Window w;
    int number = 0;                      // creation number since reset, for "window N"
};

struct SnifferReg {
    KeySniffer s;
    uint64_t serial = 0;
};

struct Display {
    std::vector<DrawReg> draws;          // registration order
    // The frame being drawn fills `building` from its start, reusing the
    // records (and their strings' room) of the frame before the last, so a
    // frame like the one before allocates nothing; `built` counts them.
    std::vector<DrawOp> building;
    size_t built = 0;
    std::vector<DrawOp> last;            // the last complete frame
    std::string source;                  // who is drawing now
    std::vector<DrawReg> regs;           // a pass's copy of the registrations
    std::vector<int> phases;
    std::vector<WindowRec> wins;
    std::vector<WindowRec> windows;      // creation order
    int created = 0, destroyed = 0;
    XPLMWindowID captured = nullptr;     // the window that took the mouse down
    bool down_taken = false;
    int mouse_x = 0, mouse_y = 0;
    int screen_w = 1024, screen_h = 768;
    std::vector<SnifferReg> sniffers;
    XPLMWindowID focus = nullptr;        // the legacy interface gives no way to take focus
    uint64_t serial = 0;
    bool windows_drawn = true;           // false in VR: legacy windows are neither drawn nor clicked
    NumberStyle numbers = NumberStyle::Plain;
};

Display& disp()
{
    static Display* d = new Display;
    return *d;
}

WindowRec* window_rec(XPLMWindowID id)
{
    if (!id)
        return nullptr;
    for (auto& r : disp().windows)
        if (r.w.id == id)
            return &r;
    return nullptr;
}

bool draw_registered(uint64_t serial)
{
    for (const auto& d : disp().draws)
        if (d.serial == serial)
            return true;
    return false;
}

bool sniffer_registered(uint64_t serial)
{
    for (const auto& s : disp().sniffers)
        if (s.serial == serial)
            return true;
    return false;
}

bool valid_phase(int phase)
{
    return (phase >= 0 && phase <= 30 && phase % 5 == 0) || (phase >= 35 && phase <= 55 && phase % 5 == 0);
}

bool contains(const Window& w, int x, int y)
{
    return x >= w.left && x <= w.right && y >= w.bottom && y <= w.top;
}

void draw_pass(XPLMDrawCallback_f onlyCallback, XPLMDrawWindow_f onlyWindow);

}  // namespace

namespace detail {

void reset_display()
{
    Display& d = disp();
    d.draws.clear();
    d.building.clear();
    d.built = 0;
    d.last.clear();
    d.source.clear();
    d.windows.clear();
    d.created = d.destroyed = 0;
    d.captured = nullptr;
    d.down_taken = false;
    d.mouse_x = d.mouse_y = 0;
    d.screen_w = 1024;
    d.screen_h = 768;
    d.sniffers.clear();
    d.focus = nullptr;
    d.windows_drawn = true;
    d.numbers = NumberStyle::Plain;
}

void drop_plugin_display()
{
    Display& d = disp();
    char what[96];
    for (const auto& r : d.draws) {
        std::snprintf(what, sizeof what, "a drawing callback of phase %d was left registered", r.cb.phase);
        record_fault(what);
    }
    d.draws.clear();
    // The simulator keeps a window whose owner is gone; its functions are
    // never called again.
    for (auto& r : d.windows) {
        std::snprintf(what, sizeof what, "window %d was left behind", r.number);
        record_fault(what);
        r.w.draw = nullptr;
        r.w.key = nullptr;
        r.w.mouse = nullptr;
    }
    for (size_t k = 0; k < d.sniffers.size(); ++k)
        record_fault("a key sniffer was left registered");
    d.captured = nullptr;
    d.down_taken = false;
    d.sniffers.clear();
    d.focus = nullptr;
}

void draw_pass() { xphost::draw_pass(nullptr, nullptr); }

}  // namespace detail

namespace {

// One drawing pass, of everything or (benchmarks) of one callback or window.
void draw_pass(XPLMDrawCallback_f onlyCallback, XPLMDrawWindow_f onlyWindow)
{
    Display& d = disp();
    d.built = 0;
    detail::count_frame();
    const bool all = !onlyCallback && !onlyWindow;
    if (!detail::plugin_receives()) {              // nothing of a disabled plug-in is drawn
        d.building.resize(0);
        d.last.swap(d.building);
        return;
    }

    // Callbacks may register or unregister others while drawing: walk a copy
    // and skip any that are gone by their turn. (A callback drawing a frame of
    // its own within the pass is not supported.)
    std::vector<DrawReg>& regs = d.regs;
    regs.assign(d.draws.begin(), d.draws.end());
    std::vector<int>& phases = d.phases;
    phases.clear();
    for (const auto& r : regs)
        phases.push_back(r.cb.phase);
    std::sort(phases.begin(), phases.end());
    phases.erase(std::unique(phases.begin(), phases.end()), phases.end());
    char source[32];
    for (int phase : phases) {
        for (int before = 1; before >= 0; --before) {
            for (const auto& r : regs) {
                if (r.cb.phase != phase || (r.cb.before != 0) != (before != 0) || !draw_registered(r.serial))
                    continue;
                if (!all && r.cb.callback != onlyCallback)
                    continue;
                std::snprintf(source, sizeof source, "phase %d", phase);
                d.source.assign(source);
                detail::call_plugin(CallbackKind::Drawing, r.cb.callback, phase, before, r.cb.refcon);
            }
        }
    }

    std::vector<WindowRec>& wins = d.wins;
    wins.assign(d.windows.begin(), d.windows.end());
    if (!d.windows_drawn)
        wins.clear();
    for (const auto& r : wins) {
        WindowRec* live = window_rec(r.w.id);
        if (!live || !live->w.visible || !live->w.draw || (!all && live->w.draw != onlyWindow))
            continue;
        std::snprintf(source, sizeof source, "window %d", r.number);
        d.source.assign(source);
        detail::call_plugin(CallbackKind::Drawing, live->w.draw, live->w.id, live->w.refcon);
    }

    d.source.clear();
    d.building.resize(d.built);
    d.last.swap(d.building);
}

}  // namespace

// ---------------------------------------------------------------- drawing

std::vector<DrawCallback> draw_callbacks()
{
    std::vector<DrawCallback> out;
    for (const auto& r : disp().draws)
        out.push_back(r.cb);
    return out;
}

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// Decimal digits of n, at least `width` of them, at `at`; returns the end.
char* put_digits(char* at, unsigned long long n, int width)
{
    char rev[24];
    int len = 0;
    do {
        rev[len++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n);
    while (len < width)
        rev[len++] = '0';
    while (len)
        *at++ = rev[--len];
    return at;
}

// The magnitude as "%.*f" prints it, into buf; returns its length. Without
// printf where the result is certain: the scaled value is exact to far less
// than its distance from a rounding tie.
size_t magnitude_text(char* buf, size_t size, double magnitude, int decimals, bool* nonZero)
{
    if (decimals < 10 && magnitude < 1e15) {
        const double scaled = magnitude * kPow10[decimals];
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) > scaled * 1e-15 + 1e-300) {
            const auto n = static_cast<unsigned long long>(fraction > 0.5 ? whole + 1.0 : whole);
            const auto unit = static_cast<unsigned long long>(kPow10[decimals]);
            char* at = put_digits(buf, n / unit, 1);
            if (decimals > 0) {
                *at++ = '.';
                at = put_digits(at, n % unit, decimals);
            }
            *nonZero = n != 0;
            return static_cast<size_t>(at - buf);
        }
    }
    const int len = std::snprintf(buf, size, "%.*f", decimals, magnitude);
    *nonZero = std::strspn(buf, "0.") != std::strlen(buf);
    return static_cast<size_t>(std::clamp(len, 0, static_cast<int>(size) - 1));
}

// The number as the host draws it, into `out`, whose room is reused.
void format_into(std::string& out, double value, int digits, int decimals)
{
    decimals = std::clamp(decimals, 0, 20);
    digits = std::clamp(digits, 0, 64);
    char magnitude[400];
    bool nonZero = false;
    const size_t len = magnitude_text(magnitude, sizeof magnitude, std::fabs(value), decimals, &nonZero);
    const void* dot = std::memchr(magnitude, '.', len);
    const size_t whole = dot ? static_cast<size_t>(static_cast<const char*>(dot) - magnitude) : len;
    out.clear();
    // The sign follows the rounded value: -0.04 with one decimal shows as 0.0.
    // No '+' for a positive value, whatever the sign flag asks.
    if (value < 0 && nonZero)
        out.push_back('-');
    const bool finite = std::isfinite(value);
    if (disp().numbers == NumberStyle::ZeroPadded && finite && whole < static_cast<size_t>(digits))
        out.append(digits - whole, '0');
    out.append(magnitude, len);
}

}  // namespace

std::string format_number(double value, int digits, int decimals, int /*showSign: never a '+'*/)
{
    std::string out;
    format_into(out, value, digits, decimals);
    return out;
}

void set_number_style(NumberStyle style) { disp().numbers = style; }
NumberStyle number_style() { return disp().numbers; }

const std::vector<DrawOp>& display_list() { return disp().last; }

std::vector<DrawOp> find_text(const std::string& text)
{
    std::vector<DrawOp> out;
    for (const auto& op : disp().last)
        if (op.kind == DrawOp::String && op.text == text)
            out.push_back(op);
    return out;
}

std::vector<DrawOp> draws_at(int x, int y)
{
    std::vector<DrawOp> out;
    for (const auto& op : disp().last)
        if (op.kind != DrawOp::Box && op.x == x && op.y == y)
            out.push_back(op);
    return out;
}

void draw_now() { detail::draw_pass(); }
void draw_only(XPLMDrawCallback_f callback) { draw_pass(callback, nullptr); }
void draw_only(XPLMDrawWindow_f draw) { draw_pass(nullptr, draw); }

// ---------------------------------------------------------------- windows and mouse

std::vector<Window> windows()
{
    std::vector<Window> out;
    for (const auto& r : disp().windows)
        out.push_back(r.w);
    return out;
}

bool window_exists(XPLMWindowID id) { return window_rec(id) != nullptr; }
int windows_created() { return disp().created; }
int windows_destroyed() { return disp().destroyed; }

namespace {

// Offers a mouse event to the visible windows under the point, topmost first,
// until one takes it.
XPLMWindowID offer(int x, int y, XPLMMouseStatus status)
{
    if (!detail::plugin_receives() || !disp().windows_drawn)
        return nullptr;                             // the click goes to the simulator
    std::vector<XPLMWindowID> order;
    for (auto it = disp().windows.rbegin(); it != disp().windows.rend(); ++it)
        if (it->w.visible && contains(it->w, x, y))
            order.push_back(it->w.id);
    for (XPLMWindowID id : order) {
        WindowRec* r = window_rec(id);
        if (!r || !r->w.mouse)
            continue;
        const int number = r->number;
        if (detail::call_plugin(CallbackKind::Other, r->w.mouse, id, x, y, status, r->w.refcon))
            return id;
        char what[80];
        std::snprintf(what, sizeof what, "window %d, shown, answered 0 to a click", number);
        detail::record_fault(what);
    }
    return nullptr;
}

bool to_captured(int x, int y, XPLMMouseStatus status)
{
    WindowRec* r = window_rec(disp().captured);
    if (!r || !r->w.mouse || !detail::plugin_receives())
        return false;
    return detail::call_plugin(CallbackKind::Other, r->w.mouse, r->w.id, x, y, status, r->w.refcon) != 0;
}

}  // namespace

bool click(int x, int y)
{
    const bool taken = mouse_down(x, y);
    mouse_up(x, y);
    return taken;
}

bool mouse_down(int x, int y)
{
    set_mouse(x, y);
    disp().captured = offer(x, y, xplm_MouseDown);
    disp().down_taken = disp().captured != nullptr;
    return disp().down_taken;
}

bool mouse_drag(int x, int y)
{
    set_mouse(x, y);
    return disp().down_taken && to_captured(x, y, xplm_MouseDrag);
}

bool mouse_up(int x, int y)
{
    set_mouse(x, y);
    const bool taken = disp().down_taken && to_captured(x, y, xplm_MouseUp);
    disp().captured = nullptr;
    disp().down_taken = false;
    return taken;
}

void set_windows_drawn(bool drawn) { disp().windows_drawn = drawn; }

void set_mouse(int x, int y)
{
    disp().mouse_x = x;
    disp().mouse_y = y;
}

void set_screen_size(int width, int height)
{
    disp().screen_w = width;
    disp().screen_h = height;
    if (is_published("sim/graphics/view/window_width"))
        set_i("sim/graphics/view/window_width", width);
    if (is_published("sim/graphics/view/window_height"))
        set_i("sim/graphics/view/window_height", height);
}

// ---------------------------------------------------------------- keys

void key_event(char key, int flags, char virtualKey)
{
    Display& d = disp();
    if (!detail::plugin_receives()) {
        detail::key_to_commands(flags, virtualKey);
        return;
    }
    const std::vector<SnifferReg> regs = d.sniffers;
    auto sniff = [&](int beforeWindows) {
        for (const auto& r : regs) {
            if ((r.s.before_windows != 0) != (beforeWindows != 0) || !sniffer_registered(r.serial))
                continue;
            if (detail::call_plugin(CallbackKind::Other, r.s.callback, key, flags, virtualKey, r.s.refcon) == 0)
                return false;                       // consumed
        }
        return true;
    };
    if (!sniff(1))
        return;
    if (WindowRec* w = window_rec(d.focus)) {
        if (w->w.key)
            detail::call_plugin(CallbackKind::Other, w->w.key, w->w.id, key, flags, virtualKey, w->w.refcon, 0);
        return;                                     // a focused window takes every key
    }
    if (sniff(0))
        detail::key_to_commands(flags, virtualKey);
}

void press_key(char virtualKey, int modifiers)
{
    const unsigned char vk = static_cast<unsigned char>(virtualKey);
    char ch = 0;
    if (vk >= 'A' && vk <= 'Z')
        ch = static_cast<char>((modifiers & xplm_ShiftFlag) ? vk : vk - 'A' + 'a');
    else if (vk >= '0' && vk <= '9')
        ch = static_cast<char>(vk);
    else if (vk == XPLM_VK_SPACE || vk == XPLM_VK_RETURN || vk == XPLM_VK_ESCAPE || vk == XPLM_VK_TAB ||
             vk == XPLM_VK_BACK)
        ch = static_cast<char>(vk);
    key_event(ch, xplm_DownFlag | modifiers, virtualKey);
    key_event(ch, xplm_UpFlag | modifiers, virtualKey);
}

std::vector<KeySniffer> key_sniffers()
{
    std::vector<KeySniffer> out;
    for (const auto& r : disp().sniffers)
        out.push_back(r.s);
    return out;
}

}  // namespace xphost

// ---------------------------------------------------------------- plug-in side

using namespace xphost;

int XPLMRegisterDrawCallback(XPLMDrawCallback_f inCallback, XPLMDrawingPhase inPhase, int inWantsBefore,
                             void* inRefcon)
{
    XPHOST_API(XPLMRegisterDrawCallback, inCallback, inPhase, inWantsBefore, inRefcon);
    if (!inCallback || !valid_phase(inPhase))
        return 0;
    DrawReg r;
    r.cb.callback = inCallback;
    r.cb.phase = inPhase;
    r.cb.before = inWantsBefore ? 1 : 0;
    r.cb.refcon = inRefcon;
    r.serial = ++disp().serial;
    disp().draws.push_back(r);
    return 1;
}

int XPLMUnregisterDrawCallback(XPLMDrawCallback_f inCallback, XPLMDrawingPhase inPhase, int inWantsBefore,
                               void* inRefcon)
{
    XPHOST_API(XPLMUnregisterDrawCallback, inCallback, inPhase, inWantsBefore, inRefcon);
    auto& v = disp().draws;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (it->cb.callback == inCallback && it->cb.phase == inPhase &&
            it->cb.before == (inWantsBefore ? 1 : 0) && it->cb.refcon == inRefcon) {
            v.erase(it);
            return 1;
        }
    }
    return 0;
}

namespace {
// The next record of the frame being drawn, cleared; its strings keep their room.
DrawOp& new_op(DrawOp::Kind kind)
{
    Display& d = disp();
    if (d.built == d.building.size())
        d.building.emplace_back();
    DrawOp& op = d.building[d.built++];
    op.kind = kind;
    op.rgb[0] = op.rgb[1] = op.rgb[2] = 0.0f;
    op.x = op.y = 0;
    op.text.clear();
    op.value = 0;
    op.digits = op.decimals = op.show_sign = op.font = 0;
    op.left = op.top = op.right = op.bottom = 0;
    op.source.assign(d.source);
    return op;
}
}  // namespace

void XPLMDrawString(float* inColorRGB, int inXOffset, int inYOffset, char* inChar, int* inWordWrapWidth, XPLMFontID inFontID)
{
    XPHOST_API(XPLMDrawString, in(inColorRGB, 3), inXOffset, inYOffset, text(inChar), in(inWordWrapWidth, 1), inFontID);
    if (!inColorRGB || !inChar)
        return;
    DrawOp& op = new_op(DrawOp::String);
    std::copy(inColorRGB, inColorRGB + 3, op.rgb);
    op.x = inXOffset;
    op.y = inYOffset;
    op.text.assign(inChar);
    op.font = inFontID;
}

void XPLMDrawNumber(float* inColorRGB, int inXOffset, int inYOffset, double inValue, int inDigits,
                    int inDecimals, int inShowSign, XPLMFontID inFontID)
{
    XPHOST_API(XPLMDrawNumber, in(inColorRGB, 3), inXOffset, inYOffset, inValue, inDigits, inDecimals, inShowSign, inFontID);
    if (!inColorRGB)
        return;
    DrawOp& op = new_op(DrawOp::Number);
    std::copy(inColorRGB, inColorRGB + 3, op.rgb);
    op.x = inXOffset;
    op.y = inYOffset;
    op.value = inValue;
    op.digits = inDigits;
    op.decimals = inDecimals;
    op.show_sign = inShowSign;
    op.font = inFontID;
    format_into(op.text, inValue, inDigits, inDecimals);
}

void XPLMDrawTranslucentDarkBox(int inLeft, int inTop, int inRight, int inBottom)
{
    XPHOST_API(XPLMDrawTranslucentDarkBox, inLeft, inTop, inRight, inBottom);
    DrawOp& op = new_op(DrawOp::Box);
    op.left = inLeft;
    op.top = inTop;
    op.right = inRight;
    op.bottom = inBottom;
}

XPLMWindowID XPLMCreateWindow(int inLeft, int inTop, int inRight, int inBottom, int inIsVisible,
                              XPLMDrawWindow_f inDrawCallback, XPLMHandleKey_f inKeyCallback,
                              XPLMHandleMouseClick_f inMouseCallback, void* inRefcon)
{
    XPHOST_API(XPLMCreateWindow, inLeft, inTop, inRight, inBottom, inIsVisible, inDrawCallback, inKeyCallback, inMouseCallback, inRefcon);
    WindowRec r;
    r.w.id = detail::next_id();
    r.w.left = inLeft;
    r.w.top = inTop;
    r.w.right = inRight;
    r.w.bottom = inBottom;
    r.w.visible = inIsVisible != 0;
    r.w.draw = inDrawCallback;
    r.w.key = inKeyCallback;
    r.w.mouse = inMouseCallback;
    r.w.refcon = inRefcon;
    r.number = ++disp().created;
    disp().windows.push_back(r);
    return r.w.id;
}

void XPLMDestroyWindow(XPLMWindowID inWindowID)
{
    XPHOST_API(XPLMDestroyWindow, inWindowID);
    Display& d = disp();
    for (auto it = d.windows.begin(); it != d.windows.end(); ++it) {
        if (it->w.id != inWindowID)
            continue;
        if (d.focus == inWindowID)
            d.focus = nullptr;
        if (d.captured == inWindowID)
            d.captured = nullptr;
        d.windows.erase(it);
        ++d.destroyed;
        return;
    }
}

void XPLMGetScreenSize(int* outWidth, int* outHeight)
{
    XPHOST_API(XPLMGetScreenSize, out(outWidth, 1), out(outHeight, 1));
    if (outWidth) *outWidth = disp().screen_w;
    if (outHeight) *outHeight = disp().screen_h;
}

void XPLMGetMouseLocation(int* outX, int* outY)
{
    XPHOST_API(XPLMGetMouseLocation, out(outX, 1), out(outY, 1));
    if (outX) *outX = disp().mouse_x;
    if (outY) *outY = disp().mouse_y;
}

void XPLMGetWindowGeometry(XPLMWindowID inWindowID, int* outLeft, int* outTop, int* outRight, int* outBottom)
{
    XPHOST_API(XPLMGetWindowGeometry, inWindowID, out(outLeft, 1), out(outTop, 1), out(outRight, 1), out(outBottom, 1));
    WindowRec* r = window_rec(inWindowID);
    if (!r)
        return;
    if (outLeft) *outLeft = r->w.left;
    if (outTop) *outTop = r->w.top;
    if (outRight) *outRight = r->w.right;
    if (outBottom) *outBottom = r->w.bottom;
}

void XPLMSetWindowGeometry(XPLMWindowID inWindowID, int inLeft, int inTop, int inRight, int inBottom)
{
    XPHOST_API(XPLMSetWindowGeometry, inWindowID, inLeft, inTop, inRight, inBottom);
    if (WindowRec* r = window_rec(inWindowID)) {
        r->w.left = inLeft;
        r->w.top = inTop;
        r->w.right = inRight;
        r->w.bottom = inBottom;
    }
}

int XPLMGetWindowIsVisible(XPLMWindowID inWindowID)
{
    XPHOST_API(XPLMGetWindowIsVisible, inWindowID);
    WindowRec* r = window_rec(inWindowID);
    return r && r->w.visible ? 1 : 0;
}

void XPLMSetWindowIsVisible(XPLMWindowID inWindowID, int inIsVisible)
{
    XPHOST_API(XPLMSetWindowIsVisible, inWindowID, inIsVisible);
    if (WindowRec* r = window_rec(inWindowID))
        r->w.visible = inIsVisible != 0;
}

int XPLMRegisterKeySniffer(XPLMKeySniffer_f inCallback, int inBeforeWindows, void* inRefcon)
{
    XPHOST_API(XPLMRegisterKeySniffer, inCallback, inBeforeWindows, inRefcon);
    if (!inCallback)
        return 0;
    SnifferReg r;
    r.s.callback = inCallback;
    r.s.before_windows = inBeforeWindows ? 1 : 0;
    r.s.refcon = inRefcon;
    r.serial = ++disp().serial;
    disp().sniffers.push_back(r);
    return 1;
}

int XPLMUnregisterKeySniffer(XPLMKeySniffer_f inCallback, int inBeforeWindows, void* inRefcon)
{
    XPHOST_API(XPLMUnregisterKeySniffer, inCallback, inBeforeWindows, inRefcon);
    auto& v = disp().sniffers;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (it->s.callback == inCallback && it->s.before_windows == (inBeforeWindows ? 1 : 0) &&
            it->s.refcon == inRefcon) {
            v.erase(it);
            return 1;
        }
    }
    return 0;
}
