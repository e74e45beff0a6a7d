// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// The modal file dialog shared by Open and Save. The handlers set it up anew before each use.
class FileDialog {
public:
    enum class Outcome { chosen, cancelled };

    // Bit that hides the read-only check box.
    static constexpr int hideReadOnly = 4;

    virtual ~FileDialog() = default;

    // When set, a cancel is reported as its own outcome rather than as an empty choice.
    virtual void setCancelError(bool reportCancel) = 0;
    virtual void setFlags(int flags) = 0;
    // Descriptions and patterns alternating, separated by "|".
    virtual void setFilter(const std::string& filter) = 0;
    // Counted from 1.
    virtual void setFilterIndex(int index) = 0;

    virtual Outcome chooseOpenFile() = 0;
    virtual Outcome chooseSaveFile() = 0;
    virtual std::string chosenPath() const = 0;
    virtual std::string chosenTitle() const = 0;
};
