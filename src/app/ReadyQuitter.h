#pragma once

class MainFrm;

// Opens every child window the menu offers, one after the other.
void OpenEveryWindow(MainFrm& main);

// Quits the program (through the main window's normal shut-down) once every
// open window has been built and painted once.  Work a window runs in a
// worker does not hold this up: shutting down cancels it.
void QuitWhenReady(MainFrm& main);
