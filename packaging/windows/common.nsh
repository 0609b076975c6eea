; What the installer and the uninstaller share: the names, the places, and the check that the
; program is not running from the folder they are about to change.
Unicode true
; 64-bit programs for the 64-bit program (and Wine without its 32-bit half runs them).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ShowInstDetails nevershow
; The files keep no build times, so every build of one source gives the same bytes.
SetDateSave off

!include LogicLib.nsh

!define PRODUCT "Quimo's Flurb Cards"
!define PROGRAM_FILE "flurb-cards.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\FlurbCards"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"

; Windows keeps a running program's file open, so the file cannot be opened for writing while the
; program runs from $INSTDIR, and then it could be neither replaced nor removed. Asks the parent to
; close the program; with Cancel, or silently with nobody to ask, ends with status 2 before
; anything has changed.
Function WaitUntilProgramClosed
  ${DoWhile} ${FileExists} "$INSTDIR\${PROGRAM_FILE}"
    ClearErrors
    FileOpen $0 "$INSTDIR\${PROGRAM_FILE}" a
    ${IfNot} ${Errors}
      FileClose $0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is open. Close its window (Alt+F4), then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Abort "${PRODUCT} is open: nothing was changed."
    retry:
  ${Loop}
FunctionEnd
