#include "core/draws/draw_database_lock.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

std::string databaseInUseMessage(const std::string& databasePath)
{
    return databasePath + "：ほかの取り込み・データ入力・最新化が当選データファイルを使用中のため、"
                          "書き込みません。"
                          "終わってからやり直してください。";
}

namespace {

// Temporary files of imports and updates killed before they could remove them: only the
// holder of the lock makes them, so once it is held every one of them is a leftover.
void removeLeftoverTemporaries(const std::string& databasePath)
{
    namespace fs = std::filesystem;
    const fs::path database(databasePath);
    const std::string base = database.filename().string();
    std::error_code error;
    fs::directory_iterator entries(
        database.has_parent_path() ? database.parent_path() : fs::path("."), error);
    if (error) return;
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(base + ".")) continue;
        const std::string_view tag = std::string_view(name).substr(base.size() + 1);
        // "import-XXXXXX", "download-XXXXXX": the names FileReplacement gives them.
        for (std::string_view kind : {std::string_view("import-"), std::string_view("download-")})
            if (tag.size() == kind.size() + 6 && tag.starts_with(kind) &&
                entry.is_regular_file(error) && !entry.is_symlink(error))
                fs::remove(entry.path(), error);
    }
}

}  // namespace

Result<DrawDatabaseLock> DrawDatabaseLock::acquire(const std::string& databasePath)
{
    std::string lockPath = databasePath + ".lock";
    // The holder removes the lock file when it lets go; whoever locked the removed file in the
    // meantime sees it is no longer the one at the path and tries again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EACCES || errno == EROFS) return DrawDatabaseLock(-1, {});
            return Error{lockPath + "：ロックファイルを開けませんでした（" +
                         std::string(std::strerror(errno)) + "）。"};
        }
        // flock belongs to the open file, so a second open in this same process is refused too
        // (the entry window and the update in one program).
        int locked;
        while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {}
        if (locked != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) return Error{databaseInUseMessage(databasePath)};
            return Error{lockPath + "：ロックできませんでした（" +
                         std::string(std::strerror(error)) + "）。"};
        }
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            removeLeftoverTemporaries(databasePath);
            return DrawDatabaseLock(fd, std::move(lockPath));
        }
        ::close(fd);
    }
    return Error{databaseInUseMessage(databasePath)};
}

DrawDatabaseLock::DrawDatabaseLock(DrawDatabaseLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_path(std::move(other.m_path)),
      m_slot(std::exchange(other.m_slot, -1))
{
}

DrawDatabaseLock& DrawDatabaseLock::operator=(DrawDatabaseLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
        m_slot = std::exchange(other.m_slot, -1);
    }
    return *this;
}

DrawDatabaseLock::~DrawDatabaseLock()
{
    release();
}

void DrawDatabaseLock::release()
{
    if (m_fd < 0) return;
    // Removed while still locked, so nobody can lock this file and believe they hold the lock.
    ::unlink(m_path.c_str());
    keepOnSignal(std::exchange(m_slot, -1));
    ::close(std::exchange(m_fd, -1));
}
