#include "core/maintenance/draw_update.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/base/file_replacement.h"
#include "core/base/program_folder.h"
#include "core/base/program_version.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_merge.h"
#include "core/draws/import_draws.h"
#include "core/maintenance/curl_library.h"
#include "core/maintenance/update_source.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnchanged = "当選データは変更していません。";

struct Transfer {
    FileReplacement* file = nullptr;
    const std::function<bool(std::int64_t, std::int64_t)>* progress = nullptr;
    std::int64_t maxBytes = 0;
    std::int64_t received = 0;
    std::int64_t announced = -1;  // the last response's Content-Length; -1 when none
    bool tooLarge = false;
    std::string writeError;
};

std::size_t writeBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    // A server that never stops sending must not fill the disk.
    if (transfer->received + static_cast<std::int64_t>(bytes) > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    if (auto written = transfer->file->write(std::string_view(data, bytes)); !written) {
        transfer->writeError = written.error();
        return 0;  // a short count makes libcurl stop with a write error
    }
    transfer->received += static_cast<std::int64_t>(bytes);
    return bytes;
}

// Reads Content-Length itself: when the announced size is over the ceiling, libcurl stops at the
// header and reports no size at all.
std::size_t readHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    std::string line(data, bytes);
    std::transform(line.begin(), line.end(), line.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (line.starts_with("http/")) transfer->announced = -1;  // a new response (a redirect)
    constexpr std::string_view kName = "content-length:";
    if (line.starts_with(kName)) {
        std::size_t at = kName.size();
        while (at < line.size() && line[at] == ' ')
            ++at;
        std::int64_t value = 0;
        const auto [end, error] =
            std::from_chars(line.data() + at, line.data() + line.size(), value);
        if (error == std::errc::result_out_of_range)
            transfer->announced = std::numeric_limits<std::int64_t>::max();
        else if (error == std::errc() && end != line.data() + at)
            transfer->announced = value;
    }
    return bytes;
}

// The easy handle, cleaned up on every way out.
struct CurlDeleter {
    const CurlLibrary* library;
    void operator()(CURL* curl) const { library->easyCleanup(curl); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;

// "300 MB", "12 KB": sizes in the messages.
std::string byteSize(std::int64_t bytes)
{
    if (bytes >= std::int64_t{1} << 30) return std::to_string(bytes >> 30) + " GB";
    if (bytes >= 1024 * 1024) return std::to_string(bytes / (1024 * 1024)) + " MB";
    if (bytes >= 1024) return std::to_string(bytes / 1024) + " KB";
    return std::to_string(bytes) + " バイト";
}

// The engine's check may answer several lines; the message stays one line, and short.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    constexpr std::size_t kMax = 160;
    if (text.size() > kMax) {
        std::size_t cut = kMax;
        // Never cut inside a UTF-8 sequence.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0) == 0x80)
            --cut;
        text = text.substr(0, cut) + "…";
    }
    return text;
}

int reportProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    const auto* transfer = static_cast<Transfer*>(user);
    if (!transfer->progress || !*transfer->progress) return 0;
    return (*transfer->progress)(now, total) ? 0 : 1;
}

bool isExistingFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The reason, then the reassurance that the old file is as it was.
UpdateResult failed(const std::string& what)
{
    const bool sentenceEnds = what.size() >= 3 && what.compare(what.size() - 3, 3, "。") == 0;
    return {UpdateOutcome::Failed, what + (sentenceEnds ? "" : " ") + kUnchanged, {}};
}

std::string seconds(long milliseconds)
{
    const long whole = milliseconds / 1000, tenths = (milliseconds % 1000) / 100;
    std::string text = std::to_string(whole);
    if (tenths) text += '.' + std::to_string(tenths);
    return text + "秒";
}

UpdateResult transferError(const CurlLibrary& lib, CURLcode code, CURL* curl,
                           const UpdateOptions& options, const std::string& url,
                           const Transfer& transfer, const char* detail)
{
    switch (code) {
    case CURLE_HTTP_RETURNED_ERROR: {
        long status = 0;
        lib.easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        return failed("ダウンロードに失敗しました（HTTP " + std::to_string(status) + "）：" + url);
    }
    case CURLE_OPERATION_TIMEDOUT: {
        // No connection at all means the connection time-out ran out, not the transfer's.
        curl_off_t connected = 0;
        lib.easyGetinfo(curl, CURLINFO_CONNECT_TIME_T, &connected);
        if (connected == 0)
            return failed("ダウンロードサーバーに時間内に接続できませんでした（" +
                          seconds(options.connectTimeoutMs) + "）：" + url);
        return failed("ダウンロードサーバーからの応答が時間内に終わりませんでした（" +
                      seconds(options.timeoutMs) + "）：" + url);
    }
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return failed("ダウンロードサーバーが見つかりませんでした：" + url);
    case CURLE_COULDNT_CONNECT:
        return failed("ダウンロードサーバーに接続できませんでした：" + url);
    case CURLE_PARTIAL_FILE: {
        curl_off_t expected = -1;
        lib.easyGetinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expected);
        std::string sizes = std::to_string(transfer.received);
        if (expected >= 0) sizes += "／" + std::to_string(expected);
        return failed("ダウンロードが途中で切れました（" + sizes + "バイト受信）：" + url);
    }
    case CURLE_FILESIZE_EXCEEDED:
    case CURLE_WRITE_ERROR:
        if (code == CURLE_FILESIZE_EXCEEDED || transfer.tooLarge) {
            const std::int64_t announced = transfer.announced;
            const std::int64_t size = announced > 0 ? announced : transfer.received;
            return failed("ダウンロードするファイルが大きすぎます（" + byteSize(size) +
                          (announced > 0 ? "" : "超") + "、上限 " + byteSize(options.maxBytes) +
                          "）：" + url);
        }
        return failed("ダウンロードしたデータを一時ファイルに書き込めませんでした（" +
                      transfer.writeError + "）。");
    case CURLE_ABORTED_BY_CALLBACK:
        return {UpdateOutcome::Cancelled,
                std::string("当選データの最新化を中止しました。") + kUnchanged,
                {}};
    default:
        return failed("ダウンロードに失敗しました（" +
                      std::string(detail && *detail ? detail : lib.easyStrerror(code)) + "）：" +
                      url);
    }
}

// The downloaded file must be what the program can read at its next start: a database that
// opens with the program's password, passes the engine's own page check and answers the query.
std::optional<std::string> verificationProblem(const std::string& path, std::int64_t size)
{
    if (size == 0) return "ダウンロードしたファイルが空でした。";
    auto database = DrawDatabase::open(connectStringForFile(path));
    if (!database)
        return "ダウンロードしたファイルは当選データベースではありません（" + database.error() +
               "）。";
    std::string check;
    char* message = nullptr;
    const int rc = sqlite3_exec(
        database->handle(), "PRAGMA quick_check;",
        [](void* user, int, char** values, char**) {
            auto* out = static_cast<std::string*>(user);
            if (out->empty() && values[0]) *out = values[0];  // the first problem is enough
            return 0;
        },
        &check, &message);
    if (rc != SQLITE_OK || check != "ok") {
        std::string detail = message ? message : check;
        sqlite3_free(message);
        return "ダウンロードした当選データベースが壊れています（" + oneLine(detail) + "）。";
    }
    auto rows = database->readAllDraws();
    if (!rows)
        return "ダウンロードした当選データベースから全データ選択クエリを読めません（" +
               rows.error() + "）。";
    return std::nullopt;
}

// The temporary file is nothing the player knows: messages name the address it came from.
std::string naming(std::string text, const std::string& temporary, const std::string& name)
{
    for (std::size_t at = text.find(temporary); at != std::string::npos;
         at = text.find(temporary, at + name.size()))
        text.replace(at, temporary.size(), name);
    return text;
}

}  // namespace

std::string downloadUrl(const std::string& server)
{
    std::string path = server.substr(0, server.find_first_of("?#"));
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (path.ends_with(".mdb") || path.ends_with(".csv")) return server;
    std::string base = server;
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base + kDownloadPath;
}

std::string missingFileMessage(const std::string& path)
{
    return "当選データファイル：'" + path + "'が存在しません";
}

std::string noUpdateSourceMessage()
{
    return "当選データ最新化の取得先が設定されていません。抽せん結果の CSV ファイルのアドレス"
           "（例: https://example.jp/results.csv）か、当選データファイルのアドレス（例: "
           "https://example.jp/Pomuran.mdb）を取得先にしてください。";
}

UpdateResult updateDrawDatabase(const UpdateOptions& options)
{
    if (options.server.empty()) return {UpdateOutcome::NoSource, noUpdateSourceMessage(), {}};
    // The update only ever replaces the database; it never makes one where there was none.
    if (!isExistingFile(options.destination))
        return {UpdateOutcome::MissingFile, missingFileMessage(options.destination), {}};

    // One writer at a time: not while an import or the entry window writes the same file.
    auto lock = DrawDatabaseLock::acquire(options.destination);
    if (!lock) return failed(lock.error());
    auto temporary = FileReplacement::begin(options.destination, "download");
    if (!temporary) return failed(temporary.error());

    auto library = curlLibrary();
    if (!library) return failed(library.error());
    const CurlLibrary& lib = **library;
    CurlHandle handle(lib.easyInit(), CurlDeleter{&lib});
    CURL* curl = handle.get();
    if (!curl) return failed("ダウンロードを始められませんでした。");
    const std::string url = downloadUrl(options.server);
    Transfer transfer;
    transfer.file = &temporary.value();
    transfer.progress = &options.progress;
    transfer.maxBytes = options.maxBytes;
    char detail[CURL_ERROR_SIZE] = {};
    lib.easySetopt(curl, CURLOPT_URL, url.c_str());
    lib.easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    lib.easySetopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    lib.easySetopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    lib.easySetopt(curl, CURLOPT_MAXREDIRS, 5L);
    // Without this an error page (404, a proxy's notice) would arrive as a successful body.
    lib.easySetopt(curl, CURLOPT_FAILONERROR, 1L);
    lib.easySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
    lib.easySetopt(curl, CURLOPT_TIMEOUT_MS, options.timeoutMs);
    // An announced size above the ceiling is refused before the body comes; the write callback
    // holds the same ceiling when no size is announced.
    lib.easySetopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBytes));
    lib.easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
    lib.easySetopt(curl, CURLOPT_HEADERFUNCTION, readHeader);
    lib.easySetopt(curl, CURLOPT_HEADERDATA, &transfer);
    lib.easySetopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
    lib.easySetopt(curl, CURLOPT_WRITEDATA, &transfer);
    lib.easySetopt(curl, CURLOPT_NOPROGRESS, 0L);
    lib.easySetopt(curl, CURLOPT_XFERINFOFUNCTION, reportProgress);
    lib.easySetopt(curl, CURLOPT_XFERINFODATA, &transfer);
    lib.easySetopt(curl, CURLOPT_ERRORBUFFER, detail);
    const std::string userAgent = std::string("PomuranLite/") + programVersion();
    lib.easySetopt(curl, CURLOPT_USERAGENT, userAgent.c_str());
    const CURLcode code = lib.easyPerform(curl);
    if (code != CURLE_OK) return transferError(lib, code, curl, options, url, transfer, detail);
    const char* contentType = nullptr;
    lib.easyGetinfo(curl, CURLINFO_CONTENT_TYPE, &contentType);
    const bool csv =
        isCsvSource(url) || (contentType && std::string_view(contentType).starts_with("text/csv"));
    handle.reset();

    if (csv) {
        // A CSV file is never put in place of the database: the caller merges its draws.
        auto text = readTextFile(temporary->temporaryPath());
        if (!text) return failed(naming(text.error(), temporary->temporaryPath(), url));
        return {UpdateOutcome::CsvDownloaded, url, std::move(text.value())};
    }
    if (auto problem = verificationProblem(temporary->temporaryPath(), transfer.received))
        return failed(naming(*problem, temporary->temporaryPath(), url));

    // What the stored file holds that the download lacks: draws typed in by the player are not
    // lost without asking, and a prize table is not lost to a download that has none.
    std::string note;
    {
        auto stored = DrawDatabase::open(connectStringForFile(options.destination));
        auto storedRows =
            stored ? stored->readAllDraws() : Result<std::vector<DrawRow>>(Error{stored.error()});
        auto storedPrizes =
            stored ? stored->readPrizes() : Result<std::vector<DrawPrizes>>(Error{stored.error()});
        // A stored file that cannot be read has nothing to keep: the verified download replaces it.
        if (storedRows && storedPrizes) {
            auto downloaded = DrawDatabase::open(connectStringForFile(temporary->temporaryPath()),
                                                 DrawDatabase::Access::ReadWrite);
            if (!downloaded) return failed(downloaded.error());
            auto rows = downloaded->readAllDraws();
            auto prizes = downloaded->readPrizes();
            if (!rows) return failed(rows.error());
            if (!prizes) return failed(prizes.error());
            CsvImport preview;
            preview.file.rows = sortedByDrawNo(std::move(rows.value()));
            preview.file.prizes = std::move(prizes.value());
            preview.plan = planMerge(storedRows.value(), preview.file.rows);
            preview.prizes = planPrizeMerge(storedPrizes.value(), preview.file.prizes);
            MissingDrawsChoice choice = MissingDrawsChoice::Replace;
            if (!preview.plan.onlyStored.empty() && options.missingDraws)
                choice = options.missingDraws(preview);
            if (choice == MissingDrawsChoice::Cancel)
                return {UpdateOutcome::Cancelled,
                        std::string("当選データの最新化を中止しました。") + kUnchanged,
                        {}};
            if (choice == MissingDrawsChoice::Keep) {
                // The download is merged in as an import under the lock held since the start.
                stored = Error{""};
                downloaded = Error{""};
                auto import = DrawImport::prepare(std::move(lock.value()),
                                                  connectStringForFile(options.destination),
                                                  std::move(preview.file));
                if (!import) return failed(import.error());
                auto merged = import->apply(MergeMode::AddAndReplace);
                if (!merged) return failed(merged.error());
                return {UpdateOutcome::Updated,
                        std::string(kUpdatedMessage) + "（ダウンロードにない登録済みの " +
                            std::to_string(preview.plan.onlyStored.size()) + " 行は残しました）",
                        {}};
            }
            if (preview.file.prizes.empty() && !storedPrizes->empty()) {
                if (Status kept = downloaded->writePrizes(
                        prizesOfDraws(storedPrizes.value(), preview.file.rows));
                    !kept)
                    return failed(kept.error());
                note = "（当せん金額は登録済みのものを残しました）";
            }
            // Chosen, or no one to ask: either way the player is told what went.
            if (!preview.plan.onlyStored.empty())
                note += "（ダウンロードにない登録済みの " +
                        std::to_string(preview.plan.onlyStored.size()) + " 行は消えました）";
        }
    }

    if (!isExistingFile(options.destination))
        return {UpdateOutcome::MissingFile, missingFileMessage(options.destination), {}};
    // The journal of an interrupted write belongs to the old file: rolled back and gone before
    // the new file takes its place, or the next writer would roll it into the new one.
    settleJournalForReplacement(connectStringForFile(options.destination));
    if (auto replaced = temporary->commit(); !replaced)
        return failed("当選データファイルを置き換えられませんでした（" + replaced.error() + "）");
    return {UpdateOutcome::Updated, kUpdatedMessage + note, {}};
}
