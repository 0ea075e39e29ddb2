// host/commands.cpp: the simulator's command table, its handlers and the phases
// of a command run (a key or joystick button pressed, held and released).
#include <algorithm>
#include <deque>
#include <map>

#include "XPLMUtilities.h"
#include "internal.h"

namespace xphost {
namespace {

struct Handler {
    XPLMCommandCallback_f callback = nullptr;
    int   before = 0;
    void* refcon = nullptr;
    bool  removed = false;               // unregistered during a run; dropped after it
};

struct Cmd {
    CommandInfo info;
    bool live = true;                    // false after a reset: the ref is kept but dead
    std::vector<Handler> handlers;       // registration order
    int running = 0;                     // nesting depth of runs in progress
    unsigned long made = 0;              // when it was created, for the creation order
};

struct KeyBinding {
    unsigned char key = 0;
    int modifiers = 0;
    std::string command;
};

struct Table {
    std::deque<Cmd> all;                 // never shrinks, so a ref never dangles
    std::map<std::string, Cmd*> by_name;
    std::map<std::string, Cmd*> ever;    // live or dead, one per name
    unsigned long made = 0;
    std::vector<CommandRun> runs;
    std::vector<KeyBinding> keys;
};

Table& table()
{
    static Table* t = new Table;
    return *t;
}

Cmd* cmd_of(XPLMCommandRef ref)
{
    if (!ref)
        return nullptr;
    for (Cmd& c : table().all)
        if (&c == ref)
            return c.live ? &c : nullptr;
    return nullptr;
}

Cmd* cmd_named(const std::string& name)
{
    auto it = table().by_name.find(name);
    return it == table().by_name.end() ? nullptr : it->second;
}

// A name created again after a reset gets its old ref back, as the simulator
// keeps one command per name for the process; the table stays as large as the
// names ever used.
Cmd* add(const std::string& name, const std::string& description, bool byPlugin)
{
    Table& t = table();
    Cmd*& c = t.ever[name];
    if (c) {
        *c = Cmd{};
    } else {
        t.all.emplace_back();
        c = &t.all.back();
    }
    c->made = ++t.made;
    c->info.name = name;
    c->info.description = description;
    c->info.created_by_plugin = byPlugin;
    t.by_name[name] = c;
    return c;
}

void purge(Cmd& c)
{
    if (c.running == 0)
        c.handlers.erase(std::remove_if(c.handlers.begin(), c.handlers.end(), [](const Handler& h) { return h.removed; }),
                         c.handlers.end());
}

// One phase: before-handlers, the simulator's own action, after-handlers; a
// handler answering 0 ends the phase there. Handlers registered during the run
// wait for the next phase.
void run(Cmd& c, XPLMCommandPhase phase)
{
    CommandRun r;
    r.time = now();
    r.name = c.info.name;
    r.phase = phase;
    r.passed_on = true;
    const size_t count = c.handlers.size();
    ++c.running;
    for (int pass = 1; pass >= 0 && r.passed_on; --pass) {
        for (size_t k = 0; k < count && r.passed_on; ++k) {
            Handler h = c.handlers[k];
            if (h.removed || (h.before != 0) != (pass == 1) || !detail::plugin_receives())
                continue;
            ++r.handlers_called;
            if (!detail::call_plugin(CallbackKind::Other, h.callback, static_cast<XPLMCommandRef>(&c), phase, h.refcon))
                r.passed_on = false;
        }
        if (pass == 1 && r.passed_on && !c.info.created_by_plugin)
            ++c.info.sim_actions;
    }
    --c.running;
    purge(c);
    table().runs.push_back(r);
}

void begin(Cmd& c)
{
    if (c.info.held)
        return;                          // already down: the simulator sends no second begin
    c.info.held = true;
    if (c.info.name.rfind("sim/view/", 0) == 0)
        detail::request_view_change();
    run(c, xplm_CommandBegin);
}

void end(Cmd& c)
{
    if (!c.info.held)
        return;
    c.info.held = false;
    run(c, xplm_CommandEnd);
}

}  // namespace

namespace detail {

// The simulator keeps a command once it exists; only the handlers go.
void drop_plugin_handlers()
{
    for (Cmd& c : table().all) {
        for (const Handler& h : c.handlers)
            if (!h.removed)
                record_fault("a handler of the command " + c.info.name + " was left registered");
        c.handlers.clear();
    }
}

void reset_commands()
{
    Table& t = table();
    for (Cmd& c : t.all)
        c.live = false;
    t.by_name.clear();
    t.runs.clear();
    t.keys.clear();
}

void key_to_commands(int flags, char virtualKey)
{
    const int modifiers = flags & (xplm_ShiftFlag | xplm_OptionAltFlag | xplm_ControlFlag);
    // Copied: a handler may bind keys or create commands.
    const std::vector<KeyBinding> keys = table().keys;
    for (const KeyBinding& b : keys) {
        if (b.key != static_cast<unsigned char>(virtualKey))
            continue;
        Cmd* c = cmd_named(b.command);
        if (!c)
            continue;
        if ((flags & xplm_DownFlag) && b.modifiers == modifiers)
            begin(*c);
        else if (flags & xplm_UpFlag)
            end(*c);
    }
}

void commands_frame()
{
    // Collected first: a handler may create commands, which grows the table.
    std::vector<Cmd*> held;
    for (auto& [name, c] : table().by_name)
        if (c->info.held)
            held.push_back(c);
    for (Cmd* c : held)
        if (c->info.held)
            run(*c, xplm_CommandContinue);
}

}  // namespace detail

void add_sim_command(const std::string& name, const std::string& description)
{
    if (!cmd_named(name))
        add(name, description, false);
}

const CommandInfo* command(const std::string& name)
{
    Cmd* c = cmd_named(name);
    return c ? &c->info : nullptr;
}

std::vector<CommandInfo> commands_created()
{
    std::vector<const Cmd*> made;
    for (const Cmd& c : table().all)
        if (c.live && c.info.created_by_plugin)
            made.push_back(&c);
    std::sort(made.begin(), made.end(), [](const Cmd* a, const Cmd* b) { return a->made < b->made; });
    std::vector<CommandInfo> out;
    for (const Cmd* c : made)
        out.push_back(c->info);
    return out;
}

std::vector<CommandHandler> command_handlers(const std::string& name)
{
    std::vector<CommandHandler> out;
    if (Cmd* c = cmd_named(name))
        for (const Handler& h : c->handlers)
            if (!h.removed)
                out.push_back(CommandHandler{h.callback, h.before, h.refcon});
    return out;
}

bool command_begin(const std::string& name)
{
    Cmd* c = cmd_named(name);
    if (c)
        begin(*c);
    return c != nullptr;
}

bool command_end(const std::string& name)
{
    Cmd* c = cmd_named(name);
    if (c)
        end(*c);
    return c != nullptr;
}

bool command_once(const std::string& name)
{
    Cmd* c = cmd_named(name);
    if (c) {
        begin(*c);
        end(*c);
    }
    return c != nullptr;
}

const std::vector<CommandRun>& command_runs() { return table().runs; }

void bind_key(char virtualKey, const std::string& command, int modifiers)
{
    table().keys.push_back(KeyBinding{static_cast<unsigned char>(virtualKey), modifiers, command});
}

}  // namespace xphost

// ---------------------------------------------------------------- plug-in side

using namespace xphost;

XPLMCommandRef XPLMFindCommand(const char* inName)
{
    XPHOST_API(XPLMFindCommand, text(inName));
    return inName ? cmd_named(inName) : nullptr;
}

// A name the simulator already knows gives that command; its description stays.
XPLMCommandRef XPLMCreateCommand(const char* inName, const char* inDescription)
{
    XPHOST_API(XPLMCreateCommand, text(inName), text(inDescription));
    if (!inName || !*inName)
        return nullptr;
    if (Cmd* c = cmd_named(inName))
        return c;
    return add(inName, inDescription ? inDescription : "", true);
}

void XPLMCommandBegin(XPLMCommandRef inCommand)
{
    XPHOST_API(XPLMCommandBegin, inCommand);
    if (Cmd* c = cmd_of(inCommand))
        begin(*c);
}

void XPLMCommandEnd(XPLMCommandRef inCommand)
{
    XPHOST_API(XPLMCommandEnd, inCommand);
    if (Cmd* c = cmd_of(inCommand))
        end(*c);
}

void XPLMCommandOnce(XPLMCommandRef inCommand)
{
    XPHOST_API(XPLMCommandOnce, inCommand);
    if (Cmd* c = cmd_of(inCommand)) {
        begin(*c);
        end(*c);
    }
}

void XPLMRegisterCommandHandler(XPLMCommandRef inCommand, XPLMCommandCallback_f inHandler, int inBefore,
                                void* inRefcon)
{
    XPHOST_API(XPLMRegisterCommandHandler, inCommand, inHandler, inBefore, inRefcon);
    Cmd* c = cmd_of(inCommand);
    if (c && inHandler)
        c->handlers.push_back(Handler{inHandler, inBefore, inRefcon, false});
}

// One registration goes per call, the earliest with these arguments.
void XPLMUnregisterCommandHandler(XPLMCommandRef inCommand, XPLMCommandCallback_f inHandler, int inBefore,
                                  void* inRefcon)
{
    XPHOST_API(XPLMUnregisterCommandHandler, inCommand, inHandler, inBefore, inRefcon);
    Cmd* c = cmd_of(inCommand);
    if (!c)
        return;
    for (Handler& h : c->handlers) {
        if (!h.removed && h.callback == inHandler && h.before == inBefore && h.refcon == inRefcon) {
            h.removed = true;
            break;
        }
    }
    purge(*c);
}
