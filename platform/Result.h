// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <optional>
#include <string>
#include <utility>

// The outcome of a platform operation that can fail, carrying the reason a user can read.
class [[nodiscard]] Result {
public:
    static Result success() { return Result{}; }
    static Result failure(std::string reason) { return Result{std::move(reason)}; }

    bool ok() const { return !reason_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const {
        static const std::string none;
        return reason_ ? *reason_ : none;
    }

private:
    Result() = default;
    explicit Result(std::string reason) : reason_(std::move(reason)) {}

    std::optional<std::string> reason_;
};
