#include <iostream>
#include <string>
#include <vector>

#include "RecorderControl.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RecorderControl::Main(args, std::cout, std::cerr);
}
