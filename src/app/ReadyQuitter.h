#pragma once

class MainFrm;

// Opens every child window the menu offers, one after the other.
void OpenEveryWindow(MainFrm& main);

// Quits the program (through the main window's normal shut-down) once every
// open window has been built and painted once.
void QuitWhenReady(MainFrm& main);
