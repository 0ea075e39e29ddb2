// host/plugin.cpp: the attached plug-in, its entry points and messages, the
// other plug-ins a test loads beside it, and loading a plug-in file as the
// simulator does. Opening the file and reading its symbols is the platform's
// part (posix/, win/).
#include <cstring>

#include "XPLMPlugin.h"
#include "internal.h"

namespace xphost {
namespace {

constexpr int kInfoLen = 256;            // the simulator's buffers for the start strings

struct Attached {
    Plugin plugin;
    std::string name, signature, description;
    bool started = false;                // between start() and stop()
    bool enabled = false;                // between a successful enable() and disable()
};

struct Other {
    XPLMPluginID id = XPLM_NO_PLUGIN_ID;
    std::string signature, name;
    std::vector<PluginMessage> received;
};

struct Others {
    std::vector<Other> list;
    std::vector<PluginMessage> sent;
};

Others& others()
{
    static Others* o = new Others;
    return *o;
}

Other* other(XPLMPluginID id)
{
    for (Other& o : others().list)
        if (o.id == id)
            return &o;
    return nullptr;
}

Attached& att()
{
    static Attached* a = new Attached;
    return *a;
}

std::vector<std::string>& fault_list()
{
    static auto* f = new std::vector<std::string>;
    return *f;
}

std::string bounded(const char* buf)
{
    return std::string(buf, strnlen(buf, kInfoLen));
}

}  // namespace

namespace detail {

void drop_plugin_file()
{
    Attached& a = att();
    // Nothing of the old plug-in is registered any more, so its file may go.
    if (a.plugin.library)
        detail::close_library(a.plugin.library);
    a = Attached{};
}

void reset_plugin()
{
    drop_plugin_file();
    others().list.clear();
    others().sent.clear();
    fault_list().clear();
}

// A disabled plug-in gets no callback and no message; so does one that was
// started but not yet enabled. Tests of the host alone attach no plug-in.
bool plugin_receives()
{
    const Attached& a = att();
    return !a.plugin.start || (a.started && a.enabled);
}

void record_fault(const std::string& what) { fault_list().push_back(what); }

}  // namespace detail

// An earlier file stays open: its callbacks may still be registered until the
// next reset().
void attach(const Plugin& plugin)
{
    Attached& a = att();
    a = Attached{};
    a.plugin = plugin;
}

const Plugin& plugin() { return att().plugin; }

int start()
{
    Attached& a = att();
    if (!a.plugin.start)
        return 0;
    char name[kInfoLen] = {}, sig[kInfoLen] = {}, desc[kInfoLen] = {};
    a.started = true;                    // its signature is known from inside the call on
    a.signature.clear();
    const int ok = detail::call_plugin(CallbackKind::Other, a.plugin.start, name, sig, desc);
    a.name = bounded(name);
    a.signature = bounded(sig);
    a.description = bounded(desc);
    a.started = ok != 0;
    a.enabled = false;
    return ok;
}

// The simulator enables a started plug-in once and disables an enabled one
// once; a plug-in whose enable answers 0 stays disabled.
int enable()
{
    Attached& a = att();
    if (!a.plugin.enable || !a.started)
        return 0;
    if (a.enabled)
        return 1;
    const int ok = detail::call_plugin(CallbackKind::Other, a.plugin.enable);
    a.enabled = ok != 0;
    return ok;
}

void disable()
{
    Attached& a = att();
    if (!a.enabled)
        return;
    if (a.plugin.disable)
        detail::call_plugin(CallbackKind::Other, a.plugin.disable);
    a.enabled = false;
}

bool plugin_enabled() { return att().enabled; }

// An enabled plug-in is disabled before its stop, as the simulator does.
void stop()
{
    disable();
    if (att().plugin.stop && att().started)
        detail::call_plugin(CallbackKind::Other, att().plugin.stop);
    att().started = false;
}

void send_message(XPLMPluginID from, int message, void* param)
{
    if (att().plugin.receive && att().enabled)
        detail::call_plugin(CallbackKind::Other, att().plugin.receive, from, message, param);
}

const std::vector<std::string>& faults() { return fault_list(); }
void clear_faults() { fault_list().clear(); }

std::string plugin_name() { return att().name; }
std::string plugin_signature() { return att().signature; }
std::string plugin_description() { return att().description; }

void load_aircraft(const std::string& description)
{
    if (is_published("sim/aircraft/view/acf_descrip"))
        set_b("sim/aircraft/view/acf_descrip", description);
    send_message(XPLM_PLUGIN_XPLANE, XPLM_MSG_PLANE_LOADED, nullptr);
}

void load_ai_aircraft(int index)
{
    send_message(XPLM_PLUGIN_XPLANE, XPLM_MSG_PLANE_LOADED, reinterpret_cast<void*>(static_cast<intptr_t>(index)));
}

void load_airport() { send_message(XPLM_PLUGIN_XPLANE, XPLM_MSG_AIRPORT_LOADED, nullptr); }
void crash() { send_message(XPLM_PLUGIN_XPLANE, XPLM_MSG_PLANE_CRASHED, nullptr); }

// ---------------------------------------------------------------- other plug-ins

XPLMPluginID load_other_plugin(const std::string& signature, const std::string& name)
{
    Others& o = others();
    Other p;
    p.id = kPluginUnderTest + 1 + static_cast<int>(o.list.size());
    p.signature = signature;
    p.name = name.empty() ? signature : name;
    o.list.push_back(p);
    return p.id;
}

const std::vector<PluginMessage>& sent_messages() { return others().sent; }

std::vector<PluginMessage> messages_to(XPLMPluginID id)
{
    const Other* o = other(id);
    return o ? o->received : std::vector<PluginMessage>{};
}

// ---------------------------------------------------------------- loading a file

bool load_plugin(const std::string& path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    std::string why;
    void* lib = detail::open_library(path, &why);
    if (!lib)
        return fail(why.empty() ? "cannot open " + path : why);
    Plugin p;
    p.library = lib;
    auto symbol = [&](const char* name) { return detail::library_symbol(lib, name); };
    p.start = reinterpret_cast<int (*)(char*, char*, char*)>(symbol("XPluginStart"));
    p.stop = reinterpret_cast<void (*)()>(symbol("XPluginStop"));
    p.enable = reinterpret_cast<int (*)()>(symbol("XPluginEnable"));
    p.disable = reinterpret_cast<void (*)()>(symbol("XPluginDisable"));
    p.receive = reinterpret_cast<void (*)(XPLMPluginID, int, void*)>(symbol("XPluginReceiveMessage"));
    const char* missing = !p.start     ? "XPluginStart"
                          : !p.stop    ? "XPluginStop"
                          : !p.enable  ? "XPluginEnable"
                          : !p.disable ? "XPluginDisable"
                          : !p.receive ? "XPluginReceiveMessage"
                                       : nullptr;
    if (missing) {
        detail::close_library(lib);
        return fail(path + " does not export " + missing);
    }
    attach(p);
    return true;
}

}  // namespace xphost

// ---------------------------------------------------------------- plug-in side

using namespace xphost;

// The plug-in under test knows its own signature only once it has started.
XPLMPluginID XPLMFindPluginBySignature(const char* inSignature)
{
    XPHOST_API(XPLMFindPluginBySignature, text(inSignature));
    if (!inSignature)
        return XPLM_NO_PLUGIN_ID;
    for (const Other& o : others().list)
        if (o.signature == inSignature)
            return o.id;
    if (att().started && !att().signature.empty() && att().signature == inSignature)
        return kPluginUnderTest;
    return XPLM_NO_PLUGIN_ID;
}

// Every call is recorded. A message reaches an existing plug-in, every other
// plug-in when broadcast, and never the simulator (id 0) or an unknown id.
void XPLMSendMessageToPlugin(XPLMPluginID inPlugin, int inMessage, void* inParam)
{
    XPHOST_API(XPLMSendMessageToPlugin, inPlugin, inMessage, inParam);
    PluginMessage m;
    m.time = now();
    m.from = kPluginUnderTest;
    m.to = inPlugin;
    m.message = inMessage;
    m.param = inParam;
    if (inMessage == kMsgAddDataRef && inParam)
        m.text = std::string(static_cast<const char*>(inParam), strnlen(static_cast<const char*>(inParam), 512));
    if (inPlugin == XPLM_NO_PLUGIN_ID) {
        for (Other& o : others().list)
            o.received.push_back(m);
        m.delivered = !others().list.empty();
    } else if (Other* o = other(inPlugin)) {
        o->received.push_back(m);
        m.delivered = true;
    } else if (inPlugin == kPluginUnderTest && att().enabled && att().plugin.receive) {
        m.delivered = true;
    }
    others().sent.push_back(m);
    if (inPlugin == kPluginUnderTest && m.delivered)
        detail::call_plugin(CallbackKind::Other, att().plugin.receive, kPluginUnderTest, inMessage, inParam);
}
