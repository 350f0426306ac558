// The draw data update: downloads the published draw database and puts it in place of the
// local one, only once the download is known to be a complete, readable draw database.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/draws/draw_csv.h"
struct CsvImport;

inline constexpr const char* kDownloadPath = "/download/Pomuran/Pomuran.mdb";
inline constexpr const char* kUpdatedMessage = "当選データを最新化しました。";

enum class UpdateOutcome {
    Updated,      // the destination now holds the downloaded database
    NoSource,     // no source is set: nothing downloaded, nothing written
    MissingFile,  // no file at the destination: nothing downloaded, nothing written
    Cancelled,    // the player cancelled; the old file is untouched
    Failed,       // download or verification failed; the old file is untouched
    // The source is a CSV file (its address ends in .csv or it came as text/csv): its bytes are
    // in UpdateResult::csv, to be read and merged by the caller; nothing was written.
    CsvDownloaded,
};

struct UpdateResult {
    UpdateOutcome outcome = UpdateOutcome::Failed;
    std::string message;  // the text to show the player
    std::string csv;      // the downloaded CSV file (CsvDownloaded only)
};

// What to do with a downloaded database that lacks draws the stored one holds (draws the player
// typed in, say).
enum class MissingDrawsChoice {
    Replace,  // the download becomes the history; those draws go
    Keep,    // the download's draws and prizes are merged into the stored history (追加・更新)
    Cancel,  // nothing changes
};

struct UpdateOptions {
    // A server (scheme, host and port: the database is fetched from its download path) or the
    // full address of a database or a CSV file (ending in .mdb or .csv). Empty until the player
    // sets one: there is no source every player could use.
    std::string server;
    std::string destination;  // the database file to replace
    long connectTimeoutMs = 15000;
    // The whole transfer; a stalled server is given up after this long.
    long timeoutMs = 300000;
    // The largest download accepted: far above any real draw database (32,767 draws take about
    // 2 MB), low enough that an endless answer never fills the disk.
    std::int64_t maxBytes = kMaxDrawFileBytes;
    // Called while the body arrives (bytes so far, expected total or 0 when unknown); return
    // false to cancel.
    std::function<bool(std::int64_t received, std::int64_t total)> progress;
    // Asked, with the preview of the download against the stored history, when the downloaded
    // database lacks stored draws (preview.plan.onlyStored). Without it the download replaces
    // the history as it is: callers that show nothing decide beforehand.
    std::function<MissingDrawsChoice(const CsvImport& preview)> missingDraws;
};

// "<server>/download/Pomuran/Pomuran.mdb", without a doubled separator; an address that already
// names a file (ending in .mdb or .csv) is used as it is.
std::string downloadUrl(const std::string& server);
// "当選データファイル：'PATH'が存在しません"
std::string missingFileMessage(const std::string& path);
// What NoSource says: no source is set, and what a source is.
std::string noUpdateSourceMessage();

// Runs one update. The destination is only ever replaced by a verified copy, by a rename (or,
// when the player keeps draws the download lacks, merged with it in one transaction); on every
// other outcome its bytes are exactly what they were, and no temporary file is left. A download
// without a prize table takes over the stored prizes of its draws.
UpdateResult updateDrawDatabase(const UpdateOptions& options);
