#pragma once

#include "controls/ComboBox.h"
#include "controls/NoticeBox.h"
#include "controls/TextBox.h"
#include "parts/FileSlots.h"
#include "platform/EventLoop.h"
#include "platform/FileDialog.h"
#include "sentence/HexDigits.h"

// Sentence files: Open loads the last line of a file, Save appends the sentence box to one.
class SentenceFiles {
public:
    struct Controls {
        ComboBox& sampleSelector;
        TextBox& sentenceBox;
        HexDigits& digitStore;
    };

    SentenceFiles(Controls controls, FileDialog& dialog, EventLoop& eventLoop, NoticeBox& notices);

    void openPressed();
    void savePressed();

private:
    Controls controls_;
    FileDialog& dialog_;
    EventLoop& eventLoop_;
    NoticeBox& notices_;
    FileSlots slots_;
};
