// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/ComboBox.h"
#include "controls/NoticeBox.h"
#include "parts/FileSlots.h"
#include "parts/Sentence.h"
#include "platform/EventLoop.h"
#include "platform/FileDialog.h"

// Sentence files: Open loads the last line of a file, Save appends the sentence shown to one.
class SentenceFiles {
public:
    SentenceFiles(ComboBox& sampleSelector, Sentence& sentence, FileDialog& dialog,
                  EventLoop& eventLoop, NoticeBox& notices);

    void openPressed();
    void savePressed();

private:
    ComboBox& sampleSelector_;
    Sentence& sentence_;
    FileDialog& dialog_;
    EventLoop& eventLoop_;
    NoticeBox& notices_;
    FileSlots slots_;
};
