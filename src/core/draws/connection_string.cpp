#include "core/draws/connection_string.h"

#include <filesystem>

namespace {
constexpr const char* kProvider = "Provider=Microsoft.Jet.OLEDB.4.0;";
constexpr const char* kPasswordKey = "Jet OLEDB:Database Password=";
constexpr const char* kSourceKey = ";Data Source=";
}  // namespace

std::string databasePassword()
{
    return std::to_string(kDatabasePasswordValue);
}

std::string connectStringForFile(const std::string& databaseFile)
{
    return std::string(kProvider) + kPasswordKey + databasePassword() + kSourceKey + databaseFile;
}

std::string buildDbConnectString(const std::string& programFolder)
{
    std::string folder = programFolder;
    while (folder.size() > 1 && folder.back() == std::filesystem::path::preferred_separator)
        folder.pop_back();
    return connectStringForFile(folder + std::filesystem::path::preferred_separator +
                                kDatabaseFileName);
}

std::optional<ConnectionPieces> parseConnectString(const std::string& connectString)
{
    const std::string head = std::string(kProvider) + kPasswordKey;
    if (connectString.rfind(head, 0) != 0) return std::nullopt;
    const auto sourceAt = connectString.find(kSourceKey, head.size());
    if (sourceAt == std::string::npos) return std::nullopt;
    ConnectionPieces pieces;
    pieces.password = connectString.substr(head.size(), sourceAt - head.size());
    pieces.dataSource = connectString.substr(sourceAt + std::string(kSourceKey).size());
    if (pieces.dataSource.empty()) return std::nullopt;
    return pieces;
}
