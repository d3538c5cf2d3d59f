#include "data/ConnectionText.h"

#include <string_view>

namespace {

// The fixed numeric password every database of the program carries.
constexpr long kDatabasePasswordNumber = 5317049;

constexpr std::string_view kProviderKey = "Provider=";
constexpr std::string_view kPasswordKey = "Jet OLEDB:Database Password=";
constexpr std::string_view kDataSourceKey = "Data Source=";

std::string ValueAfter(const std::string& text, std::string_view key, bool toEnd) {
    const auto at = text.find(key);
    if (at == std::string::npos) return {};
    const auto start = at + key.size();
    if (toEnd) return text.substr(start);
    const auto end = text.find(';', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

std::string DatabasePassword() { return std::to_string(kDatabasePasswordNumber); }

std::string BuildConnectionText(const std::string& directory, const std::string& fileName) {
    return std::string("Provider=Microsoft.Jet.OLEDB.4.0;") + std::string(kPasswordKey) +
           DatabasePassword() + ";" + std::string(kDataSourceKey) + directory + "\\" + fileName;
}

ConnectionInfo ParseConnectionText(const std::string& text) {
    ConnectionInfo info;
    info.provider = ValueAfter(text, kProviderKey, false);
    info.password = ValueAfter(text, kPasswordKey, false);
    info.dataSource = ValueAfter(text, kDataSourceKey, true);
    const auto slash = info.dataSource.rfind('\\');
    if (slash != std::string::npos) info.dataSource[slash] = '/';
    return info;
}
