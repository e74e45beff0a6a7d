// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// How a child process ended, and what it told through a pipe before it did.
struct ChildOutcome {
    int status = -1;
    std::string told;

    bool survived() const { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }
    std::string howItEnded() const {
        return WIFSIGNALED(status) ? "killed by signal " + std::to_string(WTERMSIG(status))
                                   : "status " + std::to_string(status);
    }
};

// Runs the action in a child process, which ends as soon as the action returns what it tells.
// For what must not stay with the test's own process: a lower limit, another user, or an end
// that the test itself would not survive.
template <typename Action> ChildOutcome inChildProcess(Action action) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return {-1, std::strerror(errno)};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const std::string told = action();
        const bool sent =
            write(pipeEnds[1], told.data(), told.size()) == static_cast<ssize_t>(told.size());
        _exit(sent ? 0 : 1);
    }
    close(pipeEnds[1]);
    ChildOutcome outcome;
    char buffer[512];
    for (ssize_t count; (count = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        outcome.told.append(buffer, static_cast<std::size_t>(count));
    }
    close(pipeEnds[0]);
    waitpid(child, &outcome.status, 0);
    return outcome;
}
