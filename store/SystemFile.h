#pragma once

// Where the settings store still looks for the system's file calls.
#include "system/SystemFile.h"
