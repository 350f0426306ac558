// PendingFile: a file written under a temporary name beside its destination and renamed onto it
// only when complete, so that a failed or cancelled save never leaves a partial file behind.
#pragma once

#include <functional>
#include <string>

#include "draws/result.h"

// Called with the fraction done (0..1) while a file is written; returning false cancels.
using SaveProgress = std::function<bool(double)>;

// The message a cancelled save returns; the windows show nothing for it.
inline constexpr const char* kSaveCancelled = "保存を中止しました。";

class PendingFile {
public:
    // Creates an empty temporary file in the destination's folder (so that the rename cannot
    // cross file systems). Fails with a clear message when the folder cannot be written.
    static Result<PendingFile> create(const std::string& destination);

    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&&) = delete;
    PendingFile(const PendingFile&) = delete;
    ~PendingFile();  // removes the temporary file unless committed

    // Where to write.
    const std::string& path() const { return m_temporary; }
    const std::string& destination() const { return m_destination; }
    // Flushes the temporary file to disk and renames it onto the destination.
    Status commit();

private:
    PendingFile(std::string destination, std::string temporary);

    std::string m_destination;
    std::string m_temporary;  // empty once committed or moved from
};

// Writes `bytes` to `destination` through a PendingFile.
Status writeFileAtomically(const std::string& destination, const std::string& bytes);
