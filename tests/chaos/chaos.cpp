// The chaos run: a seeded random sequence of host events against the built
// plug-in file, loaded into the stand-in host as the simulator loads it. After
// every event the plug-in must still be there and hold exactly what the model
// loaded last should have: its loop, its panel drawing, its windows, no loop
// of another model, no override or camera of a model no longer loaded, and
// the preferences file either as the run last left it or in its documented
// form. A failure prints the seed and the last events.
//
// Usage: qzt-chaos [--seed N] [--events N] [--plugin FILE] [--trace] [--quiet] [--keep-going]
#include <dlfcn.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cfloat>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "XPLMDisplay.h"
#include "XPStandardWidgets.h"
#include "chaos/oracle.h"
#include "chaos/prefs_file.h"
#include "chaos/random.h"
#include "chaos/symbols.h"
#include "xphost.h"

namespace {

// ---------------------------------------------------------------- the last events, for any failure

// Kept in fixed buffers so that a crash handler can print them without allocating.
enum { Remembered = 48, LineLen = 300 };
char     Ring[Remembered][LineLen];
long     RingEvent[Remembered];
long     EventsDone = 0;
uint64_t Seed = 1;
char     SeedLine[128];
volatile sig_atomic_t Reported = 0;

void Remember(long event, const char* text)
{
    const int k = static_cast<int>(event % Remembered);
    RingEvent[k] = event;
    std::snprintf(Ring[k], LineLen, "%s", text);
}

void WriteAll(const char* s)
{
    size_t n = std::strlen(s);
    while (n > 0) {
        const ssize_t w = write(2, s, n);
        if (w <= 0)
            return;
        s += w;
        n -= static_cast<size_t>(w);
    }
}

// Async-signal-safe: only write() and the buffers above.
void PrintLastEvents()
{
    if (Reported)
        return;
    Reported = 1;
    WriteAll(SeedLine);
    WriteAll("chaos: the last events, oldest first:\n");
    const long first = EventsDone >= Remembered ? EventsDone - Remembered + 1 : 0;
    for (long e = first; e <= EventsDone; ++e) {
        const int k = static_cast<int>(e % Remembered);
        if (RingEvent[k] != e)
            continue;
        char num[32];
        int len = 0;
        char digits[24];
        long v = e;
        do {
            digits[len++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v > 0);
        int p = 0;
        num[p++] = ' ';
        num[p++] = ' ';
        while (len > 0)
            num[p++] = digits[--len];
        num[p++] = ' ';
        num[p] = '\0';
        WriteAll(num);
        WriteAll(Ring[k]);
        WriteAll("\n");
    }
}

void OnFatalSignal(int sig)
{
    if (!Reported)
        WriteAll("chaos: the process died (signal) during the last event below\n");
    PrintLastEvents();
    signal(sig, SIG_DFL);
    raise(sig);
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
#define QZT_CHAOS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define QZT_CHAOS_SANITIZED 1
#endif
#endif
#if defined(QZT_CHAOS_SANITIZED)
extern "C" void __sanitizer_set_death_callback(void (*callback)(void));
#endif

namespace {

void InstallFailureReports()
{
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        signal(sig, OnFatalSignal);
#if defined(QZT_CHAOS_SANITIZED)
    // A sanitizer's report ends the process; the events that led to it come after it.
    __sanitizer_set_death_callback([] {
        WriteAll("chaos: a sanitizer stopped the run during the last event below\n");
        PrintLastEvents();
    });
#endif
}

// ---------------------------------------------------------------- the run

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

// Paths the run never sets: the controls the plug-in takes and hands back are
// watched, so only the plug-in may move them.
bool Watched(const std::string& path)
{
    for (const auto& h : HeldControls)
        if (path == h.path)
            return true;
    return false;
}

// A camera is asked for with the QZT key and taken by the next frame, once
// the simulator has changed the view.
enum Camera { CameraFree, CameraAsked, CameraTaken };

class Chaos {
public:
    Chaos(uint64_t seed, std::string pluginFile, bool trace, bool keepGoing)
        : rnd_(seed), file_(std::move(pluginFile)), trace_(trace), keepGoing_(keepGoing) {}

    bool run(long events);
    void summary(double seconds) const;

private:
    // events
    void event();
    void userAircraft();
    void otherMessage();
    void keyEvent();
    void mouseEvent();
    void datarefEvent();
    void pilotEvent();
    void commandEvent();
    void menuEvent();
    void dialogEvent();
    void storyEvent();
    void loadAircraft(const std::string& text);
    void recognised();                     // the plug-in took the simulator's aircraft as loaded
    void askCamera()
    {
        if (camera_ == CameraFree) {
            camera_ = CameraAsked;
            askedFrame_ = xphost::frame_count();
        }
    }
    void advanceEvent();
    void restart();
    void damagePrefs();
    bool startPlugin();

    // what should hold
    void settle();
    std::vector<std::string> check();
    void checkPrefs(std::vector<std::string>& problems);

    // The run's own changes to the simulator's variables. A value that is not
    // finite marks its place as one the plug-in may give back as it found it.
    void set_i(const std::string& path, int v) { xphost::set_i(path, v); }
    void set_f(const std::string& path, float v) { xphost::set_f(path, v); mark(path, 0, !std::isfinite(v)); }
    void set_d(const std::string& path, double v) { xphost::set_d(path, v); mark(path, 0, !std::isfinite(v)); }
    void set_vi(const std::string& path, const std::vector<int>& v, int offset = 0) { xphost::set_vi(path, v, offset); }
    void set_vf(const std::string& path, const std::vector<float>& v, int offset = 0)
    {
        xphost::set_vf(path, v, offset);
        for (size_t k = 0; k < v.size(); ++k)
            mark(path, offset + static_cast<int>(k), !std::isfinite(v[k]));
    }
    void mark(const std::string& path, int index, bool bad)
    {
        if (bad) {
            hostsOwn_[path].insert(index);
            return;
        }
        const auto it = hostsOwn_.find(path);
        if (it != hostsOwn_.end() && it->second.erase(index))
            clearedNow_[path].insert(index);
    }
    void checkWrites(std::vector<std::string>& problems);

    // helpers
    void note(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    std::string description();
    int anyInt();
    float anyFloat();
    double anyDouble();
    int coordinate(bool x);
    void count(const std::string& what) { ++counts_[what]; }

    Random rnd_;
    std::string file_;
    bool trace_;
    PluginSymbols symbols_;
    std::string prefsPath_, tmpPath_, pluginsDir_;
    std::vector<xphost::Dataref> settable_;

    // The model of the plug-in's state, kept from the events alone.
    bool   enabled_ = false;
    int    slot_ = 0;
    std::string descrip_;                  // the user's aircraft as the plug-in last read it
    bool   missed_ = false;                // disabled since the last enable: messages went unheard
    bool   firstActPending_ = false;
    double firstActDue_ = 0;
    int    qztKey_ = 115;                  // as the last start read it
    Camera camera_ = CameraFree;
    int    askedFrame_ = 0;                // the frame count when the camera was asked for
    PathState prefs_;                      // what the preferences path holds
    std::string prefsPrint_, tmpPrint_;
    size_t mismatches_ = 0;
    bool   noHandles_ = false;             // the next start finds no file handles left
    bool   prefsExact_ = false;            // a start: the file is as before it, or the defaults
    int    startFrame_ = 0;                // the frame count at the last start or enable: the announcement is due after it
    bool   announcing_ = false;            // the browsers are still to be told, with the next enabled frame
    int    dialog_ = 0;                    // the dialog's page open: 0 none, 1 information, 2 settings
    bool   capture_ = false;               // the dialog waits for a new QZT key
    int    qztKey1_ = 115;                 // the key's working copy, which a save commits
    bool   saving_ = false;                // this event saves the preferences
    bool   calm_ = false;                  // a calm spell: mostly the pilot and time
    int    story_ = 0;                     // the calm spell's flight: 0 none, 1 the zoom, 2 the ascent
    int    step_ = 0;

    long event_ = 0;
    char line_[LineLen] = {};
    std::map<std::string, long> counts_;
    std::map<std::string, std::set<int>> hostsOwn_;     // places holding the host's own bad value
    std::map<std::string, std::set<int>> clearedNow_;   // such places the event overwrote
    bool keepGoing_ = false, failed_ = false;   // --keep-going: report each kind of problem once
    std::set<std::string> seen_;
    std::set<int> slotsSeen_;
    long restarts_ = 0;
};

void Chaos::note(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(line_, sizeof line_, fmt, ap);
    va_end(ap);
    Remember(event_, line_);
    if (trace_)
        std::fprintf(stderr, "%ld %s\n", event_, line_);
}

int Chaos::anyInt()
{
    switch (rnd_.below(10)) {
    case 0: case 1: case 2: case 3: return rnd_.between(-2, 10);
    case 4: return rnd_.pick({INT_MIN, INT_MAX, 0, -1, INT_MIN + 1, INT_MAX - 1, 1 << 20, -(1 << 20)});
    case 5: return rnd_.between(-100000, 100000);
    default: return static_cast<int>(rnd_.bits32());
    }
}

float Chaos::anyFloat()
{
    switch (rnd_.below(12)) {
    case 0: return kNaN;
    case 1: return kInf;
    case 2: return -kInf;
    case 3: return rnd_.pick({FLT_MAX, -FLT_MAX, 3e9f, -3e9f, 2147483648.0f, -2147483904.0f, 1e30f, -1e30f,
                              FLT_MIN, -0.0f, 1e-45f, 4294967296.0f});
    case 4: case 5: return static_cast<float>(rnd_.between(-2, 10));
    case 6: return static_cast<float>(rnd_.uniform(0.0, 1.0));
    case 7: case 8: return static_cast<float>(rnd_.uniform(-1000.0, 100000.0));
    case 9: return static_cast<float>(rnd_.uniform(-1e7, 1e7));
    default: {
        const uint32_t bits = rnd_.bits32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    }
}

double Chaos::anyDouble()
{
    switch (rnd_.below(6)) {
    case 0: return rnd_.pick({static_cast<double>(kNaN), static_cast<double>(kInf), -static_cast<double>(kInf),
                              DBL_MAX, -DBL_MAX, 1e300});
    case 1: return rnd_.uniform(-90.0, 90.0);
    case 2: return rnd_.uniform(-1e7, 1e7);
    default: return anyFloat();
    }
}

// Anywhere: on the plug-in's strips and windows, on the screen, far outside it.
int Chaos::coordinate(bool x)
{
    int w = 0, h = 0;
    XPLMGetScreenSize(&w, &h);
    const int size = x ? w : h;
    const bool sane = size > 100 && size < (1 << 24);
    switch (rnd_.below(8)) {
    case 0: return rnd_.pick({INT_MIN, INT_MAX, -1, 0, 1 << 24, -(1 << 24)});
    case 1: return static_cast<int>(rnd_.bits32());
    case 2: case 3:                                    // the left strip
        if (sane)
            return x ? rnd_.between(0, 60) : rnd_.between(size / 2 - 5, size);
        break;
    case 4:                                            // the right strip
        if (sane)
            return x ? rnd_.between(size - 60, size) : rnd_.between(size / 2 - 5, size);
        break;
    default:
        break;
    }
    return sane ? rnd_.between(-20, size + 20) : rnd_.between(-20, 2000);
}

std::string Chaos::description()
{
    auto model = [&] {
        int s;
        do
            s = rnd_.below(Slots);
        while (!SlotText(s));
        return std::string(SlotText(s));
    };
    switch (calm_ ? 0 : rnd_.below(10)) {
    case 0: case 1: case 2: return "QZTdesign " + model();
    case 3: return rnd_.text(rnd_.below(60)) + model() + rnd_.text(rnd_.below(60));
    case 4: return model() + " " + model();                                  // the later slot wins
    case 5: return "Seminole " + model();                                    // "no" in a word
    case 6: return "";
    case 7: {                                                                // past 100 bytes, no NUL
        std::string s = rnd_.text(rnd_.between(80, 99)) + model();
        while (s.size() < 300)
            s += rnd_.text(1);
        return s;
    }
    case 8: {                                                                // any bytes, NULs too
        std::string s;
        const int n = rnd_.below(300);
        for (int i = 0; i < n; ++i)
            s += static_cast<char>(rnd_.below(256));
        if (rnd_.chance(0.5))
            s.insert(s.empty() ? 0 : rnd_.below(static_cast<int>(s.size())), model());
        return s;
    }
    default: return "Another maker's " + rnd_.text(rnd_.below(40));
    }
}

// ---------------------------------------------------------------- events

void Chaos::userAircraft() { loadAircraft(description()); }

void Chaos::loadAircraft(const std::string& text)
{
    const int slot = RecognisedSlot(text.substr(0, 260));   // what the simulator's 260 bytes hold
    std::string shown;
    for (char c : text.substr(0, 60))
        shown += c >= 32 && c < 127 ? c : '?';
    note("user aircraft (%zu bytes) \"%s\" -> slot %d%s", text.size(), shown.c_str(), slot,
         enabled_ ? "" : " (the plug-in is disabled and hears nothing)");
    xphost::load_aircraft(text);
    if (enabled_)
        recognised();
    count("user aircraft");
}

// The description as the plug-in reads it: the first 100 bytes, up to a NUL.
static std::string HostDescription()
{
    const char* path = "sim/aircraft/view/acf_descrip";
    return xphost::is_published(path) ? xphost::get_b(path).substr(0, 100) : std::string();
}

void Chaos::recognised()
{
    descrip_ = HostDescription();
    slot_ = RecognisedSlot(descrip_);
    slotsSeen_.insert(slot_);
    camera_ = CameraFree;                   // the view goes back to the simulator
    firstActPending_ = slot_ != 0;
    firstActDue_ = xphost::now() + 5.0;
}

void Chaos::otherMessage()
{
    const bool heard = enabled_;           // a disabled plug-in gets no message
    switch (rnd_.below(6)) {
    case 0: {
        const intptr_t index = rnd_.pick({static_cast<intptr_t>(1), static_cast<intptr_t>(19),
                                          static_cast<intptr_t>(-1), static_cast<intptr_t>(INTPTR_MAX),
                                          static_cast<intptr_t>(rnd_.bits32())});
        note("AI aircraft %ld loaded", static_cast<long>(index));
        xphost::send_message(0, 102, reinterpret_cast<void*>(index));
        count("AI aircraft");
        break;
    }
    case 1:
    case 2:
        note("airport loaded");
        xphost::load_airport();
        if (heard && slot_ != 0)
            camera_ = CameraFree;           // the preset lets go of what the model held
        if (heard && slot_ != 0 && !firstActPending_) {
            firstActPending_ = true;
            firstActDue_ = xphost::now() + 5.0;
        }
        count("airport");
        break;
    case 3:
    case 4:
        note("crash");
        xphost::crash();
        if (heard)
            camera_ = CameraFree;
        if (heard && !firstActPending_) {
            firstActPending_ = true;
            firstActDue_ = xphost::now() + 5.0;
        }
        count("crash");
        break;
    default: {
        const int from = rnd_.chance(0.5) ? rnd_.between(1, 50) : 0;
        const int msg = from ? rnd_.pick({101, 102, 103, 104, 0, -1}) : rnd_.pick({104, 105, 106, 0, -1, 999});
        note("message %d from plug-in %d", msg, from);
        xphost::send_message(from, msg, nullptr);   // from another plug-in, or one the plug-in ignores
        count("other message");
        break;
    }
    }
}

void Chaos::keyEvent()
{
    int vk;
    switch (rnd_.below(10)) {
    case 0: case 1: case 2: case 3: vk = qztKey_; break;
    case 4: vk = rnd_.chance(0.5) ? 0x26 : 0x28; break;          // the camera's zoom keys
    default: vk = rnd_.below(256); break;
    }
    int flags;
    switch (rnd_.below(10)) {
    case 0: case 1: case 2: case 3: flags = xplm_UpFlag; break;
    case 4: case 5: flags = xplm_DownFlag; break;
    case 6: flags = xplm_UpFlag | rnd_.pick({xplm_ShiftFlag, xplm_ControlFlag, xplm_OptionAltFlag}); break;
    case 7: flags = rnd_.below(64); break;
    default: flags = anyInt(); break;
    }
    const char ch = static_cast<char>(rnd_.below(256));
    note("key %d flags %d char %d", vk, flags, static_cast<unsigned char>(ch));
    xphost::key_event(ch, flags, static_cast<char>(vk));
    if (!enabled_) {
        // The key goes to the simulator alone.
    } else if (flags == xplm_UpFlag && capture_) {
        // The released key is the dialog's candidate, and does nothing else.
        if (vk != 0) {
            qztKey1_ = vk;
            capture_ = false;
        }
    } else if (flags == xplm_UpFlag && vk == qztKey_ && HasCamera(slot_)) {
        askCamera();
    }
    count("key");
}

void Chaos::mouseEvent()
{
    const int x = coordinate(true), y = coordinate(false);
    switch (rnd_.below(6)) {
    case 0: case 1:
        note("click %d %d", x, y);
        xphost::click(x, y);
        break;
    case 2:
        note("mouse down %d %d", x, y);
        xphost::mouse_down(x, y);
        break;
    case 3:
        note("mouse drag %d %d", x, y);
        xphost::mouse_drag(x, y);
        break;
    case 4:
        note("mouse up %d %d", x, y);
        xphost::mouse_up(x, y);
        break;
    default:
        note("mouse moves to %d %d", x, y);
        xphost::set_mouse(x, y);
        break;
    }
    count("mouse");
}

void Chaos::datarefEvent()
{
    const xphost::Dataref& d = settable_[rnd_.below(static_cast<int>(settable_.size()))];
    if (d.types & xplmType_Int) {
        const int v = anyInt();
        note("%s = %d", d.path.c_str(), v);
        set_i(d.path, v);
    } else if (d.types & xplmType_Float) {
        const float v = anyFloat();
        note("%s = %g", d.path.c_str(), static_cast<double>(v));
        set_f(d.path, v);
    } else if (d.types & xplmType_Double) {
        const double v = anyDouble();
        note("%s = %g", d.path.c_str(), v);
        set_d(d.path, v);
    } else if (d.types & (xplmType_IntArray | xplmType_FloatArray)) {
        const int offset = rnd_.below(d.size);
        const int n = rnd_.between(1, d.size - offset);
        if (d.types & xplmType_IntArray) {
            std::vector<int> v(n);
            for (int& x : v)
                x = anyInt();
            note("%s[%d..%d] = %d ...", d.path.c_str(), offset, offset + n - 1, v[0]);
            set_vi(d.path, v, offset);
        } else {
            std::vector<float> v(n);
            for (float& x : v)
                x = anyFloat();
            note("%s[%d..%d] = %g ...", d.path.c_str(), offset, offset + n - 1, static_cast<double>(v[0]));
            set_vf(d.path, v, offset);
        }
    } else {
        std::string bytes;
        const int n = rnd_.below(d.size + 20);
        for (int i = 0; i < n; ++i)
            bytes += static_cast<char>(rnd_.below(256));
        note("%s = %d random bytes", d.path.c_str(), n);
        xphost::set_b(d.path, bytes);
    }
    count("simulator variable");
}

// Two whole flights, a step at a time with time between the steps: the
// carrier's zoom from the climb to the hand-over with the release of the
// orbiter, and the orbiter's ascent from its brake release to the engine cut.
void Chaos::storyEvent()
{
    const int step = step_++;
    if (story_ == 1) {
        switch (step) {
        case 0:
            set_i("sim/cockpit/switches/prop_sync_on", 0);
            set_i("sim/cockpit/switches/puffers_on", 1);
            set_i("sim/cockpit/autopilot/autopilot_state", 0);
            set_f("sim/flightmodel/misc/h_ind", 20000.0f);
            set_f("sim/flightmodel/misc/machno", 0.9f);
            set_f("sim/flightmodel/position/vh_ind", 50.0f);
            set_f("sim/flightmodel/position/indicated_airspeed", 400.0f);
            loadAircraft("QZTdesign QZT Skyhoist orbital carrier");
            set_vi("sim/weapons/type", {0, 0, 9});
            set_vi("sim/weapons/action_mode", {0, 0, 0});
            return;
        case 1: note("zoom flight: the zoom master on"); set_i("sim/cockpit/switches/prop_sync_on", 1); return;
        case 2: note("zoom flight: climbing"); set_f("sim/flightmodel/misc/h_ind", 45000.0f); return;
        case 3:
            note("zoom flight: in the window");
            set_f("sim/flightmodel/misc/h_ind", 71500.0f);
            set_f("sim/flightmodel/misc/machno", 6.4f);
            return;
        case 4: note("zoom flight: pulling up"); set_f("sim/flightmodel/position/indicated_airspeed", 100.0f); return;
        case 5: note("zoom flight: slowing"); set_f("sim/flightmodel/position/indicated_airspeed", 40.0f); return;
        case 6:
            note("zoom flight: over the top");
            set_f("sim/flightmodel/position/indicated_airspeed", 10.0f);
            set_f("sim/cockpit/gyros/the_ind_deg3", 15.0f);
            set_f("sim/flightmodel/misc/h_ind", 300000.0f);
            set_f("sim/flightmodel/position/vh_ind", 400.0f);
            return;
        case 7: note("zoom flight: the climb rate falls"); set_f("sim/flightmodel/position/vh_ind", 100.0f); return;
        case 8:
            note("zoom flight: descending");
            set_f("sim/flightmodel/position/vh_ind", -100.0f);
            set_vi("sim/weapons/action_mode", {1}, 2);
            return;
        case 9: note("zoom flight: below 95,000 ft"); set_f("sim/flightmodel/misc/h_ind", 90000.0f); return;
        case 10: note("zoom flight: near 60,000 ft"); set_f("sim/flightmodel/misc/h_ind", 65000.0f); return;
        default: break;
        }
    } else {
        switch (step) {
        case 0:
            set_f("sim/flightmodel/controls/parkbrake", 1.0f);
            set_f("sim/flightmodel/weight/m_fuel2", 5000.0f);
            set_i("sim/cockpit/engine/fuel_tank_selector", 2);
            set_f("sim/flightmodel/position/groundspeed", 0.0f);
            loadAircraft("QZTdesign QZT Ascender orbiter");
            return;
        case 1: note("ascent: waiting on the ground"); return;
        case 2: note("ascent: brake released"); set_f("sim/flightmodel/controls/parkbrake", 0.0f); return;
        case 3: case 4: case 5: case 6: {
            const float speed = 2000.0f * static_cast<float>(step - 2);
            note("ascent: %.0f m/s over the ground", static_cast<double>(speed));
            set_f("sim/flightmodel/position/groundspeed", speed);
            set_d("sim/flightmodel/position/elevation", 60000.0 * (step - 2));
            set_f("sim/flightmodel/weight/m_fuel2", 5000.0f - 1000.0f * static_cast<float>(step - 2));
            return;
        }
        case 7: note("ascent: orbital speed"); set_f("sim/flightmodel/position/groundspeed", 7800.0f); return;
        default: break;
        }
    }
    note("the flight is over");
    story_ = 0;
}

// What a pilot does on purpose, so the runs reach the models' deeper states:
// the zoom window, a brake release, stores on the stations, a folding engine.
void Chaos::pilotEvent()
{
    if (story_ && rnd_.chance(0.6)) {
        storyEvent();
        count("flight step");
        return;
    }
    int what = rnd_.below(17);
    // In a calm spell the switches that cancel a running sequence rarely move.
    if (calm_ && (what == 3 || what == 10 || what == 15) && rnd_.chance(0.9))
        what = 16;
    switch (what) {
    case 0:
        note("pilot: the carrier's zoom window, zoom master on");
        set_f("sim/flightmodel/misc/h_ind", 71500.0f);
        set_f("sim/flightmodel/misc/machno", 6.4f);
        set_f("sim/flightmodel/position/true_airspeed", 1900.0f);
        set_i("sim/cockpit/switches/puffers_on", 1);
        set_i("sim/cockpit/switches/prop_sync_on", 1);
        break;
    case 1:
        note("pilot: high above the zoom, climbing slowly");
        set_f("sim/flightmodel/misc/h_ind", static_cast<float>(rnd_.uniform(60000, 400000)));
        set_f("sim/flightmodel/position/vh_ind", static_cast<float>(rnd_.uniform(-300, 300)));
        set_f("sim/flightmodel/misc/machno", static_cast<float>(rnd_.uniform(0, 7)));
        break;
    case 2:
        note("pilot: parking brake released");
        set_f("sim/flightmodel/controls/parkbrake", 0.0f);
        set_f("sim/flightmodel/weight/m_fuel2", static_cast<float>(rnd_.uniform(0, 8000)));
        break;
    case 3:
        note("pilot: parking brake set");
        set_f("sim/flightmodel/controls/parkbrake", 1.0f);
        break;
    case 4: {
        note("pilot: JATO unit, drop tanks and a bomb on the stations");
        set_vi("sim/weapons/type", {19, 19, 23, 23, 9, 23, 22, 21});
        set_vi("sim/weapons/action_mode", {0, 0, 0, 0, 0, 0, 0, 0});
        set_vf("sim/weapons/total_weapon_mass_max", {124.7f, 124.7f, 300.0f, 300.0f, 250.0f, 29.5f, 140.1f, 50.0f});
        set_vf("sim/weapons/fuel_warhead_mass_max", {0.0f, 0.0f, 243.0f, 405.0f, 0.0f, 29.5f, 0.0f, 0.0f});
        set_vf("sim/weapons/total_weapon_mass_now", {124.7f, 124.7f, 263.0f, 440.0f, 250.0f, 29.5f, 140.1f, 50.0f});
        set_f("sim/flightmodel/misc/jato_left", rnd_.chance(0.5) ? 0.0f : 30.0f);
        set_f("sim/flightmodel/position/true_airspeed", static_cast<float>(rnd_.uniform(0, 120)));
        break;
    }
    case 5: {
        const int station = rnd_.below(10);
        const int status = rnd_.below(3);
        note("pilot: station %d's store goes to state %d", station, status);
        set_vi("sim/weapons/action_mode", {status}, station);
        set_vf("sim/weapons/V_msc", {static_cast<float>(rnd_.uniform(0, 400))}, station);
        set_vf("sim/weapons/x", {static_cast<float>(rnd_.uniform(-1e5, 1e5))}, station);
        break;
    }
    case 6:
        note("pilot: the folding engine's request and position");
        set_f("sim/flightmodel/controls/swdirqst", rnd_.chance(0.5) ? 1.0f : 0.0f);
        set_f("sim/flightmodel/controls/swdi", static_cast<float>(rnd_.unit()));
        break;
    case 7:
        note("pilot: battery, avionics and cockpit lights");
        set_i("sim/cockpit/electrical/battery_on", rnd_.below(2));
        set_i("sim/cockpit/electrical/avionics_on", rnd_.below(2));
        set_i("sim/cockpit/electrical/cockpit_lights_on", rnd_.below(2));
        break;
    case 8:
        note("pilot: supersonic and high");
        set_f("sim/flightmodel/misc/machno", static_cast<float>(rnd_.uniform(0.5, 4)));
        set_f("sim/flightmodel/misc/h_ind", static_cast<float>(rnd_.uniform(0, 260000)));
        set_f("sim/flightmodel/position/indicated_airspeed", static_cast<float>(rnd_.uniform(0, 700)));
        break;
    case 9:
        note("pilot: water selector, sweep switch, water aboard");
        set_i("sim/cockpit/weapons/firing_mode", rnd_.below(4));
        set_i("sim/cockpit/weapons/firing_rate", rnd_.below(4));
        set_i("sim/cockpit/switches/puffers_on", rnd_.below(2));
        set_f("sim/flightmodel/weight/m_jettison", static_cast<float>(rnd_.uniform(0, 1400)));
        set_vf("sim/flightmodel/engine/ENGN_FF_", {static_cast<float>(rnd_.uniform(0, 3)),
                                                   static_cast<float>(rnd_.uniform(0, 3))});
        break;
    case 10:
        note("pilot: zoom master, orbiter switch and emergency selector");
        set_i("sim/cockpit/switches/prop_sync_on", rnd_.below(2));
        set_i("sim/cockpit/switches/puffers_on", rnd_.below(2));
        set_i("sim/cockpit/switches/auto_feather_mode", rnd_.below(3));
        set_i("sim/cockpit/switches/gear_handle_status", rnd_.below(2));
        break;
    case 11:
        note("pilot: over the top of the arc");
        set_f("sim/flightmodel/position/indicated_airspeed", static_cast<float>(rnd_.uniform(0, 200)));
        set_f("sim/cockpit/gyros/the_ind_deg3", static_cast<float>(rnd_.uniform(-30, 60)));
        set_f("sim/flightmodel/position/vh_ind", static_cast<float>(rnd_.uniform(-300, 300)));
        set_f("sim/flightmodel/misc/h_ind", static_cast<float>(rnd_.uniform(60000, 400000)));
        set_f("sim/flightmodel/forces/g_nrml", static_cast<float>(rnd_.uniform(0, 7)));
        break;
    case 12:
        note("pilot: the carrier on the runway with its orbiter and a JATO pack");
        set_vi("sim/weapons/type", {0, 19, 9});
        set_vi("sim/weapons/action_mode", {0, 0, 0});
        set_f("sim/flightmodel/misc/machno", rnd_.chance(0.5) ? 0.0f : 0.2f);
        break;
    case 13:
        note("pilot: a cockpit view and an ECAM page");
        set_i("sim/graphics/view/view_type", rnd_.pick({1000, 1026, 1017, 1023, 1028}));
        set_i("sim/cockpit/switches/ECAM_mode", rnd_.below(3));
        break;
    case 14:
        note("pilot: the JATO has burnt out, gear down, fast");
        set_f("sim/flightmodel/misc/jato_left", 0.0f);
        set_f("sim/flightmodel/position/true_airspeed", 60.0f);
        set_i("sim/cockpit/switches/gear_handle_status", 1);
        break;
    case 15: {
        const int procedure = rnd_.between(1, 2);
        note("pilot: the orbiter switch off, emergency %d selected", procedure);
        set_i("sim/cockpit/switches/auto_feather_mode", procedure);
        set_i("sim/cockpit/switches/puffers_on", 0);
        break;
    }
    default:
        note("pilot: the simulator pauses or goes on");
        set_i("sim/time/paused", rnd_.chance(0.2) ? 1 : 0);
        break;
    }
    count("pilot");
}

void Chaos::advanceEvent()
{
    if (rnd_.chance(0.03)) {
        const double fps = rnd_.pick({1.0, 7.0, 10.0, 20.0, 30.0, 50.0, 60.0});
        xphost::set_frame_rate(fps);
    }
    double seconds;
    switch (rnd_.below(20)) {
    case 0: seconds = rnd_.uniform(5, 40); break;
    case 1: case 2: case 3: seconds = rnd_.uniform(0.5, 5); break;
    default: seconds = rnd_.uniform(0.01, 0.5); break;
    }
    note("%.3f s pass at %.0f frames a second", seconds, 1.0 / xphost::frame_period());
    xphost::advance(seconds);
    count("time");
}

// A joystick button bound to one of the plug-in's commands (or to none of
// them): pressed and released, pressed and held, or let go.
void Chaos::commandEvent()
{
    static const char* const names[] = {"QZTgov/qzt_key", "QZTgov/qzt_key", "QZTgov/camera_zoom_in",
                                        "QZTgov/camera_zoom_out", "QZTgov/no_such_command"};
    const char* name = rnd_.pick(names);
    // A button already down sends no second press.
    const xphost::CommandInfo* info = xphost::command(name);
    bool pressed = info && !info->held;
    switch (rnd_.below(3)) {
    case 0: note("command %s once", name); xphost::command_once(name); break;
    case 1: note("command %s begins", name); xphost::command_begin(name); break;
    default: note("command %s ends", name); xphost::command_end(name); pressed = false; break;
    }
    // The QZT command acts on its press, whatever keys are held, but not while
    // the dialog waits for a key.
    if (enabled_ && pressed && !capture_ && std::string(name) == "QZTgov/qzt_key" && HasCamera(slot_))
        askCamera();
    count("command");
}

// The plug-in's menu: either item closes an open dialog and opens its page.
void Chaos::menuEvent()
{
    const bool info = rnd_.chance(0.3);
    note("menu QZTgov, %s", info ? "Description" : "Preferences");
    if (!xphost::select_menu_item("QZTgov", info ? "Description" : "Preferences"))
        return;                             // disabled: nobody hears the menu
    dialog_ = info ? 1 : 2;
    capture_ = false;
    count("menu");
}

// One of the open dialog's buttons or check boxes, or its close box.
void Chaos::dialogEvent()
{
    std::vector<xphost::Widget> buttons;
    XPWidgetID root = nullptr;
    for (const auto& w : xphost::widgets()) {
        if (w.root && w.visible)
            root = w.id;
        else if (w.widget_class == xpWidgetClass_Button)
            buttons.push_back(w);
    }
    if (!root)
        return menuEvent();
    if (!enabled_) {
        // A disabled plug-in's dialog is not shown and answers nothing.
        note("dialog: a click on the disabled plug-in's dialog");
        if (!buttons.empty())
            xphost::press_button(buttons[rnd_.below(static_cast<int>(buttons.size()))].id);
        count("dialog");
        return;
    }
    if (buttons.empty() || rnd_.chance(0.1)) {
        note("dialog: close box");
        xphost::press_close_box(root);
        dialog_ = 0;
        capture_ = false;
        count("dialog");
        return;
    }
    const xphost::Widget& b = buttons[rnd_.below(static_cast<int>(buttons.size()))];
    note("dialog: button \"%s\"", b.descriptor.c_str());
    xphost::press_button(b.id);
    if (b.descriptor == " Redefine QZT key") {
        capture_ = true;
    } else if (b.descriptor == " Default") {
        qztKey_ = qztKey1_ = 115;
        dialog_ = 0;
    } else if (b.descriptor == " Discard") {
        qztKey1_ = qztKey_;
        dialog_ = 0;
    } else if (b.descriptor == "  Save and close") {
        qztKey_ = qztKey1_;
        saving_ = true;
        dialog_ = 0;
    }
    if (dialog_ == 0)
        capture_ = false;
    count("dialog");
}

// ---------------------------------------------------------------- starts and the preferences file

// Between a stop and the next start the file may be edited, cut, replaced,
// removed, made into a folder or unreadable, or its whole folder may go.
void Chaos::damagePrefs()
{
    std::error_code ec;
    chmod(prefsPath_.c_str(), 0644);
    if (!std::filesystem::exists(pluginsDir_))
        std::filesystem::create_directories(pluginsDir_, ec);
    const PathState now = Observe(prefsPath_);
    auto replaceWith = [&](const std::string& bytes) {
        std::filesystem::remove_all(prefsPath_, ec);
        std::ofstream(prefsPath_, std::ios::binary) << bytes;
    };
    const std::string current = now.kind == PathState::File ? now.bytes : DefaultPrefsText();
    int key = 0;
    noHandles_ = false;
    switch (rnd_.below(22)) {
    case 0: case 1: case 2: case 3: case 4: note("restart, the preferences file as it is"); break;
    case 5: case 6: note("restart, the preferences file deleted"); std::filesystem::remove_all(prefsPath_, ec); break;
    case 7: case 8: case 9:
        replaceWith(RandomPrefsFile(rnd_, &key));
        note("restart, the preferences file rewritten with key %d", key);
        break;
    case 10: note("restart, the preferences file cut short"); replaceWith(Truncated(rnd_, current)); break;
    case 11: case 12: note("restart, the preferences file edited badly"); replaceWith(Mutated(rnd_, current)); break;
    case 13: note("restart, the preferences file is garbage"); replaceWith(Garbage(rnd_)); break;
    case 14: note("restart, the preferences file holds hostile numbers"); replaceWith(HostileNumbers(rnd_)); break;
    case 15: note("restart, the preferences file is longer than 64 KiB"); replaceWith(Oversized(rnd_, current)); break;
    case 16: note("restart, the preferences file is empty"); replaceWith(""); break;
    case 17:
        note("restart, a folder in the preferences file's place");
        std::filesystem::remove_all(prefsPath_, ec);
        std::filesystem::create_directories(prefsPath_ + "/inside", ec);
        break;
    case 18:
        note("restart, the preferences file unreadable");
        if (now.kind != PathState::File)
            replaceWith(current);
        chmod(prefsPath_.c_str(), 0);
        break;
    case 19:
        // It exists but cannot be opened: ELOOP, as a lock or a missing right
        // gives for anyone but root.
        note("restart, the preferences file a link to itself");
        std::filesystem::remove_all(prefsPath_, ec);
        std::filesystem::create_symlink("QZTgov_Preferences.txt", prefsPath_, ec);
        break;
    case 20:
        note("restart with no file handles left");
        noHandles_ = true;
        break;
    default:
        note("restart, the plug-ins folder gone");
        std::filesystem::remove_all(pluginsDir_, ec);
        break;
    }
}

bool Chaos::startPlugin()
{
    std::string error;
    if (!xphost::load_plugin(file_, &error)) {
        std::fprintf(stderr, "chaos: cannot load %s: %s\n", file_.c_str(), error.c_str());
        return false;
    }
    symbols_.locate(reinterpret_cast<const void*>(xphost::plugin().start));

    // What the start should find and make of it.
    const PathState before = Observe(prefsPath_);
    const bool readable = before.kind != PathState::File || access(prefsPath_.c_str(), R_OK) == 0;
    if (before.kind == PathState::File && readable)
        qztKey_ = KeyAsRead(before.bytes);
    else
        qztKey_ = 115;                      // nothing read: the built-in key

    // No handles left: the start can open nothing.
    struct rlimit handles {};
    getrlimit(RLIMIT_NOFILE, &handles);
    if (noHandles_) {
        const int next = open("/dev/null", O_RDONLY);
        close(next);
        struct rlimit none = handles;
        none.rlim_cur = static_cast<rlim_t>(next);
        setrlimit(RLIMIT_NOFILE, &none);
        qztKey_ = 115;
    }
    const int started = xphost::start();
    if (noHandles_)
        setrlimit(RLIMIT_NOFILE, &handles);
    if (started != 1 || xphost::enable() != 1) {
        std::fprintf(stderr, "chaos: the plug-in did not start\n");
        return false;
    }
    enabled_ = true;
    slot_ = 0;
    descrip_.clear();
    missed_ = false;
    firstActPending_ = false;
    camera_ = CameraFree;
    startFrame_ = xphost::frame_count();
    announcing_ = true;
    qztKey1_ = qztKey_;
    dialog_ = 0;
    capture_ = false;

    // Only a missing file is created, with the defaults; anything else is left alone.
    if (before.kind == PathState::Missing && std::filesystem::exists(pluginsDir_) && !noHandles_) {
        PathState made;
        made.kind = PathState::File;
        made.bytes = DefaultPrefsText();
        prefs_ = made;
    } else {
        prefs_ = before;
    }
    prefsPrint_ = "";                       // compare at the next check, byte for byte
    prefsExact_ = true;
    return true;
}

void Chaos::restart()
{
    note("restart: disable, stop, unload");   // the damage below names the event once it is done
    if (enabled_)
        xphost::disable();
    xphost::stop();
    xphost::unload_plugin();
    enabled_ = false;
    slot_ = 0;
    dialog_ = 0;
    capture_ = false;
    ++restarts_;
    camera_ = CameraFree;
    firstActPending_ = false;
    damagePrefs();
    count("restart");
}

// ---------------------------------------------------------------- one event

// Storms set anything to anything; calm spells let a model's sequences run
// (a zoom, a JATO burn, a release) with the pilot's coherent settings.
void Chaos::event()
{
    if (rnd_.chance(1.0 / 3000)) {
        calm_ = !calm_;
        story_ = calm_ ? rnd_.below(3) : 0;
        step_ = 0;
    }
    // thresholds per mille: restart, aircraft, message, disable, key, mouse, menu, view, screen, pilot, time
    static const int Storm[] = {1, 60, 100, 115, 225, 320, 345, 355, 360, 400, 560};
    static const int Calm[] = {0, 5, 15, 18, 95, 140, 155, 160, 160, 400, 900};
    const int* t = calm_ ? Calm : Storm;
    const int r = rnd_.below(1000);
    if (r < t[0] || (calm_ && rnd_.chance(0.0005))) {
        restart();
        if (!startPlugin())
            std::exit(3);
    } else if (r < t[1]) {
        userAircraft();
    } else if (r < t[2]) {
        otherMessage();
    } else if (r < t[3]) {
        if (enabled_) {
            note("disable");
            xphost::disable();
            enabled_ = false;
            missed_ = true;
            camera_ = CameraFree;           // nothing may stay held
        } else {
            note("enable");
            xphost::enable();
            enabled_ = true;
            // An aircraft loaded meanwhile is taken as loaded now; a first
            // action that fell due meanwhile runs with the next frame.
            if (missed_ && HostDescription() != descrip_)
                recognised();
            missed_ = false;
            startFrame_ = xphost::frame_count();
            if (firstActPending_ && firstActDue_ <= xphost::now())
                firstActDue_ = xphost::now() + 1e-6;
        }
        count(enabled_ ? "enable" : "disable");
    } else if (r < t[4]) {
        if (rnd_.chance(0.15))
            commandEvent();
        else
            keyEvent();
    } else if (r < t[5]) {
        mouseEvent();
    } else if (r < t[6]) {
        if (dialog_ && rnd_.chance(0.9))
            dialogEvent();
        else
            menuEvent();
    } else if (r < t[7]) {
        note("the user picks one of the simulator's views");
        xphost::user_changes_view();
        if (camera_ == CameraTaken)
            camera_ = CameraFree;           // a camera still to be taken is taken all the same
        count("view");
    } else if (r < t[8]) {
        const int w = rnd_.chance(0.5) ? anyInt() : rnd_.between(640, 4000);
        const int h = rnd_.chance(0.5) ? anyInt() : rnd_.between(480, 2200);
        const bool vr = rnd_.chance(0.2);   // in VR the plug-in's windows are not drawn
        note("screen %d x %d%s", w, h, vr ? ", in VR" : "");
        xphost::set_screen_size(w, h);
        xphost::set_windows_drawn(!vr);
        count("screen");
    } else if (r < t[9]) {
        pilotEvent();
    } else if (r < t[10]) {
        advanceEvent();
    } else {
        datarefEvent();
    }
}

// ---------------------------------------------------------------- checks

void Chaos::settle()
{
    if (enabled_ && camera_ == CameraAsked && xphost::frame_count() > askedFrame_)
        camera_ = CameraTaken;
    if (enabled_ && announcing_ && xphost::frame_count() > startFrame_)
        announcing_ = false;
    if (enabled_ && firstActPending_ && xphost::now() >= firstActDue_ - 1e-7)
        firstActPending_ = false;          // it has run
}

void Chaos::checkPrefs(std::vector<std::string>& problems)
{
    const std::string tmp = Fingerprint(tmpPath_);
    if (tmp != "missing" && tmp != tmpPrint_)
        problems.push_back("a temporary preferences file was left behind");
    tmpPrint_ = tmp;

    const std::string print = Fingerprint(prefsPath_);
    if (print == prefsPrint_)
        return;
    prefsPrint_ = print;
    const PathState now = Observe(prefsPath_);
    const bool exact = prefsExact_;
    prefsExact_ = false;
    if (now == prefs_)
        return;
    std::string why;
    if (saving_ && !exact && now.kind == PathState::File && DocumentedForm(now.bytes, &why)) {
        prefs_ = now;                       // the dialog's save, with the key it committed
        if (KeyAsRead(now.bytes) != qztKey_)
            problems.push_back("the saved preferences file holds the QZT key " +
                               std::to_string(KeyAsRead(now.bytes)) + ", the dialog committed " +
                               std::to_string(qztKey_));
        return;
    }
    static const char* const kinds[] = {"nothing", "a file", "a folder", "something else"};
    std::string what = std::string(exact ? "after the start " : "") + "the preferences path held " +
                       kinds[prefs_.kind] + " and now holds " + kinds[now.kind];
    if (exact && prefs_.kind == PathState::File && now.kind == PathState::File)
        what += " other than " + std::string(prefs_.bytes == DefaultPrefsText() ? "the defaults" : "it was");
    if (now.kind == PathState::File) {
        if (DocumentedForm(now.bytes, &why))
            what += " in its documented form, though nothing saved it";
        else
            what += " (" + why + ")";
    }
    problems.push_back(what);
    prefs_ = now;
}

// Nothing the plug-in writes into the simulator is NaN or infinite, unless
// it gives back the host's own value at that place, as the event found it or
// as the run set it since (a mixture it did not change, read and written as
// one array; a payload put back after a moment).
void Chaos::checkWrites(std::vector<std::string>& problems)
{
    for (const auto& w : xphost::writes()) {
        if (!w.accepted)
            continue;
        for (size_t k = 0; k < w.values.size(); ++k) {
            const int index = w.offset + static_cast<int>(k);
            const bool bad = !std::isfinite(w.values[k]);
            auto held = [&](std::map<std::string, std::set<int>>& places) {
                const auto it = places.find(w.path);
                return it != places.end() && it->second.count(index) != 0;
            };
            if (bad && !held(hostsOwn_) && !held(clearedNow_)) {
                char value[40];
                std::snprintf(value, sizeof value, "%g", w.values[k]);
                problems.push_back("slot " + std::to_string(slot_) + " writes " + value + " to " + w.path +
                                   (w.values.size() > 1 ? "[" + std::to_string(index) + "]" : ""));
                return;
            }
            if (!bad)
                mark(w.path, index, false);
            else
                hostsOwn_[w.path].insert(index);   // given back: the place holds the host's own value again
        }
    }
}

std::vector<std::string> Chaos::check()
{
    std::vector<std::string> problems;
    settle();
    auto named = [&](const void* f) {
        const std::string n = symbols_.name(f);
        return n.empty() ? std::string("an unknown function") : n;
    };

    // Flight loops: the model's loop unless a disable stopped it, the pending
    // first action, nothing else, and nothing registered twice.
    std::multiset<std::string> active, registered;
    for (const auto& l : xphost::flight_loops()) {
        registered.insert(named(reinterpret_cast<const void*>(l.callback)));
        if (l.active)
            active.insert(named(reinterpret_cast<const void*>(l.callback)));
    }
    std::multiset<std::string> wanted;
    const std::string loop = ModelLoop(slot_);
    if (!loop.empty())
        wanted.insert(loop);
    if (firstActPending_)
        wanted.insert("FIRSTAct");
    if (slot_ != 0)
        wanted.insert("CheckBrake");        // the first brake release after a load
    if (camera_ == CameraAsked)
        wanted.insert("CameraTakeLoop");
    // A dialog closed from its own callbacks is hidden until the next frame destroys it.
    for (const auto& w : xphost::widgets())
        if (w.root && !w.visible)
            wanted.insert("DialogDestroyLoop");
    if (announcing_)
        wanted.insert("AnnounceDataRefs");      // the first frame after a start tells the browsers
    if (symbols_.known() ? active != wanted : active.size() != wanted.size()) {
        std::string s = "slot " + std::to_string(slot_) + ": flight loops running:";
        for (const auto& a : active)
            s += " " + a;
        s += "; wanted:";
        for (const auto& w : wanted)
            s += " " + w;
        problems.push_back(s);
    }
    for (const auto& r : registered)
        if (registered.count(r) > 1) {
            problems.push_back(r + " is registered " + std::to_string(registered.count(r)) + " times");
            break;
        }

    // Panel drawing.
    const std::string drawing = PanelDrawing(slot_);
    const auto draws = xphost::draw_callbacks();
    const bool drawsRight = draws.size() == (drawing.empty() ? 0u : 1u) &&
                            (draws.empty() || ((!symbols_.known() || named(reinterpret_cast<const void*>(
                                                                          draws[0].callback)) == drawing) &&
                                               draws[0].phase == xplm_Phase_Panel && draws[0].before == 0));
    if (!drawsRight)
        problems.push_back("slot " + std::to_string(slot_) + ": " + std::to_string(draws.size()) +
                           " drawing callbacks, wanted " + (drawing.empty() ? "none" : drawing));

    // Windows: the custom data strip for every model, the handbook where the
    // model has one, the light twin's camera window; each of its size.
    std::multiset<std::string> windows, wantedWindows;
    for (const auto& w : xphost::windows()) {
        const std::string n = named(reinterpret_cast<const void*>(w.draw));
        windows.insert(n);
        bool shaped = w.top >= w.bottom && w.right >= w.left;
        if (n == "PARAMETERDrawWindowCallback")
            shaped = shaped && w.left == 0 && w.right == 50;
        else if (n == "INFODrawWindowCallback")
            shaped = shaped && w.right - w.left == 50;
        else if (n == "CAMDrawWindowCallback")
            shaped = w.right - w.left == 200 && w.top - w.bottom == 160;
        if (!shaped)
            problems.push_back(n + " has the shape " + std::to_string(w.left) + " " + std::to_string(w.top) + " " +
                               std::to_string(w.right) + " " + std::to_string(w.bottom));
    }
    if (slot_ != 0)
        wantedWindows.insert("PARAMETERDrawWindowCallback");
    if (HasHandbook(slot_))
        wantedWindows.insert("INFODrawWindowCallback");
    if (HasCameraWindow(slot_))
        wantedWindows.insert("CAMDrawWindowCallback");
    if (symbols_.known() ? windows != wantedWindows : windows.size() != wantedWindows.size())
        problems.push_back("slot " + std::to_string(slot_) + ": " + std::to_string(windows.size()) +
                           " windows, wanted " + std::to_string(wantedWindows.size()));

    // The dialog: one root window while a page is open, none otherwise.
    int roots = 0;
    std::string title;
    for (const auto& w : xphost::widgets())
        if (w.root && w.visible) {
            ++roots;
            title = w.descriptor;
        }
    if (roots != (dialog_ ? 1 : 0) || (dialog_ && title != (dialog_ == 1 ? "ABOUT QZTgov" : "PREFERENCES")))
        problems.push_back(std::to_string(roots) + " dialogs (" + title + "), wanted page " + std::to_string(dialog_));

    const auto sniffers = xphost::key_sniffers();
    if (sniffers.size() != 1 || sniffers[0].before_windows != 1)
        problems.push_back(std::to_string(sniffers.size()) + " key sniffers");

    // The simulator's controls: only a loaded model that may take one holds it.
    for (const auto& h : HeldControls) {
        if (xphost::get_i(h.path) != 0 && (!h.mayHold(slot_) || !enabled_))
            problems.push_back(std::string(h.path) + " is held with slot " + std::to_string(slot_) +
                               (enabled_ ? "" : " by the disabled plug-in"));
    }

    // The view: only a camera model's camera has it, and it has it exactly
    // when the QZT key took it and nothing gave it back since.
    const bool controlled = xphost::camera_controlled();
    if (controlled && !HasCamera(slot_))
        problems.push_back("a camera holds the view with slot " + std::to_string(slot_));
    else if (controlled != (camera_ == CameraTaken))
        problems.push_back(std::string("the camera ") + (controlled ? "holds" : "does not hold") +
                           " the view, slot " + std::to_string(slot_) + ", QZT key " + std::to_string(qztKey_));

    // Its own figures: all published while it runs, its slot the one the
    // oracle recognised, and one handler on each of its commands.
    const auto published = xphost::published_datarefs();
    if (published.size() != 11)
        problems.push_back(std::to_string(published.size()) + " datarefs published");
    else if (xphost::get_i("QZTgov/slot") != slot_)
        problems.push_back("QZTgov/slot says " + std::to_string(xphost::get_i("QZTgov/slot")) + ", the slot is " +
                           std::to_string(slot_));
    for (const char* command : {"QZTgov/qzt_key", "QZTgov/camera_zoom_in", "QZTgov/camera_zoom_out"})
        if (xphost::command_handlers(command).size() != 1)
            problems.push_back(std::string(command) + " has " +
                               std::to_string(xphost::command_handlers(command).size()) + " handlers");

    // What the simulator would be left with: anything a stopped plug-in left
    // registered, a widget destroyed from inside its own callbacks.
    if (!xphost::faults().empty()) {
        for (const auto& f : xphost::faults())
            problems.push_back(f);
        xphost::clear_faults();
    }

    if (xphost::type_mismatches().size() != mismatches_) {
        const auto& m = xphost::type_mismatches().back();
        problems.push_back(m.call + " on " + m.path + " (the variable's type is another)");
        mismatches_ = xphost::type_mismatches().size();
    }

    checkPrefs(problems);
    return problems;
}

// ---------------------------------------------------------------- the run

bool Chaos::run(long events)
{
    xphost::reset();
    xphost::set_frame_rate(20);
    const std::string system = xphost::system_path();
    pluginsDir_ = system + "Resources/plugins";
    prefsPath_ = pluginsDir_ + "/QZTgov_Preferences.txt";
    tmpPath_ = prefsPath_ + ".tmp";
    for (const auto& d : xphost::catalogue())
        if (!Watched(d.path))
            settable_.push_back(d);
    if (!symbols_.read(file_))
        std::fprintf(stderr, "chaos: %s has no symbol table: callbacks are counted, not named\n", file_.c_str());

    // The two dataref browsers are installed: each start tells them its names.
    xphost::load_other_plugin("xplanesdk.examples.DataRefEditor", "DataRef Editor");
    xphost::load_other_plugin("com.leecbaker.datareftool", "DataRefTool");
    note("start");
    if (!startPlugin())
        return false;
    for (event_ = 1; event_ <= events; ++event_) {
        EventsDone = event_;
        clearedNow_.clear();
        saving_ = false;
        event();
        std::vector<std::string> problems;
        checkWrites(problems);
        xphost::clear_writes();             // the log would grow without bound
        for (const auto& p : check())
            problems.push_back(p);
        if (problems.empty())
            continue;
        if (keepGoing_) {
            // Each kind of problem once, with the event that first showed it.
            for (const auto& p : problems) {
                std::string kind;
                for (char c : p)
                    if (!(c >= '0' && c <= '9'))
                        kind += c;
                if (seen_.insert(kind).second)
                    std::fprintf(stderr, "chaos: at event %ld: %s\n", event_, p.c_str());
            }
            failed_ = true;
            continue;
        }
        std::fprintf(stderr, "chaos: FAILED at event %ld of %ld (seed %llu)\n", event_, events,
                     static_cast<unsigned long long>(Seed));
        for (const auto& p : problems)
            std::fprintf(stderr, "  %s\n", p.c_str());
        std::fflush(stderr);
        PrintLastEvents();
        std::fprintf(stderr, "reproduce: qzt-chaos --seed %llu --events %ld --trace\n",
                     static_cast<unsigned long long>(Seed), event_);
        return false;
    }
    if (enabled_)
        xphost::disable();
    xphost::stop();
    xphost::reset();
    return !failed_;
}

void Chaos::summary(double seconds) const
{
    std::printf("chaos: seed %llu, %ld events in %.1f s, %ld restarts, %zu slots loaded\n",
                static_cast<unsigned long long>(Seed), event_ - 1, seconds, restarts_, slotsSeen_.size());
    std::string line = "  ";
    for (const auto& [what, n] : counts_)
        line += what + " " + std::to_string(n) + ", ";
    std::printf("%s\n", line.substr(0, line.size() - 2).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    long events = 100000;
    std::string plugin = QZT_PLUGIN_FILE;
    bool trace = false, quiet = false, keepGoing = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--seed" && i + 1 < argc)
            Seed = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--events" && i + 1 < argc)
            events = std::strtol(argv[++i], nullptr, 10);
        else if (a == "--plugin" && i + 1 < argc)
            plugin = argv[++i];
        else if (a == "--trace")
            trace = true;
        else if (a == "--quiet")
            quiet = true;
        else if (a == "--keep-going")
            keepGoing = true;
        else {
            std::fprintf(stderr, "usage: %s [--seed N] [--events N] [--plugin FILE] [--trace] [--quiet] [--keep-going]\n", argv[0]);
            return 2;
        }
    }
    std::snprintf(SeedLine, sizeof SeedLine, "chaos: seed %llu, %ld events\n", static_cast<unsigned long long>(Seed),
                  events);
    if (!quiet)
        std::printf("%s", SeedLine);
    std::fflush(stdout);
    InstallFailureReports();

    const auto t0 = std::chrono::steady_clock::now();
    Chaos chaos(Seed, plugin, trace, keepGoing);
    const bool ok = chaos.run(events);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!ok)
        return 1;
    chaos.summary(seconds);
    return 0;
}
