; The uninstaller, uninstall.exe in the program's folder. It is a plain NSIS program rather than
; NSIS's own uninstaller, which hands its work to a copy of itself and ends at once with status 0,
; whatever the copy then does: this one does the work itself, so its status tells whether the
; program is gone. Only its own file and the folder, which it cannot remove while it runs, are
; left to a copy in the temporary folder that waits for it to end. Built by makensis with OUTFILE
; defined.
!include "common.nsh"
!include "FileFunc.nsh"
OutFile "${OUTFILE}"
Caption "${PRODUCT}: uninstall"

Page instfiles

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/remove-after=" $R1
  ${IfNot} ${Errors}
    Call RemoveAfterUninstaller
    Quit
  ${EndIf}
  StrCpy $INSTDIR $EXEDIR
  MessageBox MB_OKCANCEL|MB_ICONQUESTION "Remove ${PRODUCT} from this computer?" \
    /SD IDOK IDOK confirmed
  SetErrorLevel 1
  Quit
  confirmed:
FunctionEnd

Section "Remove"
  Call WaitUntilProgramClosed
  SetShellVarContext current
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\${PROGRAM_FILE}"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  GetTempFileName $0
  Delete $0
  CopyFiles /SILENT "$EXEPATH" "$0.exe"
  System::Call "kernel32::GetCurrentProcessId() i.r1"
  ; /D= comes last and unquoted, whatever the path holds.
  Exec '"$0.exe" /S /remove-after=$1 /D=$INSTDIR'
SectionEnd

; Run from the temporary folder with the process number of the uninstaller in the program's
; folder ($R1): once that has ended, removes its file and the folder, and then this copy.
Function RemoveAfterUninstaller
  System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i $R1) p.r0"  ; SYNCHRONIZE
  ${If} $0 P<> 0
    System::Call "kernel32::WaitForSingleObject(p r0, i -1)"
    System::Call "kernel32::CloseHandle(p r0)"
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete /REBOOTOK "$EXEPATH"
FunctionEnd
