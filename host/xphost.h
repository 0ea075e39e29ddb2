// host/xphost.h: the stand-in host. It implements every XPLM and XPWidgets
// function the project declares in sdk/, on a simulated clock, and this header is
// its control and inspection side for tests and the headless demo.
//
// One host per process (the XPLM functions are global C functions). Call
// xphost::reset() before each test: it gives a fresh host with every simulator
// variable the plug-in uses published at its default value, the clock at 0 and
// nothing registered.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "XPLMCamera.h"
#include "XPLMDataAccess.h"
#include "XPLMDisplay.h"
#include "XPLMMenus.h"
#include "XPLMPlugin.h"
#include "XPLMProcessing.h"
#include "XPLMUtilities.h"
#include "XPWidgetDefs.h"

namespace xphost {

// ---------------------------------------------------------------- life cycle

// A fresh host: catalogue re-published with default values, clock 0, frame
// rate 50 Hz, screen 1024 x 768, mouse at (0, 0), logs empty, no callbacks,
// windows, menus (but the plug-ins menu) or widgets, no plug-in attached,
// and a new empty system folder (see system_path()). As in the simulator, a
// variable's or command's handle is one for the process: a handle from before
// the reset reaches the same name again.
void reset();

// ---------------------------------------------------------------- the plug-in

// The five entry points of a plug-in, either linked into the test or looked up
// in a loaded file.
struct Plugin {
    int  (*start)(char*, char*, char*) = nullptr;
    void (*stop)() = nullptr;
    int  (*enable)() = nullptr;
    void (*disable)() = nullptr;
    void (*receive)(XPLMPluginID, int, void*) = nullptr;
    void* library = nullptr;             // dlopen handle when loaded from a file
};

// Opens a plug-in file as the simulator does (dlopen, LoadLibrary on Windows,
// then the five names) and attaches it. Returns false with a reason when the
// file cannot be opened or lacks an entry point.
bool load_plugin(const std::string& path, std::string* error = nullptr);
// Names of the dynamic symbols a file defines (its exports) and leaves undefined.
std::vector<std::string> exported_symbols(const std::string& path);
std::vector<std::string> undefined_symbols(const std::string& path);

// The simulator drops the plug-in, as after its XPluginStop when the user
// reloads the plug-ins, and closes its file. What the plug-in left registered
// is a fault, one line in faults() each: its windows, menus and widgets stay
// (never called again: their code is gone), its flight loops, draw callbacks,
// key sniffers, command handlers, published variables and camera control are
// dropped. The simulator's variables keep their values (an override left on
// stays on), its commands stay, and so do the clock, screen, mouse, logs, the
// other plug-ins and the system folder, so load_plugin() and start() begin the
// plug-in's next run.
void unload_plugin();

// Attaches entry points linked into the test executable.
void attach(const Plugin& plugin);
const Plugin& plugin();

// Calls into the attached plug-in the way the simulator does. start() passes
// three 256-byte buffers and keeps what the plug-in wrote into them. The
// attached plug-in has the id kPluginUnderTest; XPLMFindPluginBySignature
// finds it by its signature from its start to its stop.
//
// Only an enabled plug-in is called back: from its start to its first
// successful enable() and after a disable() it gets no flight-loop, drawing,
// window, key-sniffer, command-handler, menu, widget or camera call and no
// message (the published variables' accessors still answer); its loops stay
// due and run again once it is enabled. enable() of a started plug-in calls
// XPluginEnable (an answer of 0 leaves it disabled); disable() of an enabled
// one calls XPluginDisable; stop() disables an enabled plug-in first.
int  start();
int  enable();
void disable();
void stop();
bool plugin_enabled();
void send_message(XPLMPluginID from, int message, void* param);

// What the simulator would be left with or be upset by, one line each: what a
// stopped plug-in left registered (see unload_plugin()), a widget destroyed
// from inside a callback of its own tree. Cleared by reset() and clear_faults().
const std::vector<std::string>& faults();
void clear_faults();
std::string plugin_name();
std::string plugin_signature();
std::string plugin_description();

constexpr XPLMPluginID kPluginUnderTest = 1;

// ---------------------------------------------------------------- other plug-ins

// A plug-in besides the one under test, as if the simulator had loaded it from
// its folder (ids 2, 3, ... in loading order). XPLMFindPluginBySignature finds
// it; it keeps what is sent to it and answers nothing.
XPLMPluginID load_other_plugin(const std::string& signature, const std::string& name = "");

// The dataref browsers' message: "here is the name of a dataref I publish"
// (param: the name, a C string, which the host copies into `text`).
constexpr int kMsgAddDataRef = 0x01000000;

struct PluginMessage {
    double       time = 0;
    XPLMPluginID from = XPLM_NO_PLUGIN_ID;
    XPLMPluginID to = XPLM_NO_PLUGIN_ID;   // XPLM_NO_PLUGIN_ID: sent to every plug-in
    int          message = 0;
    void*        param = nullptr;
    std::string  text;                       // the name, for kMsgAddDataRef
    bool         delivered = false;          // some plug-in received it
};
// Every XPLMSendMessageToPlugin call, in order, delivered or not (a message
// to the simulator, id 0, or to an unknown id reaches nobody).
const std::vector<PluginMessage>& sent_messages();
// What one of the other plug-ins received.
std::vector<PluginMessage> messages_to(XPLMPluginID id);

// The simulator's messages about the user's aircraft (from the simulator, id 0).
// load_aircraft sets "sim/aircraft/view/acf_descrip" first, then sends 102 with
// parameter 0 (the user's aircraft).
void load_aircraft(const std::string& description);
void load_ai_aircraft(int index);        // 102 with a plane index > 0
void load_airport();                     // 103
void crash();                            // 101

// ---------------------------------------------------------------- simulator variables

struct Dataref {
    std::string path;
    int  types = 0;                      // xplmType_* bits
    int  size = 1;                       // elements of an array, bytes of a data block, 1 otherwise
    bool writable = true;
};

// Every path the plug-in binds, with the simulator's type, a realistic array
// size and its writability, as published after reset().
const std::vector<Dataref>& catalogue();
bool is_published(const std::string& path);
const Dataref* find(const std::string& path);      // nullptr when not published

// Publishes a further path (tests of unknown variables) or withdraws one. A
// withdrawn path is unknown to XPLMFindDataRef; handles bound before the
// withdrawal become orphans: reads give 0 and writes are ignored.
void publish(const Dataref& ref);
void withdraw(const std::string& path);

// Variables a plug-in publishes with XPLMRegisterDataAccessor: found by
// XPLMFindDataRef and read and written through the ordinary XPLMGetData* and
// XPLMSetData* calls, which reach its accessors (a type it did not register
// reads 0 and is recorded as a mismatch; a write to one registered read-only
// is refused and logged as not accepted). They are not in catalogue(); find()
// gives their type and writability with size 0. The getters below read them
// through the accessors; the setters refuse them (std::invalid_argument).
// XPLMUnregisterDataAccessor makes the name unknown again and every handle to
// it an orphan. A name already taken is refused with a null handle.
std::vector<std::string> published_datarefs();        // registration order
const std::vector<std::string>& refused_registrations();

// The simulator's side of a variable. Setting never appears in the write log.
// Array setters write from the offset on; getters with count < 0 read to the end.
void   set_i(const std::string& path, int value);
void   set_f(const std::string& path, float value);
void   set_d(const std::string& path, double value);
void   set_vi(const std::string& path, const std::vector<int>& values, int offset = 0);
void   set_vf(const std::string& path, const std::vector<float>& values, int offset = 0);
void   set_b(const std::string& path, const std::string& bytes);   // zero-fills the rest
int    get_i(const std::string& path);
float  get_f(const std::string& path);
double get_d(const std::string& path);
std::vector<int>   get_vi(const std::string& path, int offset = 0, int count = -1);
std::vector<float> get_vf(const std::string& path, int offset = 0, int count = -1);
std::string        get_b(const std::string& path);                   // up to the first NUL

// Every write the plug-in attempted through XPLMSetData*, in order.
struct Write {
    double              time = 0;        // simulated seconds
    std::string         path;            // "" for a null handle
    int                 type = 0;        // xplmType_* of the call used
    int                 offset = 0;
    std::vector<double> values;          // one per element; bytes for data blocks
    bool                accepted = true; // false: null or orphan handle, wrong type, read-only
};
const std::vector<Write>& writes();
std::vector<Write> writes_to(const std::string& path);
void clear_writes();

// Accesses through a type the variable does not have (e.g. XPLMGetDatai on a
// float): the real simulator answers 0 and ignores the write; the host does the
// same and records the call here so a test can catch it.
struct TypeMismatch {
    std::string path;
    std::string call;                    // "XPLMGetDatai", "XPLMSetDatavf", ...
};
const std::vector<TypeMismatch>& type_mismatches();

int find_calls();                        // XPLMFindDataRef calls since reset()

// Names X-Plane 12 marks replaced that a plug-in looked up while their
// replacement was published (X-Plane 12 logs a deprecation warning naming the
// plug-in for each), in order, since reset(). Of the catalogue's old names,
// "sim/joystick/yolk_*_ratio" and "sim/weather/temperature_{ambient,le}_c" are
// one variable with their replacements "sim/joystick/yoke_*_ratio" and
// "sim/weather/aircraft/temperature_{ambient,leadingedge}_deg_c": a value set or
// written under one name reads the same under the other. Withdrawing the new
// names gives an X-Plane 11, withdrawing the old ones a simulator that dropped them.
const std::vector<std::string>& replaced_lookups();

// "sim/cockpit/autopilot/autopilot_state" is a row of mode buttons to a
// plug-in: a write presses the button of every bit written, lowest bit first.
// Pressing an engaged mode's button switches it off; engaging a mode releases
// the mode engaged on its axis (lateral: heading 2, wing leveller 4, nav 512,
// FMS 8192, horizontal TOGA 32768; vertical: speed by pitch 8, vertical speed
// 16, level change 64, pitch sync 128, glide slope 2048, altitude hold 16384,
// vertical TOGA 65536, VNAV 262144; throttle: autothrottle 1). The arming bits
// (altitude 32, nav 256, glide slope 1024, FMS 4096, VNAV 131072) toggle on
// their own. A write of 0 presses nothing. Reads give the resulting state;
// set_i sets the state itself, as the pilot's panel would.
int autopilot_after_presses(int state, int pressed);

// ---------------------------------------------------------------- time and frames

double now();                            // simulated seconds since reset()
// Frames at a fixed rate, or with jitter a rate drawn anew for every frame,
// evenly between the two rates, from the seed (set_frame_rate ends it).
// Periods are whole microseconds.
void   set_frame_rate(double framesPerSecond);
void   set_frame_jitter(double lowestFps, double highestFps, uint64_t seed);
bool   frame_jitter();
double frame_period();                   // the last frame's, or the fixed one
// Runs whole frames until at least `seconds` more have passed. Each frame:
// the clock moves one period; a view asked for since the last frame takes
// effect (see user_changes_view); every flight loop that has fallen due runs,
// in order of due time (registration order on ties), with its elapsed times
// and the frame counter, and its return value schedules it again (seconds > 0,
// frames < 0, 0 = inactive), so a loop asking for 0.1 s runs on the first
// frame at or after that, and its next interval counts from that call; held
// commands get their continue phase; the camera callback runs if a plug-in
// controls the camera; then the drawing: draw callbacks of each phase in
// ascending phase order (before-callbacks, then after-callbacks), then the
// visible windows' draw functions in creation order (none while windows are
// not drawn, see set_windows_drawn). The frame's drawing is recorded in the
// display list.
void advance(double seconds);
void run_frame();
int  frame_count();

struct FlightLoop {
    XPLMFlightLoop_f callback = nullptr;
    void*  refcon = nullptr;
    double next_due = 0;                 // simulated seconds; meaningless when inactive
    bool   active = false;
    int    calls = 0;
    double last_interval = 0;            // the last interval set (seconds, or negative frames)
};
// Registered loops in registration order. Registering the same callback and
// reference twice keeps two entries (the real host does not promise otherwise).
std::vector<FlightLoop> flight_loops();
int  loop_registrations(XPLMFlightLoop_f callback);   // entries for this callback
bool loop_active(XPLMFlightLoop_f callback);          // some entry of it is active
int  loop_calls(XPLMFlightLoop_f callback);           // calls of all its entries

// ---------------------------------------------------------------- what the plug-in costs

// The host tells the plug-in's own work from its own: the plug-in's code runs
// while the host is inside one of its callbacks or entry points and has not
// been called back. What it does there is counted by the kind of callback.
enum class CallbackKind { Loops, Drawing, Other };

struct Usage {
    int64_t callbacks = 0;               // the plug-in's callbacks the host ran
    int64_t host_calls = 0;              // calls the plug-in made into the host
    int64_t lookups = 0;                 // of them by name: XPLMFindDataRef and every other XPLMFind...
    int64_t allocations = 0;             // heap allocations, as the counting shim reports them
    int64_t file_accesses = 0;           // files opened, renamed or removed, as the shim reports them
    std::map<std::string, int64_t> by_function;   // host calls by function
};
struct Counters {
    Usage   loops;                       // flight loops: the ticks
    Usage   drawing;                     // drawing callbacks, window drawing, the camera controller
    Usage   other;                       // entry points, messages, keys, mouse, menus, widgets
    int64_t frames = 0;                  // drawing passes
};
Counters counters();                     // since reset() or reset_counters()
void     reset_counters();

// The counting shim of a test program (tests/support/counting_shim.cpp) asks
// whether the plug-in's code runs and reports what it did then. Without a
// shim the host sees no allocations or file accesses: counting_shim() says so.
bool plugin_code_running();
void count_allocation();
void count_file_access();
void set_counting_shim(bool present);
bool counting_shim();

// For benchmarks. Runs one registered flight loop now as a frame would (its
// elapsed times, the frame counter, rescheduled by its answer) without moving
// the clock; returns its answer, 0 when it is not registered and active.
float run_flight_loop(XPLMFlightLoop_f callback);
// A drawing pass of only this drawing callback, or only this shown window.
void  draw_only(XPLMDrawCallback_f callback);
void  draw_only(XPLMDrawWindow_f draw);
// The camera controller's turn of a frame, alone.
void  run_camera();

// While taping, every call the plug-in makes into the host is also kept, in
// order, with its arguments (pointers as passed), packed and ready to be made
// again: a benchmark's null plug-in replays a callback's calls to measure the
// host's share of it.
class Tape {
public:
    using Thunk = void (*)(unsigned char* arguments, bool call);
    size_t calls() const { return calls_; }
    // Makes every call again, in order; without `call` each goes to a function
    // of the same shape that does nothing: what replaying costs besides the host.
    void   replay(bool call = true);
    bool   operator==(const Tape& other) const { return bytes_ == other.bytes_; }
    unsigned char* add(Thunk thunk, size_t size);   // the host's recording: room for a call
private:
    std::vector<unsigned char> bytes_;   // per call: the thunk, the size, the arguments
    size_t calls_ = 0;
};
void set_taping(bool on);
Tape take_tape();                        // the calls taped since the last take

// ---------------------------------------------------------------- drawing

struct DrawCallback {
    XPLMDrawCallback_f callback = nullptr;
    int   phase = 0;
    int   before = 0;
    void* refcon = nullptr;
};
std::vector<DrawCallback> draw_callbacks();

struct DrawOp {
    enum Kind { String, Number, Box } kind = String;
    float       rgb[3] = {0, 0, 0};
    int         x = 0, y = 0;            // String, Number: lower left
    std::string text;                    // String: the text; Number: as formatted (below)
    double      value = 0;               // Number
    int         digits = 0, decimals = 0, show_sign = 0, font = 0;
    int         left = 0, top = 0, right = 0, bottom = 0;   // Box
    std::string source;                  // "phase 40", "window 3", ...
};
// How XPLMDrawNumber prints is not documented. Measured in the simulator: no
// '+' even with the sign flag, the value rounded to `decimals`, the integer
// part never cut short by too few `digits`; '-' for a negative value (the
// sign of what is shown: -0.04 with one decimal is "0.0"). Whether the
// integer part is padded to `digits` is unknown, so the host can print both:
//   Plain       12.5 with 4 digits, 1 decimal -> "12.5"  (the default)
//   ZeroPadded  12.5 with 4 digits, 1 decimal -> "0012.5", -3.1 -> "-0003.1"
// A layout must be legible in both.
enum class NumberStyle { Plain, ZeroPadded };
void        set_number_style(NumberStyle style);   // reset() returns to Plain
NumberStyle number_style();
std::string format_number(double value, int digits, int decimals, int showSign);   // in the current style

const std::vector<DrawOp>& display_list();           // the last complete frame
std::vector<DrawOp> find_text(const std::string& text);   // String ops with exactly this text
std::vector<DrawOp> draws_at(int x, int y);          // String and Number ops drawn at (x, y)
void draw_now();                                     // a drawing pass without advancing time

// The basic font as the simulator measures it: monospaced, 6 by 10 pixels a
// character, a text drawn up and to the right of its (x, y).
constexpr int kBasicFontWidth = 6, kBasicFontHeight = 10;

// What makes a frame illegible in the basic font: within one source (a
// window or a drawing callback), two texts or numbers whose characters other
// than blanks share pixels (a label's leading blanks are room for a number);
// a character outside the dark box of its source that holds its (x, y); a
// character off the screen. One line per fault, naming both texts and where
// they were drawn; empty when the frame is legible. `where` is the same for
// the same fault in another frame with other values.
struct LegibilityProblem {
    std::string text;
    std::string where;
};
std::vector<LegibilityProblem> legibility_problems(const std::vector<DrawOp>& ops, int screenW, int screenH);

// ---------------------------------------------------------------- windows, mouse, keys

struct Window {
    XPLMWindowID id = nullptr;
    int  left = 0, top = 0, right = 0, bottom = 0;
    bool visible = true;
    XPLMDrawWindow_f       draw = nullptr;
    XPLMHandleKey_f        key = nullptr;
    XPLMHandleMouseClick_f mouse = nullptr;
    void* refcon = nullptr;
};
std::vector<Window> windows();           // existing windows, creation order
bool window_exists(XPLMWindowID id);
int  windows_created();                  // since reset()
int  windows_destroyed();

// A click at (x, y): mouse down, then up, routed to the topmost visible window
// that contains the point (the last created wins). Returns true when a window
// took it (its mouse function returned 1); otherwise the click went to the host.
// A visible window whose mouse function answers 0 upsets the simulator's
// mouse tracking: each such answer is recorded as a fault.
bool click(int x, int y);
bool mouse_down(int x, int y);
bool mouse_drag(int x, int y);           // to the window that took the down
bool mouse_up(int x, int y);

void set_mouse(int x, int y);            // XPLMGetMouseLocation
void set_screen_size(int width, int height); // XPLMGetScreenSize and the window_width/height variables
// Whether the simulator draws the plug-in's (legacy) windows and routes clicks
// to them: not in VR. Drawing callbacks run either way.
void set_windows_drawn(bool drawn);

// A key event: key sniffers first (registration order; one returning 0 consumes
// it), then the window with keyboard focus, if any, else a command bound to
// the key (see bind_key).
void key_event(char key, int flags, char virtualKey);
// Down (xplm_DownFlag | modifiers), then up (xplm_UpFlag | modifiers).
void press_key(char virtualKey, int modifiers = 0);

struct KeySniffer {
    XPLMKeySniffer_f callback = nullptr;
    int   before_windows = 0;
    void* refcon = nullptr;
};
std::vector<KeySniffer> key_sniffers();

// ---------------------------------------------------------------- menus

struct MenuItem {
    std::string name;                    // "" for a separator
    void* ref = nullptr;
    bool  separator = false;
    XPLMMenuID submenu = nullptr;        // a menu created under this item
    int   check = 0;                     // xplm_Menu_* from XPLMCheckMenuItem
    bool  enabled = true;                // XPLMEnableMenuItem; a disabled item cannot be selected
};
struct Menu {
    XPLMMenuID id = nullptr;
    std::string name;
    XPLMMenuID parent = nullptr;
    int parent_item = -1;
    XPLMMenuHandler_f handler = nullptr;
    void* menu_ref = nullptr;
    std::vector<MenuItem> items;
};
XPLMMenuID plugins_menu();
std::vector<Menu> menus();               // the plug-ins menu first, then created menus
const Menu* menu(XPLMMenuID id);
const Menu* find_menu(const std::string& name);   // the first created menu of that name
// Selects an item of a created menu as the user would: calls the menu's
// handler with its menu reference and the item's reference.
bool select_menu_item(const std::string& menuName, const std::string& itemName);

// ---------------------------------------------------------------- camera, commands, speech

// The controller gets a structure of undefined values (not a number here) on
// every call and must set all seven fields: a position with a field left
// undefined is not used and is recorded as a fault.
bool camera_controlled();
int  camera_duration();                  // xplm_ControlCamera*; 0 when not controlled
void set_camera(const XPLMCameraPosition_t& position);  // as if a controller had given it
XPLMCameraPosition_t camera();           // the position the controller last gave
// The user picks one of the host's views: the controller is called once with
// the losing-control flag and a null position, and loses control. A view the
// plug-in asks for (one of the view buttons 38 to 46 pressed, a "sim/view/"
// command begun) takes effect the same way at the start of the next frame,
// for a camera held until the view changes.
void user_changes_view();

struct Command {
    double time = 0;
    int    button = 0;
    bool   press = true;                 // false: release
};
const std::vector<Command>& commands();

struct Speech {
    double      time = 0;
    std::string text;
};
const std::vector<Speech>& speech();
std::vector<std::string> spoken_texts();

// Every string the plug-in passed to XPLMDebugString (the simulator's Log.txt), as passed.
const std::vector<std::string>& debug_log();

// ---------------------------------------------------------------- commands (XPLM200)

// The simulator's command table. XPLMCreateCommand adds a plug-in's command
// (a name the table holds already gives that command); add_sim_command adds
// one of the simulator's own, whose own action the host counts. Running a
// phase calls the before-handlers in registration order, then the
// simulator's own action (its own commands only), then the after-handlers; a
// handler answering 0 ends that phase there. A held command gets its
// continue phase once a frame, after the flight loops. A begin while held
// and an end while not held do nothing.
struct CommandInfo {
    std::string name, description;
    bool created_by_plugin = false;
    int  sim_actions = 0;                // the simulator's own action ran (its commands)
    bool held = false;                   // between begin and end
};
void add_sim_command(const std::string& name, const std::string& description = "");
const CommandInfo* command(const std::string& name);   // nullptr when unknown
std::vector<CommandInfo> commands_created();           // by a plug-in, creation order

struct CommandHandler {
    XPLMCommandCallback_f callback = nullptr;
    int   before = 0;
    void* refcon = nullptr;
};
std::vector<CommandHandler> command_handlers(const std::string& name);

// A key or joystick button bound to the command goes down (begin), comes up
// (end), or both at once. False for an unknown name.
bool command_begin(const std::string& name);
bool command_end(const std::string& name);
bool command_once(const std::string& name);

struct CommandRun {
    double time = 0;
    std::string name;
    int  phase = 0;                      // xplm_CommandBegin, _Continue, _End
    int  handlers_called = 0;
    bool passed_on = true;               // no handler answered 0
};
const std::vector<CommandRun>& command_runs();

// The simulator's keyboard settings: a key, with exactly these modifiers, bound
// to a command. A key event that no sniffer consumed and no window with
// keyboard focus took runs it: the key going down begins the command, coming
// up (with any modifiers) ends it.
void bind_key(char virtualKey, const std::string& command, int modifiers = 0);

// ---------------------------------------------------------------- paths and coordinates

// The system folder, with a trailing separator (a backslash in the Windows
// build, else '/'), as UTF-8 text. reset() creates a new temporary folder
// holding Resources/plugins/ and removes the previous one. XPLMGetSystemPath
// gives it in the form the plug-in asked for: with native paths (the feature
// XPLM_USE_NATIVE_PATHS) '/' on every system; without, in the Windows build
// '\\' and the ANSI code page, a character outside it becoming '?'. It writes
// the path with its NUL up to 1024 bytes (a path of 1024 characters or more
// leaves no NUL).
std::string system_path();
void set_system_path(const std::string& path);   // used as given (may be any text)
// What XPLMGetSystemPath gives without native paths instead ("" = the form
// above), e.g. a Mac's "Macintosh HD:Users:me:X-Plane 12:".
void set_legacy_system_path(const std::string& path);

// Features (XPLMHasFeature): the simulator's four, all available after
// reset() and all off; a plug-in's enabled features go when it is unloaded.
// An unavailable one (a host too old for it) cannot be enabled.
void set_feature_available(const std::string& feature, bool available);
bool feature_enabled(const std::string& feature);

// XPLMWorldToLocal: an equirectangular projection around a reference point
// (default latitude 0, longitude 0): x = east metres, z = south metres
// (R = 6378137 m), y = elevation. XPLMLocalToWorld is its inverse.
void set_local_reference(double latitude, double longitude);

// Names returned by XPLMGetVirtualKeyDescription ("F4", "A", "UP", ...).
std::string key_name(int virtualKey);

// ---------------------------------------------------------------- widgets

struct Widget {
    XPWidgetID id = nullptr;
    int  left = 0, top = 0, right = 0, bottom = 0;
    bool visible = true;
    bool root = false;
    int  widget_class = 0;               // xpWidgetClass_*; 0 for a custom widget
    std::string descriptor;
    XPWidgetID parent = nullptr;
    std::vector<XPWidgetID> children;
};
std::vector<Widget> widgets();           // existing widgets, creation order
const Widget* widget(XPWidgetID id);
bool widget_exists(XPWidgetID id);
XPWidgetID find_widget(const std::string& descriptor, int widgetClass = -1);  // first match, or nullptr
intptr_t widget_property(XPWidgetID id, int property);

// What a user's click on a standard widget causes, delivered as the real
// library does (up the chain of parents until a callback returns 1):
// a push button sends xpMsg_PushButtonPressed (param1 = the button);
// a check box toggles its state and sends xpMsg_ButtonStateChanged
// (param1 = the box, param2 = the new state); a main window's close box sends
// xpMessage_CloseButtonPushed (param1 = the window). Returns true when handled.
bool press_button(XPWidgetID button);
bool press_close_box(XPWidgetID mainWindow);

// Calls of the widget functions that named a widget which no longer exists.
// To the real library a handle is a pointer, and a destroyed widget's handle
// dangles; the host ignores such a call and records the function's name here.
const std::vector<std::string>& stale_widget_calls();

}  // namespace xphost
