// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <optional>
#include <utility>

// The two file slots: reading slot 1 for Open, writing slot 2 for Save. Each holds one open file
// at most. A claim keeps its slot in use until the operation that made it ends, however it ends.
class FileSlots {
public:
    class Claim {
    public:
        explicit Claim(bool& inUse) : inUse_(&inUse) { *inUse_ = true; }
        Claim(Claim&& other) noexcept : inUse_(std::exchange(other.inUse_, nullptr)) {}
        Claim(const Claim&) = delete;
        Claim& operator=(const Claim&) = delete;
        Claim& operator=(Claim&&) = delete;
        ~Claim() {
            if (inUse_ != nullptr) {
                *inUse_ = false;
            }
        }

    private:
        bool* inUse_;
    };

    // Nothing when an Open still running holds the slot.
    std::optional<Claim> claimReading() { return claim(readingInUse_); }
    std::optional<Claim> claimWriting() { return claim(writingInUse_); }

private:
    static std::optional<Claim> claim(bool& inUse) {
        if (inUse) {
            return std::nullopt;
        }
        return std::optional<Claim>{std::in_place, inUse};
    }

    bool readingInUse_ = false;
    bool writingInUse_ = false;
};
