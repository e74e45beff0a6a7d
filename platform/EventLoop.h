// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

// The window's event loop as the handlers see it.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Runs every event already waiting to completion, then returns.
    virtual void yield() = 0;
    // Ends the program at once; nothing that was interrupted resumes.
    [[noreturn]] virtual void endProgram() = 0;
};
