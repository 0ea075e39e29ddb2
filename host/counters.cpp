// host/counters.cpp: whose code runs, the plug-in's or the host's, and what
// the plug-in's own code did: its calls into the host, its look-ups, and the
// allocations and file accesses a counting shim reports.
#include <cstring>

#include "internal.h"

namespace xphost {
namespace detail {

Running running;
bool taping = false;

namespace {

constexpr int kKinds = 3;
constexpr int kMaxFunctions = 512;

// Plain data, ready before any code runs: the counting shim may report from
// inside the first allocation of the process, and registering must never allocate.
struct Tally {
    ApiFunction* functions[kMaxFunctions];
    int     function_count;
    int64_t callbacks[kKinds];
    int64_t allocations[kKinds];
    int64_t file_accesses[kKinds];
    int64_t frames;
    bool    shim;
};
Tally the_tally;

Tally& tally() { return the_tally; }

Tape& taped()
{
    static auto* t = new Tape;
    return *t;
}

int index(CallbackKind kind) { return static_cast<int>(kind); }

}  // namespace

void set_plugin_running(bool plugin) { running.plugin = plugin; }

PluginScope::PluginScope(CallbackKind kind) : saved_(running)
{
    ++tally().callbacks[index(kind)];
    running.kind = kind;
    set_plugin_running(true);
}

PluginScope::~PluginScope()
{
    set_plugin_running(saved_.plugin);
    running.kind = saved_.kind;
}

ApiFunction::ApiFunction(const char* n) : name(n), lookup(std::strncmp(n, "XPLMFind", 8) == 0)
{
    Tally& t = tally();
    if (t.function_count < kMaxFunctions)
        t.functions[t.function_count++] = this;
}

void count_call(ApiFunction& function) { ++function.calls[index(running.kind)]; }

unsigned char* tape(Tape::Thunk thunk, size_t size) { return taped().add(thunk, size); }

void reset_counters()
{
    Tally& t = tally();
    for (int k = 0; k < t.function_count; ++k)
        for (int64_t& c : t.functions[k]->calls)
            c = 0;
    for (int k = 0; k < kKinds; ++k)
        t.callbacks[k] = t.allocations[k] = t.file_accesses[k] = 0;
    t.frames = 0;
}

void count_frame() { ++tally().frames; }

}  // namespace detail

Counters counters()
{
    using namespace detail;
    const Tally& t = tally();
    Counters out;
    Usage* usage[kKinds] = {&out.loops, &out.drawing, &out.other};
    for (int k = 0; k < kKinds; ++k) {
        usage[k]->callbacks = t.callbacks[k];
        usage[k]->allocations = t.allocations[k];
        usage[k]->file_accesses = t.file_accesses[k];
    }
    for (int f = 0; f < t.function_count; ++f) {
        const ApiFunction& fn = *t.functions[f];
        for (int k = 0; k < kKinds; ++k) {
            if (fn.calls[k] == 0)
                continue;
            usage[k]->by_function[fn.name] += fn.calls[k];
            usage[k]->host_calls += fn.calls[k];
            if (fn.lookup)
                usage[k]->lookups += fn.calls[k];
        }
    }
    out.frames = t.frames;
    return out;
}

void reset_counters() { detail::reset_counters(); }

bool plugin_code_running() { return detail::running.plugin; }

void count_allocation()
{
    if (detail::running.plugin)
        ++detail::tally().allocations[detail::index(detail::running.kind)];
}

void count_file_access()
{
    if (detail::running.plugin)
        ++detail::tally().file_accesses[detail::index(detail::running.kind)];
}

void set_counting_shim(bool present) { detail::tally().shim = present; }
bool counting_shim() { return detail::tally().shim; }

void set_taping(bool on) { detail::taping = on; }

Tape take_tape()
{
    Tape out;
    std::swap(out, detail::taped());
    return out;
}

unsigned char* Tape::add(Thunk thunk, size_t size)
{
    const size_t at = bytes_.size();
    bytes_.resize(at + sizeof thunk + sizeof size + size);
    unsigned char* p = bytes_.data() + at;
    std::memcpy(p, &thunk, sizeof thunk);
    std::memcpy(p + sizeof thunk, &size, sizeof size);
    ++calls_;
    return p + sizeof thunk + sizeof size;
}

void Tape::replay(bool call)
{
    unsigned char* p = bytes_.data();
    unsigned char* const end = p + bytes_.size();
    while (p < end) {
        Thunk thunk;
        size_t size;
        std::memcpy(&thunk, p, sizeof thunk);
        std::memcpy(&size, p + sizeof thunk, sizeof size);
        p += sizeof thunk + sizeof size;
        thunk(p, call);
        p += size;
    }
}

}  // namespace xphost
