// host/plugin.cpp: the attached plug-in, its entry points and messages, loading
// a plug-in file as the simulator does, and reading a file's dynamic symbols.
#include <dlfcn.h>
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "XPLMPlugin.h"
#include "internal.h"

namespace xphost {
namespace {

constexpr int kInfoLen = 256;            // the simulator's buffers for the start strings

struct Attached {
    Plugin plugin;
    std::string name, signature, description;
};

Attached& att()
{
    static Attached* a = new Attached;
    return *a;
}

std::string bounded(const char* buf)
{
    return std::string(buf, strnlen(buf, kInfoLen));
}

}  // namespace

namespace detail {

void reset_plugin()
{
    Attached& a = att();
    // Nothing of the old plug-in is registered any more, so its file may go.
    if (a.plugin.library)
        dlclose(a.plugin.library);
    a = Attached{};
}

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
    const int ok = a.plugin.start(name, sig, desc);
    a.name = bounded(name);
    a.signature = bounded(sig);
    a.description = bounded(desc);
    return ok;
}

int enable() { return att().plugin.enable ? att().plugin.enable() : 0; }

void disable()
{
    if (att().plugin.disable)
        att().plugin.disable();
}

void stop()
{
    if (att().plugin.stop)
        att().plugin.stop();
}

void send_message(XPLMPluginID from, int message, void* param)
{
    if (att().plugin.receive)
        att().plugin.receive(from, message, param);
}

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

// ---------------------------------------------------------------- loading a file

bool load_plugin(const std::string& path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        const char* why = dlerror();
        return fail(why ? why : "cannot open " + path);
    }
    Plugin p;
    p.library = lib;
    p.start = reinterpret_cast<int (*)(char*, char*, char*)>(dlsym(lib, "XPluginStart"));
    p.stop = reinterpret_cast<void (*)()>(dlsym(lib, "XPluginStop"));
    p.enable = reinterpret_cast<int (*)()>(dlsym(lib, "XPluginEnable"));
    p.disable = reinterpret_cast<void (*)()>(dlsym(lib, "XPluginDisable"));
    p.receive = reinterpret_cast<void (*)(XPLMPluginID, int, void*)>(dlsym(lib, "XPluginReceiveMessage"));
    const char* missing = !p.start     ? "XPluginStart"
                          : !p.stop    ? "XPluginStop"
                          : !p.enable  ? "XPluginEnable"
                          : !p.disable ? "XPluginDisable"
                          : !p.receive ? "XPluginReceiveMessage"
                                       : nullptr;
    if (missing) {
        dlclose(lib);
        return fail(path + " does not export " + missing);
    }
    attach(p);
    return true;
}

// ---------------------------------------------------------------- dynamic symbols

namespace {

struct Symbols {
    std::vector<std::string> defined, undefined;
};

template <typename Ehdr, typename Shdr, typename Sym>
Symbols read_dynsym(const std::vector<char>& file)
{
    Symbols out;
    auto in_file = [&](uint64_t off, uint64_t len) { return off <= file.size() && len <= file.size() - off; };
    if (!in_file(0, sizeof(Ehdr)))
        return out;
    Ehdr eh;
    std::memcpy(&eh, file.data(), sizeof eh);
    if (eh.e_shentsize != sizeof(Shdr) || !in_file(eh.e_shoff, uint64_t(eh.e_shnum) * sizeof(Shdr)))
        return out;
    auto section = [&](unsigned k) {
        Shdr sh;
        std::memcpy(&sh, file.data() + eh.e_shoff + k * sizeof(Shdr), sizeof sh);
        return sh;
    };
    for (unsigned k = 0; k < eh.e_shnum; ++k) {
        const Shdr sh = section(k);
        if (sh.sh_type != SHT_DYNSYM || sh.sh_entsize != sizeof(Sym) || sh.sh_link >= eh.e_shnum)
            continue;
        const Shdr str = section(sh.sh_link);
        if (!in_file(sh.sh_offset, sh.sh_size) || !in_file(str.sh_offset, str.sh_size))
            continue;
        const uint64_t count = sh.sh_size / sizeof(Sym);
        for (uint64_t n = 1; n < count; ++n) {            // entry 0 is the null symbol
            Sym s;
            std::memcpy(&s, file.data() + sh.sh_offset + n * sizeof(Sym), sizeof s);
            if (s.st_name >= str.sh_size)
                continue;
            const char* base = file.data() + str.sh_offset + s.st_name;
            const std::string name(base, strnlen(base, str.sh_size - s.st_name));
            if (name.empty())
                continue;
            const int bind = s.st_info >> 4;
            const int vis = s.st_other & 3;
            if (s.st_shndx == SHN_UNDEF)
                out.undefined.push_back(name);
            else if ((bind == STB_GLOBAL || bind == STB_WEAK) && (vis == STV_DEFAULT || vis == STV_PROTECTED))
                out.defined.push_back(name);
        }
    }
    return out;
}

Symbols symbols(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (file.size() < EI_NIDENT || std::memcmp(file.data(), ELFMAG, SELFMAG) != 0 ||
        file[EI_DATA] != ELFDATA2LSB)
        return {};
    if (file[EI_CLASS] == ELFCLASS64)
        return read_dynsym<Elf64_Ehdr, Elf64_Shdr, Elf64_Sym>(file);
    if (file[EI_CLASS] == ELFCLASS32)
        return read_dynsym<Elf32_Ehdr, Elf32_Shdr, Elf32_Sym>(file);
    return {};
}

}  // namespace

std::vector<std::string> exported_symbols(const std::string& path) { return symbols(path).defined; }
std::vector<std::string> undefined_symbols(const std::string& path) { return symbols(path).undefined; }

}  // namespace xphost
