// Where 当選データ最新化 fetches the draws from: a setting of the player's, kept in the player's
// config folder (never in ポムラン.ini), defaulting to the build's download server.
#pragma once

#include <filesystem>
#include <string>

#include "core/base/result.h"

// The download server's database address, "<POMURAN_DOWNLOAD_SERVER>/download/Pomuran/Pomuran.mdb".
std::string defaultUpdateSource();
// The file the setting lives in: <player config folder>/update_source.json.
std::filesystem::path updateSourceFile();
// The saved source, or the default when none is saved or the file cannot be read.
std::string loadUpdateSource(const std::filesystem::path& file = updateSourceFile());
// Saves a source (checked first); the folder is made when missing. An empty source (or the
// default itself) removes the setting, so a later change of the default reaches the player.
Status saveUpdateSource(const std::string& source,
                        const std::filesystem::path& file = updateSourceFile());
// A source is an http:// or https:// address; the message says what is wrong otherwise.
Status checkUpdateSource(const std::string& source);
// True when the address names a CSV file (its path ends in ".csv", any case).
bool isCsvSource(const std::string& url);
