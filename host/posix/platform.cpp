// host/posix/platform.cpp: the host's platform part on Linux: the plug-in file
// through dlopen, its dynamic symbols read from the ELF file, and the temporary
// system folder.
#include <dlfcn.h>
#include <elf.h>
#include <stdlib.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "internal.h"

namespace xphost {
namespace detail {

void* open_library(const std::string& path, std::string* error)
{
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib && error) {
        const char* why = dlerror();
        *error = why ? why : "";
    }
    return lib;
}

void* library_symbol(void* library, const char* name) { return dlsym(library, name); }

void close_library(void* library)
{
    if (library)
        dlclose(library);
}

// Below TMPDIR when it is set, as other tools do, else below /tmp.
std::string make_temp_folder()
{
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/xphost-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    return made ? made : "";
}

std::string native_path_form(const std::string& path) { return path; }
std::string legacy_path_form(const std::string& path) { return path; }

}  // namespace detail

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
