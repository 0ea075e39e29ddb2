// tests/chaos/symbols.cpp
#include "chaos/symbols.h"
#include <cxxabi.h>
#include <dlfcn.h>
#include <elf.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// "CheckDROP(float, float, int, void*)" -> "CheckDROP"; C names stay as they are.
std::string PlainName(const char* symbol)
{
    int status = 0;
    char* demangled = abi::__cxa_demangle(symbol, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : symbol;
    std::free(demangled);
    const size_t paren = name.find('(');
    return paren == std::string::npos ? name : name.substr(0, paren);
}

}  // namespace

bool PluginSymbols::read(const std::string& path)
{
    functions_.clear();
    std::ifstream f(path, std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    auto fits = [&](uint64_t off, uint64_t len) { return off <= file.size() && len <= file.size() - off; };
    if (!fits(0, sizeof(Elf64_Ehdr)) || std::memcmp(file.data(), ELFMAG, SELFMAG) != 0 ||
        file[EI_CLASS] != ELFCLASS64)
        return false;
    Elf64_Ehdr eh;
    std::memcpy(&eh, file.data(), sizeof eh);
    if (eh.e_shentsize != sizeof(Elf64_Shdr) || !fits(eh.e_shoff, uint64_t(eh.e_shnum) * sizeof(Elf64_Shdr)))
        return false;
    auto section = [&](unsigned k) {
        Elf64_Shdr sh;
        std::memcpy(&sh, file.data() + eh.e_shoff + k * sizeof(Elf64_Shdr), sizeof sh);
        return sh;
    };
    for (unsigned k = 0; k < eh.e_shnum; ++k) {
        const Elf64_Shdr sh = section(k);
        if (sh.sh_type != SHT_SYMTAB || sh.sh_entsize != sizeof(Elf64_Sym) || sh.sh_link >= eh.e_shnum)
            continue;
        const Elf64_Shdr str = section(sh.sh_link);
        if (!fits(sh.sh_offset, sh.sh_size) || !fits(str.sh_offset, str.sh_size))
            continue;
        for (uint64_t n = 1; n < sh.sh_size / sizeof(Elf64_Sym); ++n) {
            Elf64_Sym s;
            std::memcpy(&s, file.data() + sh.sh_offset + n * sizeof(Elf64_Sym), sizeof s);
            if (ELF64_ST_TYPE(s.st_info) != STT_FUNC || s.st_value == 0 || s.st_name >= str.sh_size)
                continue;
            const char* base = file.data() + str.sh_offset + s.st_name;
            functions_[s.st_value] = PlainName(std::string(base, strnlen(base, str.sh_size - s.st_name)).c_str());
        }
    }
    return !functions_.empty();
}

void PluginSymbols::locate(const void* exported)
{
    Dl_info info{};
    base_ = dladdr(exported, &info) && info.dli_fbase ? reinterpret_cast<uintptr_t>(info.dli_fbase) : 0;
}

std::string PluginSymbols::name(const void* function) const
{
    const uintptr_t at = reinterpret_cast<uintptr_t>(function);
    if (!base_ || at < base_)
        return "";
    const auto it = functions_.find(at - base_);
    return it == functions_.end() ? "" : it->second;
}
