// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <string>

// Removes what a run killed while writing the settings file left beside it, where no live
// process holds it: the chain of lock files Qt makes to remove a stale lock
// (Sonavel.conf.lock.rmlock, .rmlock.rmlock…), the new copy that was not yet renamed over the
// file (Sonavel.conf. and six letters or digits), and the scratch file of an earlier room check
// (.Sonavel.conf- and six letters or digits). Called on this process's turn to write, when Qt's
// lock file is free, so no write is under way; nothing else in the folder is touched.
void removeLeftoversOfKilledWrites(const std::string& file);
