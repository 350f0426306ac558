#include "maintenance/draw_update.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <utility>

#include <curl/curl.h>
#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "draws/connection_string.h"
#include "draws/draw_csv.h"
#include "draws/draw_database.h"
#include "draws/program_folder.h"
#include "maintenance/update_source.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnchanged = "当選データは変更していません。";

struct Transfer {
    std::FILE* file = nullptr;
    const std::function<bool(std::int64_t, std::int64_t)>* progress = nullptr;
    std::int64_t received = 0;
    int writeErrno = 0;
};

std::size_t writeBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    const std::size_t written = std::fwrite(data, 1, bytes, transfer->file);
    if (written != bytes) transfer->writeErrno = errno;
    transfer->received += static_cast<std::int64_t>(written);
    return written;  // a short count makes libcurl stop with a write error
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

// A temporary file beside the destination, so that the final rename never crosses file systems.
struct TemporaryFile {
    std::string path;
    std::FILE* file = nullptr;

    explicit TemporaryFile(const std::string& destination)
    {
        std::string pattern = destination + ".download-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) return;
        path = pattern;
        // The replaced file keeps the permissions the old one had.
        struct stat old {};
        if (::stat(destination.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
        file = ::fdopen(fd, "wb");
        if (!file) ::close(fd);
    }
    ~TemporaryFile()
    {
        if (file) std::fclose(file);
        if (!path.empty()) {
            std::error_code error;
            fs::remove(path, error);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Flushes the bytes to the disk and closes the file; false with errno set on failure.
    bool finish()
    {
        std::FILE* closing = std::exchange(file, nullptr);
        bool ok = std::fflush(closing) == 0 && ::fsync(::fileno(closing)) == 0;
        const int savedErrno = errno;
        ok = std::fclose(closing) == 0 && ok;
        if (!ok && savedErrno) errno = savedErrno;
        return ok;
    }
    void release() { path.clear(); }
};

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

UpdateResult transferError(CURLcode code, CURL* curl, const UpdateOptions& options,
                           const std::string& url, const Transfer& transfer, const char* detail)
{
    switch (code) {
    case CURLE_HTTP_RETURNED_ERROR: {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        return failed("ダウンロードに失敗しました（HTTP " + std::to_string(status) + "）：" + url);
    }
    case CURLE_OPERATION_TIMEDOUT: {
        // No connection at all means the connection time-out ran out, not the transfer's.
        curl_off_t connected = 0;
        curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connected);
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
        curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expected);
        std::string sizes = std::to_string(transfer.received);
        if (expected >= 0) sizes += "／" + std::to_string(expected);
        return failed("ダウンロードが途中で切れました（" + sizes + "バイト受信）：" + url);
    }
    case CURLE_WRITE_ERROR:
        return failed("ダウンロードしたデータを一時ファイルに書き込めませんでした（" +
                      std::string(std::strerror(transfer.writeErrno ? transfer.writeErrno : EIO)) +
                      "）。");
    case CURLE_ABORTED_BY_CALLBACK:
        return {UpdateOutcome::Cancelled,
                std::string("当選データの最新化を中止しました。") + kUnchanged,
                {}};
    default:
        return failed("ダウンロードに失敗しました（" +
                      std::string(detail && *detail ? detail : curl_easy_strerror(code)) + "）：" +
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
            if (out->empty() && values[0]) *out = values[0];
            return 0;
        },
        &check, &message);
    if (rc != SQLITE_OK || check != "ok") {
        std::string detail = message ? message : check;
        sqlite3_free(message);
        return "ダウンロードした当選データベースが壊れています（" + detail + "）。";
    }
    auto rows = database->readAllDraws();
    if (!rows)
        return "ダウンロードした当選データベースから全データ選択クエリを読めません（" +
               rows.error() + "）。";
    return std::nullopt;
}

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
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

UpdateResult updateDrawDatabase(const UpdateOptions& options)
{
    // The update only ever replaces the database; it never makes one where there was none.
    if (!isExistingFile(options.destination))
        return {UpdateOutcome::MissingFile, missingFileMessage(options.destination), {}};

    TemporaryFile temporary(options.destination);
    if (!temporary.file)
        return failed("一時ファイルを作れませんでした（" + options.destination + ".download-*：" +
                      std::strerror(errno) + "）。");

    initialiseCurl();
    CURL* curl = curl_easy_init();
    if (!curl) return failed("ダウンロードを始められませんでした。");
    const std::string url = downloadUrl(options.server);
    Transfer transfer;
    transfer.file = temporary.file;
    transfer.progress = &options.progress;
    char detail[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    // Without this an error page (404, a proxy's notice) would arrive as a successful body.
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options.timeoutMs);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "PomuranLite/2.30");
    const CURLcode code = curl_easy_perform(curl);
    if (code != CURLE_OK) {
        UpdateResult result = transferError(code, curl, options, url, transfer, detail);
        curl_easy_cleanup(curl);
        return result;
    }
    const char* contentType = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &contentType);
    const bool csv =
        isCsvSource(url) || (contentType && std::string_view(contentType).starts_with("text/csv"));
    curl_easy_cleanup(curl);

    if (!temporary.finish())
        return failed("ダウンロードしたデータを一時ファイルに書き込めませんでした（" +
                      std::string(std::strerror(errno)) + "）。");
    if (csv) {
        // A CSV file is never put in place of the database: the caller merges its draws.
        auto text = readTextFile(temporary.path);
        if (!text) return failed(text.error());
        UpdateResult result{UpdateOutcome::CsvDownloaded, url, std::move(text.value())};
        return result;
    }
    if (auto problem = verificationProblem(temporary.path, transfer.received))
        return failed(*problem);

    if (!isExistingFile(options.destination))
        return {UpdateOutcome::MissingFile, missingFileMessage(options.destination), {}};
    std::error_code error;
    fs::rename(temporary.path, options.destination, error);
    if (error)
        return failed("当選データファイルを置き換えられませんでした（" + options.destination +
                      "：" + error.message() + "）。");
    temporary.release();
    return {UpdateOutcome::Updated, kUpdatedMessage, {}};
}
