#include "core/maintenance/update_source.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "core/base/player_folders.h"

namespace fs = std::filesystem;

namespace {

std::string lowerPath(const std::string& url)
{
    // The path without query or fragment, lower-case.
    std::string path = url.substr(0, url.find_first_of("?#"));
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return path;
}

}  // namespace

fs::path updateSourceFile()
{
    return playerConfigFolder() / "update_source.json";
}

std::string loadUpdateSource(const fs::path& file)
{
    std::ifstream in(file);
    if (!in) return {};
    // A damaged file is as good as none: the player is asked for a source again.
    const nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
    if (json.is_discarded() || !json.is_object() || !json.contains("source") ||
        !json["source"].is_string())
        return {};
    const std::string source = json["source"].get<std::string>();
    return checkUpdateSource(source) ? source : std::string();
}

Status checkUpdateSource(const std::string& source)
{
    const std::string lower = lowerPath(source);
    const bool http = lower.starts_with("http://") || lower.starts_with("https://");
    if (!http || lower.size() <= lower.find("//") + 2)
        return Error{"最新化の取得先は http:// または https:// で始まるアドレスにしてください。"};
    if (source.find_first_of(" \t\r\n") != std::string::npos)
        return Error{"最新化の取得先に空白を含めることはできません。"};
    return success();
}

Status saveUpdateSource(const std::string& source, const fs::path& file)
{
    std::error_code error;
    if (source.empty()) {
        fs::remove(file, error);
        if (error) return Error{file.string() + ": " + error.message()};
        return success();
    }
    if (Status checked = checkUpdateSource(source); !checked) return checked;
    fs::create_directories(file.parent_path(), error);
    if (error) return Error{file.parent_path().string() + ": " + error.message()};
    // Written aside and renamed, so a failed write never leaves half a file.
    const fs::path temporary = file.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << nlohmann::json{{"source", source}}.dump(2) << '\n';
        if (!out.flush()) return Error{temporary.string() + ": 書き込めませんでした。"};
    }
    fs::rename(temporary, file, error);
    if (error) {
        fs::remove(temporary, error);
        return Error{file.string() + ": 書き込めませんでした。"};
    }
    return success();
}

bool isCsvSource(const std::string& url)
{
    return lowerPath(url).ends_with(".csv");
}
