// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/ConfigFolder.h"
#include "system/SystemFile.h"

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
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string path(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, path.data(), size, nullptr, nullptr);
    CoTaskMemFree(wide);
    return {path, {}};
}
