#pragma once

// Which of the two file slots an Open or Save holds: reading slot 1, writing slot 2.
struct FileSlots {
    bool readingInUse = false;
    bool writingInUse = false;
};
