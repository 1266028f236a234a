// vtlgen: draws every picture of the program into the folder given on the command line.
#include "artwork.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vtlgen <outdir>\n";
        return 2;
    }
    try {
        vtl::art::writeArtwork(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "vtlgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
