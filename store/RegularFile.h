// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "system/SystemFile.h"

#include <cstdint>
#include <optional>
#include <string>

// Why an open file is no sentence file; nothing for a regular file, whose length is then put
// in size. A pipe or device never ends or never answers, so reading one could hold the window
// for ever.
std::optional<std::string> notRegularReason(const SystemFile& file, std::uint64_t* size = nullptr);
