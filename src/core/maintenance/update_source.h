// Where 当選データ最新化 fetches the draws from: a setting of the player's, kept in the player's
// config folder (never in ポムラン.ini). There is no default: until the player sets a source,
// there is none.
#pragma once

#include <filesystem>
#include <string>

#include "core/base/result.h"

// The file the setting lives in: <player config folder>/update_source.json.
std::filesystem::path updateSourceFile();
// The saved source; empty when none is saved or the file cannot be read.
std::string loadUpdateSource(const std::filesystem::path& file = updateSourceFile());
// Saves a source (checked first); the folder is made when missing. An empty source removes the
// setting.
Status saveUpdateSource(const std::string& source,
                        const std::filesystem::path& file = updateSourceFile());
// A source is an http:// or https:// address; the message says what is wrong otherwise.
Status checkUpdateSource(const std::string& source);
// True when the address names a CSV file (its path ends in ".csv", any case).
bool isCsvSource(const std::string& url);
