# The Windows installer, built with makensis by `cpack --preset
# windows-desktop` (cmake/WindowsCPack.cmake), which defines VERSION, STAGE
# (CPack's staging folder, the zip's files but the portable marker), FILES
# and UNFILES (the File and Delete lines for exactly those files), ICON,
# SIZE_KB and OUTFILE.
#
# It installs for the current user alone, into $LOCALAPPDATA\Programs, so a
# standard user needs no administrator. /S installs and uninstalls silently.

Unicode true
# A 64-bit installer: the default 32-bit stub does not run where Windows (or
# Wine) has no 32-bit side.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define APP_NAME "QRV Edit Data"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\qrv-edit"
!define SHORTCUT "$SMPROGRAMS\${APP_NAME}.lnk"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\${APP_NAME}"
# An installer run over an earlier install offers that install's folder, so
# that it replaces it rather than making a second copy.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
LicenseData "${STAGE}/LICENSE.txt"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP_NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${APP_NAME} installer"
VIAddVersionKey "LegalCopyright" "2026 The QRV Edit Data developers (Expat licence)"

# Windows does not replace a program file or DLL that is in use: an
# installer or uninstaller run while the program runs would stop half-way
# (or leave a mix of two versions). Asks the clerk to close it first; a
# silent run gives up with exit status 2 and changes nothing.
!macro REFUSE_WHILE_RUNNING UN
Function ${UN}RefuseWhileRunning
    retry:
    ClearErrors
    IfFileExists "$INSTDIR\qrv-edit.exe" 0 done
    # A running program's file cannot be opened for writing.
    FileOpen $0 "$INSTDIR\qrv-edit.exe" a
    IfErrors 0 closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${APP_NAME} is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    closed:
    FileClose $0
    done:
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    SetShellVarContext current
    Call RefuseWhileRunning
    !include "${FILES}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\qrv-edit.exe" "" "$INSTDIR\qrv-edit.exe" 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qrv-edit.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The QRV Edit Data developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

# Removes what the installer wrote, file by file, so that other files in a
# folder the user chose stay. What the program itself keeps goes too: its
# remembered folder and its letter folder, which is empty once no window is
# open (a window deletes its letter file when it closes).
Section "Uninstall"
    SetShellVarContext current
    Call un.RefuseWhileRunning
    Delete "${SHORTCUT}"
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    # The folder above, which the installer made where it was missing (the
    # folder of per-user programs, or C:\Payroll of C:\Payroll\QRV), goes
    # when nothing else is in it.
    RMDir "$INSTDIR\.."
    RMDir "$LOCALAPPDATA\Programs"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\qrv-edit"
    RMDir "$LOCALAPPDATA\qrv-edit"
SectionEnd
