// What `pomuran-cli show` prints: the grid (or grids) a window shows, as text.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/draws/draw_history.h"

enum class ShowFormat { Json, Csv, Text, Pdf, Xlsx, Png };  // the last three only to a file

struct ShowRequest {
    std::string window;
    ShowFormat format = ShowFormat::Json;
    std::optional<int> enabledOptions;  // prediction window; from the settings file when absent
    std::string settingsFile;           // that settings file; empty means ポムラン.ini here
};

// The window names show knows, in menu order.
std::vector<std::string> shownWindowNames();
bool isShownWindow(const std::string& window);
// Writes the window's content, ending in a line break. The window must be one show knows.
void showWindow(std::ostream& out, const ShowRequest& request, const DrawHistory& history);
