; SPDX-License-Identifier: GPL-3.0-or-later
; SPDX-FileCopyrightText: 2026 Sonavel developers
; The Sonavel installer, built in two runs. With WRITE_UNINSTALLER it is a small program whose
; only work is to write the uninstaller beside itself: an uninstaller carries the version
; information of the program that wrote it, so it says it is the uninstaller. Without, it is
; the installer, given that uninstaller as UNINSTALLER, the licence as LICENCE and INSTALLED,
; the list of what goes in. Both are given VERSION, ICON, OUTFILE and REMOVED, the list of what
; comes out, written from the staged program folder.
; A 64-bit installer for a 64-bit program: it runs where the program runs, Wine's 64-bit
; prefix among them, and sees the registry and Program Files as the program does.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "nsDialogs.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sonavel"
; Where Windows puts programs that one user installs for themself (FOLDERID_UserProgramFiles).
!define USER_PROGRAMS "{5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}"

Name "Sonavel ${VERSION}"
OutFile "${OUTFILE}"
; A user installs for themself without an administrator. Installing for every user is a
; choice, for which the installer asks Windows for an administrator's consent then.
RequestExecutionLevel user

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Sonavel"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Sonavel developers"
VIAddVersionKey "LegalCopyright" "2026 Sonavel developers, GNU GPL version 3 or later"
!ifdef WRITE_UNINSTALLER
VIAddVersionKey "FileDescription" "Sonavel ${VERSION} uninstaller"
VIAddVersionKey "OriginalFilename" "uninstall.exe"
!else
VIAddVersionKey "FileDescription" "Sonavel ${VERSION} setup"
VIAddVersionKey "OriginalFilename" "Sonavel-${VERSION}-setup.exe"
!endif

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!ifdef WRITE_UNINSTALLER
SilentInstall silent

Section
  WriteUninstaller "$EXEDIR\uninstall.exe"
SectionEnd

; An installation for every user is registered under HKEY_LOCAL_MACHINE, one for a single user
; under HKEY_CURRENT_USER; the uninstaller finds which from where its folder is registered.
Function un.onInit
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != $INSTDIR
    SetShellVarContext current
    Return
  ${EndIf}
  SetShellVarContext all
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    StrCpy $0 ""
    ${If} ${Silent}
      StrCpy $0 "/S "
    ${EndIf}
    ClearErrors
    ExecShell "runas" "$EXEPATH" "$0_?=$INSTDIR"
    ${If} ${Errors}
    ${AndIfNot} ${Silent}
      MessageBox MB_ICONSTOP "Sonavel was installed for every user of this computer; removing it needs an administrator's consent, which Windows did not give."
    ${EndIf}
    Quit
  ${EndIf}
FunctionEnd

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; What the installer put there and nothing else. The settings in the registry and the ports
; folder in the user's application data stay, as a user's own files do.
Section "Uninstall"
  Delete "$SMPROGRAMS\Sonavel.lnk"
  Delete "$DESKTOP\Sonavel.lnk"
  !include "${REMOVED}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

!else
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenChosen
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
Page custom UsersPage UsersPageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenChosen
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Sonavel"
!define MUI_FINISHPAGE_RUN_FUNCTION StartSonavel
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Section "Sonavel" Program
  SectionIn RO
  !include "${INSTALLED}"
  SetOutPath "$INSTDIR"
  File "/oname=uninstall.exe" "${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\Sonavel.lnk" "$INSTDIR\sonavel.exe" "" "$INSTDIR\sonavel.exe" 0 \
    SW_SHOWNORMAL "" "Load a DSP equaliser sentence into a TS-2000 transceiver"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Sonavel"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Sonavel developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "https://sonavel.org/"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sonavel.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${INSTALLED_SIZE}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Desktop shortcut" DesktopShortcut
  CreateShortcut "$DESKTOP\Sonavel.lnk" "$INSTDIR\sonavel.exe" "" "$INSTDIR\sonavel.exe" 0 \
    SW_SHOWNORMAL "" "Load a DSP equaliser sentence into a TS-2000 transceiver"
SectionEnd

Var AllUsers
; The folder given with /D, which overrides where the users chosen would put it.
Var Given
; Set when this run was started again with an administrator's consent, after the choices.
Var Chosen
Var JustMe
Var Everyone

; /ALLUSERS installs for every user, /DESKTOP adds the desktop shortcut: a silent installation
; (/S) takes its choices from these.
Function .onInit
  StrCpy $Given $INSTDIR
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ALLUSERS" $1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/DESKTOP" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${DesktopShortcut} ${SF_SELECTED}
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/CHOSEN" $1
  ${IfNot} ${Errors}
    StrCpy $Chosen 1
  ${EndIf}
  ${If} ${Silent}
    Call AskForAdministrator
  ${EndIf}
  Call PlaceForUsers
FunctionEnd

; Every user's programs go into Program Files, one user's into their own programs folder; an
; update goes where the last installation for the same users went.
Function PlaceForUsers
  ${If} $AllUsers == 1
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\Sonavel"
  ${Else}
    SetShellVarContext current
    GetKnownFolderPath $INSTDIR ${USER_PROGRAMS}
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs"
    ${EndIf}
    StrCpy $INSTDIR "$INSTDIR\Sonavel"
  ${EndIf}
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
  ${If} $Given != ""
    StrCpy $INSTDIR $Given
  ${EndIf}
FunctionEnd

; Installing for every user needs an administrator. Without one, Windows is asked to start the
; installer again with one, with the choices made, and this run ends.
Function AskForAdministrator
  ${If} $AllUsers != 1
    Return
  ${EndIf}
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    Return
  ${EndIf}
  StrCpy $1 "/ALLUSERS /CHOSEN"
  ${If} ${Silent}
    StrCpy $1 "/S $1"
  ${EndIf}
  ${If} ${SectionIsSelected} ${DesktopShortcut}
    StrCpy $1 "$1 /DESKTOP"
  ${EndIf}
  ClearErrors
  ExecShell "runas" "$EXEPATH" "$1"
  ${If} ${Errors}
  ${AndIfNot} ${Silent}
    MessageBox MB_ICONSTOP "Installing Sonavel for every user of this computer needs an administrator's consent, which Windows did not give. Choose to install it only for you instead."
    Abort
  ${EndIf}
  Quit
FunctionEnd

Function SkipWhenChosen
  ${If} $Chosen == 1
    Abort
  ${EndIf}
FunctionEnd

Function UsersPage
  Call SkipWhenChosen
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom to install Sonavel."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 24u "Only for &me, into my own programs folder: no administrator is needed"
  Pop $JustMe
  ${NSD_CreateRadioButton} 0 30u 100% 24u "For &every user of this computer, into Program Files: Windows asks for an administrator's consent"
  Pop $Everyone
  ${If} $AllUsers == 1
    ${NSD_Check} $Everyone
  ${Else}
    ${NSD_Check} $JustMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function UsersPageLeave
  ${NSD_GetState} $Everyone $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call AskForAdministrator
  Call PlaceForUsers
FunctionEnd

; Sonavel is never started with the rights the installer may hold for every user's
; installation: with an administrator's, Explorer starts it, as the user.
Function StartSonavel
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\sonavel.exe"'
  ${Else}
    Exec '"$INSTDIR\sonavel.exe"'
  ${EndIf}
FunctionEnd

!endif
