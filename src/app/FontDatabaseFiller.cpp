#include "app/FontDatabaseFiller.h"

#include <QFontDatabase>
#include <QStringList>
#include <system_error>

FontDatabaseFiller::FontDatabaseFiller() {
    try {
        thread_ = std::thread([] { QFontDatabase::families(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first widget that measures text fills it.
    }
}

FontDatabaseFiller::~FontDatabaseFiller() {
    if (thread_.joinable()) thread_.join();
}
