// DrawDatabaseLock: one writer at a time on a draw database. Import, the entry window and the
// update hold it while they write; it is an advisory lock on "<database>.lock" beside the file,
// since the database file itself is replaced by a rename and a lock on it would go with it. The
// lock file exists only while someone holds it.
#pragma once

#include <string>
#include <utility>

#include "core/base/file_replacement.h"
#include "core/base/result.h"

class [[nodiscard]] DrawDatabaseLock {
public:
    // Takes the lock without waiting; fails with a message naming the database when another
    // writer (in this process or another) holds it. In a folder where no lock file can be made
    // (read-only) nobody can replace the database either, and the lock holds nothing.
    [[nodiscard]] static Result<DrawDatabaseLock> acquire(const std::string& databasePath);

    DrawDatabaseLock(DrawDatabaseLock&& other) noexcept;
    DrawDatabaseLock& operator=(DrawDatabaseLock&& other) noexcept;
    DrawDatabaseLock(const DrawDatabaseLock&) = delete;
    DrawDatabaseLock& operator=(const DrawDatabaseLock&) = delete;
    ~DrawDatabaseLock();

private:
    // A lock file left by Ctrl-C would be harmless (the lock goes with the process), but the
    // folder stays as the player left it.
    DrawDatabaseLock(int fd, std::string path)
        : m_fd(fd), m_path(std::move(path)), m_slot(fd >= 0 ? removeOnSignal(m_path) : -1)
    {
    }
    void release();

    int m_fd = -1;
    std::string m_path;
    int m_slot = -1;
};

// "PATH：ほかの取り込み・データ入力・最新化が当選データファイルを使用中です。…"
std::string databaseInUseMessage(const std::string& databasePath);
