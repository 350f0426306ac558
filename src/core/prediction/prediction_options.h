// The twelve prediction options and their settings file "ポムラン.ini".
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/base/result.h"
#include "core/draws/data_locations.h"

inline constexpr int kOptionCount = 12;
// Only this much of the settings file is read (the program writes under 400 bytes).
inline constexpr std::size_t kMaxSettingsFileBytes = 64 * 1024;

struct PredictionOptionInfo {
    const char* key;      // key in the settings file
    const char* caption;  // frame caption in the prediction window
};
// In the fixed order of the option index (0 to 11).
extern const std::array<PredictionOptionInfo, kOptionCount> kPredictionOptions;

class PredictionOptions {
public:
    bool isOn(int index) const { return index >= 0 && index < kOptionCount && m_on[index]; }
    void set(int index, bool on)
    {
        if (index >= 0 && index < kOptionCount) m_on[index] = on;
    }
    // The only thing the prediction engine uses: how many options are on (0 to 12).
    int enabledCount() const;
    friend bool operator==(const PredictionOptions&, const PredictionOptions&) = default;

private:
    std::array<bool, kOptionCount> m_on{};
};

// Applies the lines of a settings file (UTF-8 text) to the options: each line is split at every
// "=", the first piece must equal a key exactly, the second must be "True" or "False"; the last
// line of a key wins; every other line is ignored. Keys that do not appear keep their value.
void applySettingsText(PredictionOptions& options, std::string_view text);
// The twelve "key=True|False" lines, CR LF ended, in index order (UTF-8 text).
std::string settingsText(const PredictionOptions& options);

// Reads the CP932 settings file into the options. A missing or unreadable file changes nothing;
// lines that are not valid CP932 are ignored, and nothing past kMaxSettingsFileBytes is read.
void ReadInitFile(PredictionOptions& options, const std::string& path = kSettingsFileName);
// Writes all twelve options through a temporary file and a rename, so an interrupted write
// never leaves a half-written file. Fails with one line for the player (a read-only file, a
// folder in the way, a folder that cannot be written), leaving the old file as it was.
Status WriteInitFile(const PredictionOptions& options, const std::string& path = kSettingsFileName);
