; SPDX-License-Identifier: GPL-3.0-or-later
; SPDX-FileCopyrightText: 2026 Sonavel developers
; The Sonavel installer. The build defines VERSION, ICON, OUTFILE, and INSTALLED and REMOVED,
; the lists of what goes in and comes out, written from the staged program folder.
; A 64-bit installer for a 64-bit program: it runs where the program runs, Wine's 64-bit
; prefix among them, and sees the registry and Program Files as the program does.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sonavel"

Name "Sonavel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Sonavel"
; An update goes where the last installation went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Sonavel"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Sonavel ${VERSION} setup"
VIAddVersionKey "CompanyName" "Sonavel developers"
VIAddVersionKey "LegalCopyright" "2026 Sonavel developers, GNU GPL version 3 or later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\sonavel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Sonavel"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The Start menu entry is for every user of the machine, as Program Files is.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Sonavel"
  !include "${INSTALLED}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Sonavel.lnk" "$INSTDIR\sonavel.exe" "" "$INSTDIR\sonavel.exe" 0 \
    SW_SHOWNORMAL "" "Load a DSP equaliser sentence into a TS-2000 transceiver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Sonavel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Sonavel developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://sonavel.org/"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sonavel.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${INSTALLED_SIZE}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; What the installer put there and nothing else; the settings in HKEY_CURRENT_USER stay, as a
; user's own files do.
Section "Uninstall"
  Delete "$SMPROGRAMS\Sonavel.lnk"
  !include "${REMOVED}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
