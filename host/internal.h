// host/internal.h: what the stand-in host's parts share with each other.
// Not for tests: they use xphost.h.
#pragma once

#include <cstdint>
#include <string>

#include "tape.h"
#include "xphost.h"

namespace xphost::detail {

// Simulated clock in whole microseconds, so periodic loops never drift.
int64_t now_us();
int64_t period_us();
int64_t to_us(double seconds);

// Each part clears its own state; reset() calls them in this order.
void reset_datarefs();
void reset_processing();
void reset_display();
void reset_menus();
void reset_utilities();
void reset_widgets();
void reset_plugin();
void reset_commands();

// What a plug-in registered, dropped when the simulator unloads it; the rest
// of each part's state stays.
void drop_plugin_loops();
void drop_plugin_display();
void drop_plugin_camera();
void drop_plugin_handlers();          // its command handlers; its commands stay
void drop_plugin_accessors();         // the variables it published
void drop_plugin_menus();             // they stay, inert
void drop_plugin_widgets();           // they stay, without the plug-in's callbacks
void drop_plugin_file();              // closes it; other plug-ins stay

// Whether the attached plug-in may be called back now (it is enabled).
bool plugin_receives();
// Something the simulator would be left with or upset by (see faults()).
void record_fault(const std::string& what);

// One drawing pass: phases, then windows. Records into the display list.
void draw_pass();
// The camera controller's turn in a frame.
void camera_frame();
// The start of a frame: a view asked for since the last one takes effect.
void view_frame();
void request_view_change();
// A plug-in's features (native paths, ...) go with it when it is unloaded.
void drop_plugin_features();
// The continue phase of every held command.
void commands_frame();
// A key event the sniffers and windows left to the simulator's key bindings.
void key_to_commands(int flags, char virtualKey);

// Catalogue of the simulator's variables the plug-in binds, with defaults. A
// name X-Plane 12 marks replaced names its replacement: the two are one
// variable, and looking the old one up while the new one exists draws the
// simulator's deprecation warning.
struct CatalogueEntry {
    const char* path;
    int  types;
    int  size;
    bool writable;
    const char* replaced_by = nullptr;
};
// The replacement of an old name, or the old name a replacement stands for
// (nullptr when the name has no other).
const char* catalogue_twin(const std::string& path);
// The replacement of an old name only.
const char* catalogue_replacement(const std::string& path);
const CatalogueEntry* catalogue_entries(int* count);

// Opaque ids for windows, menus and widgets: never reused within a process, so
// an id kept from an earlier test can never name a new object.
void* next_id();

// What differs between the platforms the host runs on (posix/ and win/): the
// plug-in file as a loaded library, and a new private folder to serve as the
// simulator's folder ("" when none can be made; no trailing separator).
void* open_library(const std::string& path, std::string* error);
void* library_symbol(void* library, const char* name);
void  close_library(void* library);
std::string make_temp_folder();
// The simulator's folder as XPLMGetSystemPath gives it with native paths (UTF-8,
// '/' on every system, Windows keeping its drive letter) and without (Windows:
// '\\' and the ANSI code page, where a character outside it becomes '?'; Linux:
// the same either way).
std::string native_path_form(const std::string& path);
std::string legacy_path_form(const std::string& path);

// ---------------------------------------------------------------- who runs

// Whether the plug-in's own code runs (the host called into it and it has not
// called the host back), and in which kind of callback.
struct Running {
    bool         plugin = false;
    CallbackKind kind = CallbackKind::Other;
};
extern Running running;
void set_plugin_running(bool plugin);
void reset_counters();
void count_frame();

// Around every call of the host into the plug-in.
class PluginScope {
public:
    explicit PluginScope(CallbackKind kind);
    ~PluginScope();
    PluginScope(const PluginScope&) = delete;
    PluginScope& operator=(const PluginScope&) = delete;
private:
    Running saved_;
};

// The plug-in's code itself, entered here and nowhere else: never inlined, so
// that callgrind can collect exactly from here (--toggle-collect on
// '*plugin_code*' and on the interface's functions 'XPLM*' and 'XP*Widget*':
// the plug-in's own instructions, see scripts/bench).
template <typename F, typename... Args>
[[gnu::noinline]] auto plugin_code(F* fn, Args... args)
{
    return fn(args...);
}

// A call of the host into the plug-in.
template <typename F, typename... Args>
auto call_plugin(CallbackKind kind, F* fn, Args... args)
{
    const PluginScope scope(kind);
    return plugin_code(fn, args...);
}

// One per function of the plug-in interface, made at its first call.
struct ApiFunction {
    explicit ApiFunction(const char* name);
    const char* name;
    bool        lookup;                  // a look-up by name (XPLMFind...)
    int64_t     calls[3] = {};           // by CallbackKind
};
void count_call(ApiFunction& function);

extern bool taping;

// Opened by the first line of every function of the plug-in interface (the
// XPHOST_API macro): the plug-in's own calls are counted (the host's calls to
// itself are not) and, while taping, kept with their arguments.
class ApiScope {
public:
    template <typename F, typename... Args>
    ApiScope(ApiFunction& function, F* fn, Args... args) : saved_(running.plugin)
    {
        if (!saved_)
            return;
        count_call(function);
        if (taping)
            tape_call(fn, args...);
        set_plugin_running(false);
    }
    ~ApiScope()
    {
        if (saved_)
            set_plugin_running(true);
    }
    ApiScope(const ApiScope&) = delete;
    ApiScope& operator=(const ApiScope&) = delete;
private:
    bool saved_;
};

}  // namespace xphost::detail

// The first line of every function of the plug-in interface: its name, then
// its parameters in order, a pointer the host reads or writes as in(), text()
// or out() with the number of elements (tape.h).
#define XPHOST_API(fn, ...)                                                                          \
    using ::xphost::detail::in, ::xphost::detail::out, ::xphost::detail::text, ::xphost::detail::bytes_in, \
        ::xphost::detail::bytes_out;                                                                     \
    static ::xphost::detail::ApiFunction xphost_function_(#fn);                                        \
    const ::xphost::detail::ApiScope xphost_scope_(xphost_function_, fn, ##__VA_ARGS__)
