; The example suite's setup program: a real installer that Quorvantel.exe
; drives silently. It reads the options Quorvantel hands on,
;   /S        silent (the installer framework's own switch)
;   /L=e|g    language of the tools' settings
;   /SO=i|c   save option: client settings per user or central
;   /T=...    tools: c configuration, b bug reporter, d data transfer,
;             f firmware update (either case)
;   /D=dir    target directory, to the end of the command line
; installs a folder per chosen tool with its settings file, and writes one
; line per problem to C:\Temp\errorFile.txt, which it leaves empty when all
; went well.
;
; makensis -DTARGET=amd64-unicode|x86-unicode -DOUTFILE=setup.exe suite.nsi

Unicode true
!ifndef TARGET
  !define TARGET amd64-unicode
!endif
!ifndef OUTFILE
  !define OUTFILE setup.exe
!endif
Target ${TARGET}

Name "Client Tools Suite"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$PROGRAMFILES\Client Tools"
ShowInstDetails nevershow
SetCompressor /SOLID lzma

!include FileFunc.nsh
!include LogicLib.nsh

!define ERROR_FILE "C:\Temp\errorFile.txt"

Var ToolLanguage
Var SaveOption
Var Tools
Var ErrorFile

; Appends one problem line to the error file.
!macro Problem text
  FileWrite $ErrorFile "${text}$\r$\n"
!macroend

; Installs one tool: its folder and its settings file.
!macro InstallTool folder
  CreateDirectory "$INSTDIR\${folder}"
  WriteINIStr "$INSTDIR\${folder}\settings.ini" "Settings" "Language" $ToolLanguage
  WriteINIStr "$INSTDIR\${folder}\settings.ini" "Settings" "SaveOption" $SaveOption
!macroend

Section "Tools"
  CreateDirectory "C:\Temp"
  FileOpen $ErrorFile "${ERROR_FILE}" w

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/L=" $ToolLanguage
  ${If} ${Errors}
    StrCpy $ToolLanguage "e"
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/SO=" $SaveOption
  ${If} ${Errors}
    StrCpy $SaveOption "i"
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/T=" $Tools

  ${If} $ToolLanguage != "e"
  ${AndIf} $ToolLanguage != "g"
    !insertmacro Problem "Unknown language: $ToolLanguage"
  ${EndIf}
  ${If} $SaveOption != "i"
  ${AndIf} $SaveOption != "c"
    !insertmacro Problem "Unknown save option: $SaveOption"
  ${EndIf}

  ; StrCmp compares without case, so c and C choose the same tool.
  StrCpy $R1 0
  ${Do}
    StrCpy $R2 $Tools 1 $R1
    ${If} $R2 == ""
      ${Break}
    ${EndIf}
    ${If} $R2 == "c"
      !insertmacro InstallTool "Configuration Tool"
    ${ElseIf} $R2 == "b"
      !insertmacro InstallTool "Bug Reporter"
    ${ElseIf} $R2 == "d"
      !insertmacro InstallTool "Data Transfer Tool"
    ${ElseIf} $R2 == "f"
      !insertmacro InstallTool "Firmware Update Tool"
    ${Else}
      !insertmacro Problem "Unknown tool letter: $R2"
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}

  FileClose $ErrorFile
SectionEnd
