; The Windows installer: the program, its read-me and licence for the current user (no
; administrator rights needed), a Start-menu entry and an uninstaller listed among the installed
; apps. Built by makensis with PROGRAM, UNINSTALLER, README, LICENSE, VERSION and OUTFILE defined.
!include "common.nsh"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Flurb Cards"

Page directory
Page instfiles

Section "Flurb Cards"
  Call WaitUntilProgramClosed
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=${PROGRAM_FILE}" "${PROGRAM}"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  File "/oname=uninstall.exe" "${UNINSTALLER}"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\${PROGRAM_FILE}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Flurb Cards developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_FILE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd
