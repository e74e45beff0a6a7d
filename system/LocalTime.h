#pragma once

#include <ctime>

// The local time of day and date at time, safe to call from any thread.
std::tm localTime(std::time_t time);
