// Prints a synthetic history of N valid draws (default 5000) as CSV, for
// timing the whole program on a full-size database.
#include <cstdlib>
#include <iostream>

#include "data/SyntheticHistory.h"

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    std::cout << SyntheticHistoryCsv(count);
    return 0;
}
