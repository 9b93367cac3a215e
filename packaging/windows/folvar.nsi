; SPDX-FileCopyrightText: 2026 folvar developers
; SPDX-License-Identifier: GPL-3.0-or-later
; The folvar installer. With administrator's rights it puts folvar.exe under
; Program Files for every user, otherwise in the user's own programs folder;
; it adds a Start-menu entry and an uninstaller that Windows lists under
; "Apps and features". Installing again goes over the earlier installation,
; in its folder and for its users, unless /D= names another folder; then the
; earlier one is removed first, so there is only ever one. /S installs, and
; uninstalls, without a question; a refusal ends with exit status 2.
; makensis -DVERSION=1.0.0 -DBUILD=build-windows -DSOURCE=. folvar.nsi
Target amd64-unicode
ManifestDPIAware true
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\folvar"
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_INSTDIR folvar
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INSTALLMODE_FUNCTION keepFolderGiven
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "Для этого нужны права администратора."
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "${MULTIUSER_INIT_TEXT_ADMINREQUIRED}"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE \
    "Установить folvar для всех пользователей можно только с правами администратора."
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include WinVer.nsh

; Qt 6 needs Windows 10 1809.
!define OLDEST_BUILD 17763
!define REFUSED 2
!define ERROR_SHARING_VIOLATION 32

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

; The finish page offers no start of folvar: started by the installer it would
; have the installer's administrator's rights, and a document it made would
; then be refused to every normal run.
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Var folderGiven

!macro refuse MESSAGE
    MessageBox MB_OK|MB_ICONSTOP "${MESSAGE}" /SD IDOK
    SetErrorLevel ${REFUSED}
    Quit
!macroend

; Waits, asking the user, until no folvar.exe in the folder in $0 runs: a
; running program's file cannot be opened for writing. It never closes
; folvar itself, which would lose what is typed in its window.
!macro defineWaitUntilClosed PREFIX
Function ${PREFIX}waitUntilClosed
    retry:
    System::Call 'kernel32::CreateFileW(w "$0\folvar.exe", i 0x40000000, i 7, p 0, i 3, i 0x80, p 0) p.r1 ?e'
    Pop $2
    ${If} $1 != -1
        System::Call 'kernel32::CloseHandle(p r1)'
    ${ElseIf} $2 = ${ERROR_SHARING_VIOLATION}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "folvar запущен из папки $0. Закройте его окно и нажмите «Повтор»." \
            /SD IDCANCEL IDRETRY retry
        !insertmacro refuse "folvar не изменён: он ещё запущен."
    ${EndIf}
FunctionEnd
!macroend
!insertmacro defineWaitUntilClosed ""
!insertmacro defineWaitUntilClosed "un."

; An earlier installation in another folder, or for other users, is removed
; by its own uninstaller before this one is made.
!macro removeOther ROOT MODE
    ReadRegStr $0 ${ROOT} "${UNINSTALL_KEY}" InstallLocation
    ${If} $0 != ""
    ${AndIf} "$0 ${MODE}" != "$INSTDIR $MultiUser.InstallMode"
        Call waitUntilClosed
        ${If} ${FileExists} "$0\uninstall.exe"
            ExecWait '"$0\uninstall.exe" /S /${MODE} _?=$0' $1
            ${If} $1 != 0
                !insertmacro refuse "Не удалось удалить прежнюю установку folvar из папки $0."
            ${EndIf}
            Delete "$0\uninstall.exe"
            RMDir "$0"
        ${EndIf}
        DeleteRegKey ${ROOT} "${UNINSTALL_KEY}"
    ${EndIf}
!macroend

Function .onInit
    ${IfNot} ${AtLeastBuild} ${OLDEST_BUILD}
        !insertmacro refuse "folvar работает в Windows 10 версии 1809 и более новых."
    ${EndIf}
    ; NSIS puts /D= in $INSTDIR before this; the install mode would overwrite it.
    StrCpy $folderGiven $INSTDIR
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function keepFolderGiven
    ${IfThen} $folderGiven != "" ${|} StrCpy $INSTDIR $folderGiven ${|}
FunctionEnd

Function un.onInit
    ; A removal for all users without the rights for it asks Windows for them.
    UserInfo::GetAccountType
    Pop $0
    ${un.GetParameters} $1
    ${UnStrStr} $2 $1 "/AllUsers"
    ${If} $2 != ""
    ${AndIf} $0 != "Admin"
        ClearErrors
        ExecShell /ALLOWERRORUI "runas" "$EXEPATH" "$1 _?=$INSTDIR"
        ${If} ${Errors}
            !insertmacro refuse \
                "Удалить folvar, установленный для всех пользователей, можно только с правами администратора."
        ${EndIf}
        Quit
    ${EndIf}
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "folvar"
    StrCpy $0 $INSTDIR
    Call waitUntilClosed
    !insertmacro removeOther HKLM AllUsers
    !insertmacro removeOther HKCU CurrentUser
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
    StrCpy $0 $INSTDIR
    Call un.waitUntilClosed
    Delete "$SMPROGRAMS\folvar.lnk"
    Delete "$INSTDIR\folvar.exe"
    Delete "$INSTDIR\NOTICES.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
