// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <optional>
#include <string>

// Why a sentence must not go to the radio: an empty one makes "UR;", the radio's command to
// read its equaliser rather than load one; a ";" would end the command early and let the rest
// reach the radio as a command of its own; and a control or 8-bit character is no part of any
// sentence. Nothing when the sentence is safe to send.
std::optional<std::string> unsafeSentenceProblem(const std::string& sentence);
