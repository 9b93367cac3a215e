; SPDX-FileCopyrightText: 2026 folvar developers
; SPDX-License-Identifier: GPL-3.0-or-later
; The folvar installer. With administrator's rights it puts folvar.exe under
; Program Files for every user, otherwise in the user's own programs folder;
; it adds a Start-menu entry and an uninstaller that Windows lists under
; "Apps and features". /S installs, and uninstalls, without a question.
; makensis -DVERSION=1.0.0 -DBUILD=build-windows -DSOURCE=. folvar.nsi
Target amd64-unicode
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_INSTDIR folvar
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!include MultiUser.nsh
!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\folvar"

Name "folvar"
OutFile "${BUILD}\folvar-${VERSION}-setup.exe"
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "folvar"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка folvar"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "folvar developers"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© 2026 folvar developers. GPL-3.0-or-later"
!define MUI_ICON "${SOURCE}\resources\icons\folvar.ico"
!define MUI_UNICON "${SOURCE}\resources\icons\folvar.ico"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\folvar.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "folvar"
    SetOutPath "$INSTDIR"
    File "${BUILD}\folvar.exe"
    File "${BUILD}\NOTICES.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\folvar.lnk" "$INSTDIR\folvar.exe" "" "$INSTDIR\folvar.exe" 0 \
        SW_SHOWNORMAL "" "Доверенность на транспортное средство"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "folvar"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\folvar.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "folvar developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize 0 $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\folvar.lnk"
    Delete "$INSTDIR\folvar.exe"
    Delete "$INSTDIR\NOTICES.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
