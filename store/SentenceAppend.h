// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "platform/Result.h"

#include <string>

// Appends text and a CR LF to the regular file at path, creating it when missing. When the
// file's last line lacks a line end, a CR LF goes first so that the text stands on its own line.
// On failure the file is cut back to the length it had, so that no half line stays behind.
Result appendSentenceLine(const std::string& path, const std::string& text);
