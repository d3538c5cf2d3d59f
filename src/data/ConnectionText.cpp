#include "data/ConnectionText.h"

#include <filesystem>

namespace {

// The fixed numeric password every database of the program carries.
constexpr long kDatabasePasswordNumber = 5317049;

}  // namespace

std::string DatabasePassword() { return std::to_string(kDatabasePasswordNumber); }

std::string BuildConnectionText(const std::string& databasePath) {
    const std::filesystem::path path(databasePath);
    std::error_code ec;
    std::filesystem::path directory = std::filesystem::absolute(path, ec).parent_path();
    if (ec) directory = path.parent_path();
    return "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=" + DatabasePassword() +
           ";Data Source=" + directory.string() + "\\" + path.filename().string();
}
