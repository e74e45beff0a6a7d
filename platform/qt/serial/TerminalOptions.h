#pragma once

#include <string>

// Asks the (Unix) terminal on descriptor fd to mark characters received with a parity error (on) or
// to stop marking them; true when marking is now on.
bool markParityErrors(int fd, bool on);

// What to do when the user lacks the rights to open device; empty when rights are not the
// problem (the device is busy, say).
std::string permissionAdvice(const std::string& device);
