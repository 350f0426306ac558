// FileReplacement: writes the new version of a file beside it and renames it into place, so the
// file is always either the old one or the complete new one.
#pragma once

#include <string>
#include <string_view>

#include "core/base/result.h"

class [[nodiscard]] FileReplacement {
public:
    // Creates "<target>.<tag>-XXXXXX" exclusively (never through a symbolic link, never a name
    // someone else holds), with the permissions of the file it replaces. Refuses, writing nothing,
    // when the target is not a regular file or the player may not write it. A target that is a
    // symbolic link stays one: the file it points to is replaced.
    [[nodiscard]] static Result<FileReplacement> begin(const std::string& linkOrTarget,
                                                       std::string_view tag);

    FileReplacement(FileReplacement&& other) noexcept;
    FileReplacement& operator=(FileReplacement&&) = delete;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // Removes the temporary file unless it was committed.
    ~FileReplacement();

    const std::string& temporaryPath() const { return m_temporary; }
    const std::string& target() const { return m_target; }

    [[nodiscard]] Status write(std::string_view bytes);
    // Puts the bytes on the disk and renames the temporary file over the target. Writers that
    // fill the file by its path (the database engine) simply call this once they closed it.
    [[nodiscard]] Status commit();

private:
    FileReplacement(std::string target, std::string temporary, int fd, int slot);
    void discard();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    int m_slot = -1;  // place in the list of files removed on SIGINT/SIGTERM
};

// Makes SIGINT and SIGTERM remove every temporary file of a FileReplacement in progress before
// the process ends as the signal would end it (for the command line).
void removeTemporaryFilesOnSignal();
// Adds a file to those SIGINT and SIGTERM remove (a few at a time); returns its slot, or -1.
int removeOnSignal(const std::string& path);
// Takes the file in `slot` off that list again (nothing for -1).
void keepOnSignal(int slot);

// Why the player may not replace the file at `path` (not a regular file, no write permission),
// or an empty text when nothing stands in the way (or the file does not exist).
std::string replacementRefusal(const std::string& path);
// The one rule for every writer of an existing file (merge, entry, tickets): why it must not be
// written (not a regular file, read-only by its mode or for this process), or an empty text. The
// mode counts even for a process the system would let write (root).
std::string writeRefusal(const std::string& path);
