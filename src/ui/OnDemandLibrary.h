#pragma once

#include <QString>

// What the program loads only when first used: Qt Charts (with the OpenGL
// libraries it needs) for the charts and Qt Print Support for the print
// preview.  Loading them at start-up cost every start milliseconds, so they
// live in a library of their own, libloto7ondemand.so, beside the program
// in a build and in lib/<architecture>/loto7kazoria when installed.  What
// crosses into it is plain Qt values and the interfaces of ChartLibrary.h
// and PrintPreview.h.

// Raised when those interfaces change, so that a program never calls into
// a library built from other ones.
inline constexpr int kOnDemandLibraryVersion = 1;

// The library's file name.
QString OnDemandFileName();

// Loads the library for a program in `programFolder`: the copy beside it,
// else the installed one.  Empty when it loaded (or had been), else why
// not, a line for each place tried.
QString LoadOnDemandLibrary(const QString& programFolder);

// An entry point of the library, loaded first for this program; null when
// the library cannot be loaded (OnDemandProblem says why).
void* OnDemandEntry(const char* name);
QString OnDemandProblem();
