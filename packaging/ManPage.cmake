# Fills the manual page's template: its version and the synopsis the command
# table printed.  Run with -DTEMPLATE= -DSYNOPSIS= -DOUTPUT= -DPROJECT_VERSION=.
cmake_minimum_required(VERSION 3.25)
file(READ "${SYNOPSIS}" LOTO7_SYNOPSIS)
string(STRIP "${LOTO7_SYNOPSIS}" LOTO7_SYNOPSIS)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
