// pelmar-sim: the game without a window, driven by a script on standard input.
#include "Simulator.h"

#include <iostream>

int main() {
    std::ios::sync_with_stdio(false);
    sim::Simulator simulator;
    return simulator.Run(std::cin, std::cout, std::cerr);
}
