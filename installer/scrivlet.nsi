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
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrivlet"
!define LOCATION_KEY "Software\Scrivlet\Location"
!define PUBLISHER "The Scrivlet developers"

Name "Scrivlet"
Caption "Scrivlet ${VERSION} Setup"
OutFile "${OUTFILE}"
; The note's own setup search knows "C:\Program Files\Scrivlet\"; $PROGRAMFILES64 is that
; folder for the x86 installer on 64-bit Windows too (where $PROGRAMFILES is the (x86) one).
InstallDir "$PROGRAMFILES64\Scrivlet"
RequestExecutionLevel admin
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

; On 64-bit Windows the x86 installer keeps its Add/Remove Programs entry in the system's own
; registry view, where the x64 installer keeps it: installing one over the other replaces the
; entry instead of listing Scrivlet twice.
!macro UseNativeRegistryView
  !if "${ARCH}" == "win32"
    ${If} ${RunningX64}
      SetRegView 64
    ${EndIf}
  !endif
!macroend

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

Function .onInit
  !insertmacro UseNativeRegistryView
  SetShellVarContext all
FunctionEnd

Function un.onInit
  !insertmacro UseNativeRegistryView
  SetShellVarContext all
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

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Scrivlet"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Scrivlet.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

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
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
