#pragma once

#include "platform/EventLoop.h"

class QtEventLoop : public EventLoop {
public:
    void yield() override;
    [[noreturn]] void endProgram() override;
};
