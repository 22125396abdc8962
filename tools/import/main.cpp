// kavelo-import: downloaded hypocentre catalogues into a catalogue file of 48-byte records.
#include <iostream>
#include <string>
#include <vector>

#include "import/ImportCommand.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return kavelo::import::runImportCommand(args, std::cout, std::cerr);
}
