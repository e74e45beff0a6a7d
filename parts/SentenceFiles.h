// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/ComboBox.h"
#include "controls/NoticeBox.h"
#include "parts/FileSlots.h"
#include "parts/Sentence.h"
#include "platform/EventLoop.h"
#include "platform/FileDialog.h"
#include "platform/SerialPort.h"

// Sentence files: Open loads the last line of a file, Save appends the sentence shown to one.
class SentenceFiles {
public:
    // The port only tells whether a send could bring accepted edits into the box before a Save.
    SentenceFiles(ComboBox& sampleSelector, Sentence& sentence, FileDialog& dialog,
                  EventLoop& eventLoop, const SerialPort& port, NoticeBox& notices);

    void openPressed();
    void savePressed();

private:
    ComboBox& sampleSelector_;
    Sentence& sentence_;
    FileDialog& dialog_;
    EventLoop& eventLoop_;
    const SerialPort& port_;
    NoticeBox& notices_;
    FileSlots slots_;
};
