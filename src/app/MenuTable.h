#pragma once

#include <span>

class ChildWindow;
class MainFrm;

// What a row of the menu bar is.
enum class MenuKind {
    Menu,       // a menu (on the bar) or a submenu, holding the rows below it one level down
    Command,    // runs a member of the main window
    Analysis,   // opens the analysis window of this command (AnalysisCatalog)
    Window,     // opens a child window made by `make`
    Separator,  // a line between the rows of a menu
    Greyed,     // shown, with nothing to do
};

// One row of the menu bar, top to bottom and left to right.  A row belongs
// to the last row above it one level up (level 0: the menu bar itself).
struct MenuEntry {
    int level = 0;
    MenuKind kind = MenuKind::Command;
    const char* name = "";                 // mnu…: the object name of the menu or its command
    const char* caption = "";              // with its access key
    void (MainFrm::*handler)() = nullptr;  // a Command
    // A Window: its object name (the name --open takes), how it is made, and
    // whether it opens only while no window keeps data entry closed.
    const char* window = "";
    ChildWindow* (*make)(MainFrm&) = nullptr;
    bool needsPropEnd = false;
};

std::span<const MenuEntry> MenuTable();
// The Window row of the command (mnu…) or of the window name, or null.
const MenuEntry* FindMenuWindow(const char* command);
const MenuEntry* FindMenuWindowNamed(const char* window);
