#include "grid/pending_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string reason(int error)
{
    return std::strerror(error);
}

}  // namespace

PendingFile::PendingFile(std::string destination, std::string temporary)
    : m_destination(std::move(destination)), m_temporary(std::move(temporary))
{
}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : m_destination(std::move(other.m_destination)), m_temporary(std::move(other.m_temporary))
{
    other.m_temporary.clear();
}

PendingFile::~PendingFile()
{
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
}

Result<PendingFile> PendingFile::create(const std::string& destination)
{
    namespace fs = std::filesystem;
    if (destination.empty()) return Error{"保存先のファイル名がありません。"};
    const fs::path target(destination);
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return Error{destination + " はフォルダです。ファイル名を指定してください。"};
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    // A hidden name in the same folder: a reader of the folder never mistakes it for the file.
    std::string name = ".";  // built step by step: GCC 12 warns falsely on "." + string
    name += target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return Error{destination + " に保存できません: " + reason(errno)};
    ::close(fd);
    return PendingFile(destination, pattern);
}

Status PendingFile::commit()
{
    if (m_temporary.empty()) return Error{"保存は既に終わっています。"};
    // Written data reaches the disk before the name points at it, so a crash leaves the old
    // file or the new one, never a truncated one.
    const int fd = ::open(m_temporary.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (fd >= 0) ::close(fd);
        return Error{m_destination + " に保存できません: " + reason(error)};
    }
    ::close(fd);
    // mkstemp makes the file private (0600); a saved report is an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(m_temporary.c_str(), 0666 & ~mask);
    if (std::rename(m_temporary.c_str(), m_destination.c_str()) != 0)
        return Error{m_destination + " に保存できません: " + reason(errno)};
    m_temporary.clear();
    return success();
}

Status writeFileAtomically(const std::string& destination, const std::string& bytes)
{
    auto pending = PendingFile::create(destination);
    if (!pending) return Error{pending.error()};
    std::FILE* file = std::fopen(pending->path().c_str(), "wb");
    if (!file) return Error{destination + " に保存できません: " + reason(errno)};
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written)
        return Error{destination + " に保存できません: " + reason(written ? errno : writeError)};
    return pending->commit();
}
