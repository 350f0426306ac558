// Text forms of a result grid for the command line: JSON (a stable interface), CSV and text.
// Each is written straight to a stream in large chunks, so a million-cell grid never exists a
// second time as one string.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "core/grid/result_grid.h"

// {"columns": C, "rows": R, "frozen_rows": FR, "frozen_columns": FC, "cells": [...]} listing every
// cell with text, a text colour other than #000000 or a background other than #ffffff.
void writeGridJsonObject(std::ostream& out, const ResultGrid& grid);
// The same object with "window": NAME first.
void writeGridJson(std::ostream& out, const ResultGrid& grid, std::string_view windowName);
// One CSV line per grid row, every cell's text (RFC 4180 quoting).
void writeGridCsv(std::ostream& out, const ResultGrid& grid);
// One line per grid row, cells separated by tabs, trailing empty cells dropped.
void writeGridText(std::ostream& out, const ResultGrid& grid);

// The same texts as strings, for small grids and tests.
std::string gridJsonObject(const ResultGrid& grid);
std::string gridJson(const ResultGrid& grid, std::string_view windowName);
std::string gridCsv(const ResultGrid& grid);
std::string gridText(const ResultGrid& grid);

std::string jsonString(std::string_view text);
std::string colorHex(Rgb color);
