// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/ConfigFolder.h"
#include "system/SystemFile.h"
#include "system/WideText.h"

#include <cwchar>
#include <shlobj.h>
#include <windows.h>

ConfigFolder userConfigFolder() {
    PWSTR wide = nullptr;
    const HRESULT found = SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &wide);
    if (FAILED(found)) {
        CoTaskMemFree(wide);
        return {{},
                "Windows gives no application data folder for this user (" +
                    systemReason(HRESULT_CODE(found)) + ")"};
    }
    std::string path = utf8Text(wide, std::wcslen(wide));
    CoTaskMemFree(wide);
    return {path, {}};
}
