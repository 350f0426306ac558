// The draw data update: downloads the published draw database and puts it in place of the
// local one, only once the download is known to be a complete, readable draw database.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

inline constexpr const char* kDownloadPath = "/download/Pomuran/Pomuran.mdb";
inline constexpr const char* kUpdatedMessage = "当選データを最新化しました。";

enum class UpdateOutcome {
    Updated,      // the destination now holds the downloaded database
    MissingFile,  // no file at the destination: nothing downloaded, nothing written
    Cancelled,    // the player cancelled; the old file is untouched
    Failed,       // download or verification failed; the old file is untouched
};

struct UpdateResult {
    UpdateOutcome outcome = UpdateOutcome::Failed;
    std::string message;  // the text to show the player
};

struct UpdateOptions {
    std::string server = POMURAN_DOWNLOAD_SERVER;  // scheme, host and port, no path
    std::string destination;                       // the database file to replace
    long connectTimeoutMs = 15000;
    // The whole transfer; a stalled server is given up after this long.
    long timeoutMs = 300000;
    // The largest download accepted: far above any real draw database (32,767 draws take about
    // 2 MB), low enough that an endless answer never fills the disk.
    std::int64_t maxBytes = std::int64_t{256} * 1024 * 1024;
    // Called while the body arrives (bytes so far, expected total or 0 when unknown); return
    // false to cancel.
    std::function<bool(std::int64_t received, std::int64_t total)> progress;
};

// "<server>/download/Pomuran/Pomuran.mdb", without a doubled separator.
std::string downloadUrl(const std::string& server);
// "当選データファイル：'PATH'が存在しません"
std::string missingFileMessage(const std::string& path);

// Runs one update. The destination is only ever replaced by a verified copy, by a rename; on
// every other outcome its bytes are exactly what they were, and no temporary file is left.
UpdateResult updateDrawDatabase(const UpdateOptions& options);
