#pragma once

#include <thread>

// Fills Qt's font database on a second thread while the main window is built
// and the draws are read.  Qt fills it the first time a widget measures text,
// which is about a fifth of the program's start-up; begun as soon as the
// application exists, that work no longer waits for the rest.  The database
// locks itself, so a widget that needs a font sooner waits for the filling
// to end, as it would have filled it itself.
class FontDatabaseFiller {
  public:
    FontDatabaseFiller();  // needs the application
    ~FontDatabaseFiller();

    FontDatabaseFiller(const FontDatabaseFiller&) = delete;
    FontDatabaseFiller& operator=(const FontDatabaseFiller&) = delete;

  private:
    std::thread thread_;
};
