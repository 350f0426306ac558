#include "core/base/file_replacement.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Temporary files in progress, readable from a signal handler: a slot's path is complete before
// the slot is marked used.
constexpr std::size_t kSlots = 8;
constexpr std::size_t kPathBytes = 4096;
std::array<std::array<char, kPathBytes>, kSlots> g_paths;
std::array<volatile std::sig_atomic_t, kSlots> g_used{};
std::mutex g_slotMutex;

}  // namespace

int removeOnSignal(const std::string& path)
{
    if (path.size() >= kPathBytes) return -1;
    std::lock_guard lock(g_slotMutex);
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (g_used[i]) continue;
        std::memcpy(g_paths[i].data(), path.c_str(), path.size() + 1);
        g_used[i] = 1;
        return static_cast<int>(i);
    }
    return -1;
}

void keepOnSignal(int slot)
{
    if (slot >= 0) g_used[static_cast<std::size_t>(slot)] = 0;
}

namespace {

extern "C" void removeTemporariesAndEnd(int signalNumber)
{
    for (std::size_t i = 0; i < kSlots; ++i)
        if (g_used[i]) ::unlink(g_paths[i].data());
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// The permissions a newly created file gets (0666 less the umask).
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string reason(int error)
{
    return std::strerror(error);
}

// A file without any write permission is one the player protected on purpose, even where the
// system would let this process write it.
bool readOnly(const std::string& path, const struct stat& status)
{
    return (status.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

std::string replacementRefusal(const std::string& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return {};
    if (S_ISDIR(status.st_mode)) return path + "：フォルダーのため置き換えられません。";
    if (S_ISLNK(status.st_mode)) return path + "：リンク先のないシンボリックリンクです。";
    if (!S_ISREG(status.st_mode)) return path + "：通常のファイルではないため置き換えません。";
    if (readOnly(path, status))
        return path + "：書き込みが許可されていない（読み取り専用の）ため置き換えません。";
    return {};
}

std::string writeRefusal(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return {};
    if (!S_ISREG(status.st_mode)) return path + "：通常のファイルではないため書き込みません。";
    if (readOnly(path, status))
        return path + "：書き込みが許可されていない（読み取り専用の）ため書き込みません。";
    return {};
}

Result<FileReplacement> FileReplacement::begin(const std::string& linkOrTarget,
                                               std::string_view tag)
{
    // A link the player made stays a link: the file it points to is the one replaced, with the
    // temporary beside that file so that the rename stays on one file system.
    std::string target = linkOrTarget;
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        std::error_code error;
        const auto real = std::filesystem::canonical(target, error);
        if (!error) target = real.string();
    }
    if (auto refusal = replacementRefusal(target); !refusal.empty()) return Error{refusal};
    std::string pattern = target + "." + std::string(tag) + "-XXXXXX";
    // mkostemp opens with O_CREAT|O_EXCL, which never follows a link at the name.
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return Error{target + "：一時ファイルを作れませんでした（" + reason(errno) + "）。"};
    const int slot = removeOnSignal(pattern);
    FileReplacement replacement(target, pattern, fd, slot);
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    if (::fchmod(fd, mode) != 0)
        return Error{target + "：一時ファイルの権限を設定できませんでした（" + reason(errno) +
                     "）。"};
    return replacement;
}

FileReplacement::FileReplacement(std::string target, std::string temporary, int fd, int slot)
    : m_target(std::move(target)), m_temporary(std::move(temporary)), m_fd(fd), m_slot(slot)
{
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : m_target(std::move(other.m_target)), m_temporary(std::exchange(other.m_temporary, {})),
      m_fd(std::exchange(other.m_fd, -1)), m_slot(std::exchange(other.m_slot, -1))
{
}

FileReplacement::~FileReplacement()
{
    discard();
}

void FileReplacement::discard()
{
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
    m_temporary.clear();
    keepOnSignal(std::exchange(m_slot, -1));
}

Status FileReplacement::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0)
            return Error{m_target + "：書き込めませんでした（" + reason(written < 0 ? errno : EIO) +
                         "）。"};
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return success();
}

Status FileReplacement::commit()
{
    if (m_temporary.empty()) return Error{m_target + "：置き換えは終わっています。"};
    // Someone may have made the file read-only since the write began.
    if (auto refusal = replacementRefusal(m_target); !refusal.empty()) return Error{refusal};
    const int syncFd = ::open(m_temporary.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const bool synced = syncFd >= 0 && ::fsync(syncFd) == 0;
    const int syncError = errno;
    if (syncFd >= 0) ::close(syncFd);
    if (m_fd >= 0 && ::close(std::exchange(m_fd, -1)) != 0 && synced)
        return Error{m_target + "：書き込めませんでした（" + reason(errno) + "）。"};
    if (!synced) return Error{m_target + "：書き込めませんでした（" + reason(syncError) + "）。"};
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return Error{m_target + "：置き換えられませんでした（" + reason(errno) + "）。"};
    m_temporary.clear();
    keepOnSignal(std::exchange(m_slot, -1));
    // The rename is an entry of the folder: only once the folder is on the disk does a power cut
    // leave the new file at the name instead of the old one (or neither).
    const std::string folder = std::filesystem::path(m_target).parent_path().string();
    const int folderFd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        // Some file systems cannot sync a folder (EINVAL); a failing disk says EIO.
        const bool folderFailed = ::fsync(folderFd) != 0 && errno == EIO;
        ::close(folderFd);
        if (folderFailed)
            return Error{m_target + "：置き換えた内容をディスクに書き込めませんでした（" +
                         reason(EIO) + "）。"};
    }
    return success();
}

void removeTemporaryFilesOnSignal()
{
    struct sigaction action {};
    action.sa_handler = removeTemporariesAndEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}
