// Prints the manual page's synopsis, in roff, from the command table.
#include <iostream>

#include "app/commands/CommandTable.h"

int main() {
    std::cout << SynopsisRoff();
    return 0;
}
