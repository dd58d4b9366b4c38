// Linked against libDravin_protocol.so the way the tool is; tells which library
// answered by what Check_Device_state says.
#include <cstdio>

#include "DravinProtocol.h"

int main() {
    std::puts(Check_Device_state() ? "attached" : "detached");
    return 0;
}
