// Linked only into a Mac file broken on purpose (cmake/mac-zig.cmake): a call
// into the C++ runtime, which macOS's libSystem does not provide, so the file
// would not load on a Mac. The check in macho_test.cpp must catch it.
int* QZTstrayAllocation()
{
    return new int(1);
}
