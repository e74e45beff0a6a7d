// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

// While it lives, what the program writes to a console window reads there as the UTF-8 it is,
// file names in any script included; the console's own setting comes back afterwards, for the
// programs that share it. Only Windows' console needs telling.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned int before_ = 0;
};
