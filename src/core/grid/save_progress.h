// Progress and cancelling of a long save (PDF, workbook, picture).
#pragma once

#include <functional>

// Called with the fraction done (0..1) while a file is written; returning false cancels.
using SaveProgress = std::function<bool(double)>;

// The message a cancelled save returns; the windows show nothing for it.
inline constexpr const char* kSaveCancelled = "保存を中止しました。";
