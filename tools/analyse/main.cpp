// kavelo-analyse: seismicity statistics of catalogue files (b value, Mc, FMD, b over time).
#include <iostream>
#include <string>
#include <vector>

#include "analysis/AnalyseCommand.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return kavelo::analysis::runAnalyseCommand(args, std::cout, std::cerr);
}
