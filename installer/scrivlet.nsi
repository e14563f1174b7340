; Scrivlet's installer, one per architecture. makensis is given:
;   -DVERSION=x.y.z    the program's version (from CMakeLists.txt)
;   -DARCH=win64|win32 which program the installer carries
;   -DEXE=<file>       the program file, installed as Scrivlet.exe
;   -DICONDIR=<folder> the folder holding the four icon files
;   -DOUTFILE=<file>   the installer to write
Unicode true
!if "${ARCH}" == "win64"
  Target amd64-unicode
!else if "${ARCH}" == "win32"
  Target x86-unicode
!else
  !error "ARCH must be win64 or win32"
!endif

!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrivlet"
!define LOCATION_KEY "Software\Scrivlet\Location"
!define PUBLISHER "The Scrivlet developers"

Name "Scrivlet"
Caption "Scrivlet ${VERSION} Setup"
OutFile "${OUTFILE}"
; Per user, without administrator rights: the note saves the user's text files into its own
; folder, which must therefore be the user's to write (Program Files is not, and the manifest's
; asInvoker turns off the file virtualisation that would hide that).
InstallDir "$LOCALAPPDATA\Programs\Scrivlet"
RequestExecutionLevel user
; No file times in the installer: the same sources give the same installer byte for byte
; (makensis writes no other date; the PE time stamp is that of its stub, fixed per NSIS build).
SetDateSave off
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Scrivlet"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Scrivlet ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT License"

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A running note holds its program file, which can then be neither replaced nor removed:
; stop before anything has changed, with an exit code that tells a silent caller so.
!macro StopWhileRunning what
  Delete "$INSTDIR\Scrivlet.exe"
  ${If} ${FileExists} "$INSTDIR\Scrivlet.exe"
    MessageBox MB_OK|MB_ICONSTOP "Scrivlet is still running. Close every note, then ${what}." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
!macroend

; Start menu, uninstall entry and location all belong to the user who installs. HKCU\Software is
; shared by the 32- and 64-bit registry views, so either installer replaces the other's entry.
Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Scrivlet"
  !insertmacro StopWhileRunning "run the setup again"
  SetOutPath "$INSTDIR"
  File "/oname=Scrivlet.exe" "${EXE}"
  File "${ICONDIR}/note.ico"
  File "${ICONDIR}/sizegrip.ico"
  File "${ICONDIR}/close.ico"
  File "${ICONDIR}/min.ico"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Scrivlet.lnk" "$INSTDIR\Scrivlet.exe" "" "$INSTDIR\Scrivlet.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Scrivlet"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Scrivlet.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ; The note looks here first: with it, the first start asks for nothing.
  WriteRegStr HKCU "${LOCATION_KEY}" "Location" "$INSTDIR\Scrivlet.exe"
SectionEnd

Section "Uninstall"
  !insertmacro StopWhileRunning "uninstall again"
  Delete "$INSTDIR\note.ico"
  Delete "$INSTDIR\sizegrip.ico"
  Delete "$INSTDIR\close.ico"
  Delete "$INSTDIR\min.ico"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: the note saves the user's own text files into its program folder.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Scrivlet.lnk"

  ; A location the user typed for another copy stays; ours would point at nothing now.
  ; The colours under Software\Scrivlet\Color stay as well.
  ReadRegStr $0 HKCU "${LOCATION_KEY}" "Location"
  ${If} $0 == "$INSTDIR\Scrivlet.exe"
    DeleteRegValue HKCU "${LOCATION_KEY}" "Location"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${LOCATION_KEY}"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Scrivlet"
  ${EndIf}

  ; Last, so that the entry stays listed while anything else is left.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
