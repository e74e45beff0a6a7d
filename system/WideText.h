// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// Windows names files and speaks in UTF-16; the program's 8-bit text is UTF-8 there, so that
// every name, in any script, goes through whole. Windows only.
std::wstring wideText(const std::string& text);
std::string utf8Text(const wchar_t* text, std::size_t size);
