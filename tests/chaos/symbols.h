// tests/chaos/symbols.h: names of the functions of a loaded plug-in file, read
// from its symbol table, so the chaos run can tell which of the plug-in's
// callbacks the host holds without trusting the plug-in's own tables.
#pragma once
#include <cstdint>
#include <map>
#include <string>

class PluginSymbols {
public:
    // Reads the file's static symbol table (.symtab). False when it has none
    // (a stripped file): names are then unknown.
    bool read(const std::string& path);
    // The loaded file's base address, from one of its exported functions.
    void locate(const void* exported);
    // The function's plain name ("CheckDROP"), or "" when unknown.
    std::string name(const void* function) const;
    bool known() const { return !functions_.empty(); }

private:
    std::map<uint64_t, std::string> functions_;   // offset in the file's image -> name
    uintptr_t base_ = 0;
};
