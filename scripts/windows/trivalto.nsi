# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer (makensis, from scripts/windows-gui.sh). Defines given on the command line:
#   VERSIONE   the program's version
#   SORGENTE   the installation tree: bin\ (programs, qt.conf, translations\), share\trivalto\
#              (bundled archive, help pages), LICENSE.txt
#   ELENCO     a generated file of the uninstaller's Delete/RMDir lines, one per installed file
#   USCITA     the installer to write
# The layout is the Linux package's: an installed copy finds share\trivalto beside bin\ and writes
# only in the user's own data folder (%APPDATA%\Trivalto), which the uninstaller leaves alone.
# A 64-bit installer, as the program: it also runs under a Wine without 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define CHIAVE_DISINSTALLA "Software\Microsoft\Windows\CurrentVersion\Uninstall\Trivalto"

Name "Trivalto"
OutFile "${USCITA}"
InstallDir "$PROGRAMFILES64\Trivalto"
InstallDirRegKey HKLM "Software\Trivalto" "Cartella"
RequestExecutionLevel admin
BrandingText "Trivalto ${VERSIONE}"
VIProductVersion "${VERSIONE}.0"
VIAddVersionKey /LANG=1040 "ProductName" "Trivalto"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di Trivalto"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSIONE}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSIONE}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\trivalto.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Avvia Trivalto"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${SORGENTE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Trivalto" SezioneProgramma
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${SORGENTE}\LICENSE.txt"
  SetOutPath "$INSTDIR\bin"
  File /r "${SORGENTE}\bin\*.*"
  SetOutPath "$INSTDIR\share\trivalto"
  File /r "${SORGENTE}\share\trivalto\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Disinstalla.exe"

  CreateDirectory "$SMPROGRAMS\Trivalto"
  CreateShortcut "$SMPROGRAMS\Trivalto\Trivalto.lnk" "$INSTDIR\bin\trivalto.exe"
  CreateShortcut "$SMPROGRAMS\Trivalto\Disinstalla Trivalto.lnk" "$INSTDIR\Disinstalla.exe"

  WriteRegStr HKLM "Software\Trivalto" "Cartella" "$INSTDIR"
  WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "DisplayName" "Trivalto"
  WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "DisplayVersion" "${VERSIONE}"
  WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "Publisher" "Trivalto"
  WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "DisplayIcon" "$INSTDIR\bin\trivalto.exe"
  WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "UninstallString" '"$INSTDIR\Disinstalla.exe"'
  WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "QuietUninstallString" '"$INSTDIR\Disinstalla.exe" /S'
  WriteRegDWORD HKLM "${CHIAVE_DISINSTALLA}" "NoModify" 1
  WriteRegDWORD HKLM "${CHIAVE_DISINSTALLA}" "NoRepair" 1
  WriteRegDWORD HKLM "${CHIAVE_DISINSTALLA}" "EstimatedSize" ${DIMENSIONE_KB}
SectionEnd

Section "Collegamento sul desktop" SezioneDesktop
  CreateShortcut "$DESKTOP\Trivalto.lnk" "$INSTDIR\bin\trivalto.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SezioneProgramma} "Il programma, la riga di comando, l'archivio delle estrazioni e le pagine della guida."
  !insertmacro MUI_DESCRIPTION_TEXT ${SezioneDesktop} "Un collegamento a Trivalto sul desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  # Only the files the installer wrote: the folder may have been chosen with other files in it.
  !include "${ELENCO}"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Disinstalla.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Trivalto\Trivalto.lnk"
  Delete "$SMPROGRAMS\Trivalto\Disinstalla Trivalto.lnk"
  RMDir "$SMPROGRAMS\Trivalto"
  Delete "$DESKTOP\Trivalto.lnk"
  DeleteRegKey HKLM "${CHIAVE_DISINSTALLA}"
  DeleteRegKey HKLM "Software\Trivalto"
SectionEnd
