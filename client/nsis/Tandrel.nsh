; Tandrel.nsh: asks a question through Tandrel from an NSIS installer.
;
;   Unicode true
;   !include "Tandrel.nsh"
;   ...
;   !insertmacro TandrelAsk "Backup" "Open the log?" 36 10 6 $0
;   !insertmacro TandrelAskByName "Backup" "Open the log?" yesno question yes 10 $0
;
; TandrelAsk TITLE BODY STYLE TIMEOUT DEFID RESULT
;   STYLE is a MessageBox style number (36: MB_YESNO | MB_ICONQUESTION),
;   TIMEOUT the seconds until the box closes by itself (0: never), DEFID the
;   default button's ID (0: the style's own). Numbers are read as NSIS's
;   IntOp reads them (0x for hexadecimal, a leading 0 for octal) and sent as
;   32-bit decimal numbers: 4294967295 arrives as 0xFFFFFFFF.
;
; TandrelAskByName TITLE BODY BUTTONS ICON DEFAULT TIMEOUT RESULT
;   the buttons, the icon and the default button by name, as tandrel-ask
;   takes them, in any case:
;   BUTTONS  ok, okcancel, abortretryignore, yesnocancel, yesno, retrycancel,
;            canceltrycontinue
;   ICON     none, error, question, warning, information
;   DEFAULT  ok, cancel, abort, retry, ignore, yes, no, tryagain, continue,
;            help
;   An empty name is the default: ok, none, the style's own default button.
;
; RESULT gets Tandrel's exit code and the error flag is clear: the button
; chosen (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No,
; 10 Try Again, 11 Continue), 32000 when nobody answered in time, 0 when no
; box could be shown or Tandrel could not read the request.
; When nothing was asked, the error flag is set (test it with IfErrors or
; ${If} ${Errors}) and RESULT says why, e.g. 'title: holds "<\TITLE>",
; which would end it there':
;   - a value the request cannot carry, which is never written: a title
;     holding <\TITLE>, <BODY> or <\BODY>, a body holding <\BODY>, or title
;     and body too long for the request's 2048 bytes (942 UTF-16 units
;     together with one-digit numbers; a longer value that NSIS cut to its
;     string length is refused as too long, never sent cut);
;   - a name that is none of those above;
;   - the request file could not be written, or Tandrel could not be
;     started (the program's path is in the reason).
;
; The request is written in UTF-16 to a new file in $TEMP and the program
; is run with the exact command line it expects: "PROGRAM" PATH, the path
; unquoted. Tandrel deletes the file after its run; if it did not run to
; the end, the file is removed here.
;
; The program is ${TANDREL_PROGRAM}: Tandrel.exe beside the installer
; unless defined otherwise before the question, e.g. for a Tandrel.exe
; and Vorlick.dll put into $PLUGINSDIR with File:
;   !define TANDREL_PROGRAM "$PLUGINSDIR\Tandrel.exe"

!ifndef TANDREL_NSH
!define TANDREL_NSH

!ifndef NSIS_UNICODE
  !error "Tandrel.nsh writes UTF-16 requests: put 'Unicode true' before it"
!endif

!include "LogicLib.nsh"
!include "Util.nsh"

!define /ifndef TANDREL_PROGRAM "$EXEDIR\Tandrel.exe"

; The variables of the questions, declared where the first question is.
!macro _TandrelVariables
  !ifndef _TANDREL_VARIABLES
    !define _TANDREL_VARIABLES
    Var /GLOBAL _TandrelTitle
    Var /GLOBAL _TandrelBody
    Var /GLOBAL _TandrelStyle
    Var /GLOBAL _TandrelTimeout
    Var /GLOBAL _TandrelDefId
    Var /GLOBAL _TandrelProgram
    Var /GLOBAL _TandrelWhy   ; why nothing is asked; empty: ask
    Var /GLOBAL _TandrelFile
    Var /GLOBAL _TandrelCode
    Var /GLOBAL _TandrelAt
    Var /GLOBAL _TandrelPiece
  !endif
!macroend

; Sets _TandrelWhy to `FIELD: holds "TAG", REASON` when VALUE holds TAG.
!macro _TandrelRefuseTag VALUE TAG FIELD REASON
  ${If} $_TandrelWhy == ""
    StrLen $_TandrelCode `${TAG}`
    StrCpy $_TandrelAt 0
    StrLen $_TandrelPiece `${VALUE}`
    IntOp $_TandrelPiece $_TandrelPiece - $_TandrelCode
    ${DoWhile} $_TandrelAt <= $_TandrelPiece
      StrCpy $_TandrelFile `${VALUE}` $_TandrelCode $_TandrelAt
      ${If} $_TandrelFile S== `${TAG}`
        StrCpy $_TandrelWhy `${FIELD}: holds "${TAG}", ${REASON}`
        ${Break}
      ${EndIf}
      IntOp $_TandrelAt $_TandrelAt + 1
    ${Loop}
  ${EndIf}
!macroend

; Sets _TandrelWhy when the request would be over 2048 bytes (1024 units,
; tags included): the body is blamed, unless the title alone leaves no room.
!macro _TandrelRefuseLength
  ${If} $_TandrelWhy == ""
    ; The tags take 79 units; _TandrelAt counts all but the body.
    StrLen $_TandrelAt "$_TandrelStyle$_TandrelTimeout$_TandrelDefId$_TandrelTitle"
    IntOp $_TandrelAt $_TandrelAt + 79
    StrLen $_TandrelPiece $_TandrelBody
    IntOp $_TandrelCode $_TandrelAt + $_TandrelPiece
    ${If} $_TandrelCode > 1024
      ${If} $_TandrelAt <= 1024
        IntOp $_TandrelCode 1024 - $_TandrelAt
        StrCpy $_TandrelWhy "body: is $_TandrelPiece UTF-16 units, but beside the title and the numbers at most $_TandrelCode fit"
      ${Else}
        StrLen $_TandrelPiece $_TandrelTitle
        IntOp $_TandrelCode $_TandrelAt - $_TandrelPiece
        IntOp $_TandrelCode 1024 - $_TandrelCode
        StrCpy $_TandrelWhy "title: is $_TandrelPiece UTF-16 units, but at most $_TandrelCode fit"
      ${EndIf}
      StrCpy $_TandrelWhy "$_TandrelWhy (a request holds 2048 bytes, tags included)"
    ${EndIf}
  ${EndIf}
!macroend

; Asks with the values in the variables, unless _TandrelWhy already says
; why not; leaves the exit code, error flag clear, or the reason, error
; flag set.
!macro _TandrelRun
  IntOp $_TandrelStyle $_TandrelStyle + 0
  IntOp $_TandrelTimeout $_TandrelTimeout + 0
  IntOp $_TandrelDefId $_TandrelDefId + 0
  !insertmacro _TandrelRefuseTag $_TandrelTitle "<\TITLE>" title "which would end it there"
  !insertmacro _TandrelRefuseTag $_TandrelTitle "<BODY>" title "where the body would be read from"
  !insertmacro _TandrelRefuseTag $_TandrelTitle "<\BODY>" title "which would be read as the end of the body"
  !insertmacro _TandrelRefuseTag $_TandrelBody "<\BODY>" body "which would end it there"
  !insertmacro _TandrelRefuseLength
  ${If} $_TandrelWhy == ""
    ; The numbers first, then the title, then the body: the reader takes
    ; the first occurrence of each tag, and the tags of earlier fields may
    ; stand anywhere in later ones.
    ClearErrors
    GetTempFileName $_TandrelFile
    FileOpen $_TandrelAt $_TandrelFile w
    FileWriteUTF16LE $_TandrelAt "<STYLE>$_TandrelStyle<\STYLE><TIMEDOUT>$_TandrelTimeout<\TIMEDOUT><DEFID>$_TandrelDefId<\DEFID>"
    FileWriteUTF16LE $_TandrelAt "<TITLE>$_TandrelTitle<\TITLE><BODY>"
    FileWriteUTF16LE $_TandrelAt $_TandrelBody
    FileWriteUTF16LE $_TandrelAt "<\BODY>"
    FileClose $_TandrelAt
    ${If} ${Errors}
    ${OrIf} $_TandrelFile == ""
      StrCpy $_TandrelWhy "the request file cannot be written in $TEMP"
    ${Else}
      ExecWait '"$_TandrelProgram" $_TandrelFile' $_TandrelCode
      ${If} ${Errors}
        StrCpy $_TandrelWhy "$_TandrelProgram cannot be started"
      ${EndIf}
    ${EndIf}
    ${If} $_TandrelFile != ""
    ${AndIf} ${FileExists} $_TandrelFile
      Delete $_TandrelFile
    ${EndIf}
  ${EndIf}
  ${If} $_TandrelWhy == ""
    Push $_TandrelCode
    ClearErrors
  ${Else}
    Push $_TandrelWhy
    SetErrors
  ${EndIf}
!macroend

; Stack: the program, the default ID, the time-out, the style, the body,
; the title; leaves the result.
!macro _TandrelAsk
  !insertmacro _TandrelVariables
  Pop $_TandrelProgram
  Pop $_TandrelDefId
  Pop $_TandrelTimeout
  Pop $_TandrelStyle
  Pop $_TandrelBody
  Pop $_TandrelTitle
  StrCpy $_TandrelWhy ""
  ${CallArtificialFunction} _TandrelRun
!macroend

; Stack: the program, the time-out, the default, the icon, the buttons, the
; body, the title; leaves the result.
!macro _TandrelAskByName
  !insertmacro _TandrelVariables
  Pop $_TandrelProgram
  Pop $_TandrelTimeout
  Pop $_TandrelDefId
  Pop $_TandrelPiece
  Pop $_TandrelStyle
  Pop $_TandrelBody
  Pop $_TandrelTitle
  StrCpy $_TandrelWhy ""
  ${Select} $_TandrelStyle
    ${Case2} "" ok
      StrCpy $_TandrelStyle 0
    ${Case} okcancel
      StrCpy $_TandrelStyle 1
    ${Case} abortretryignore
      StrCpy $_TandrelStyle 2
    ${Case} yesnocancel
      StrCpy $_TandrelStyle 3
    ${Case} yesno
      StrCpy $_TandrelStyle 4
    ${Case} retrycancel
      StrCpy $_TandrelStyle 5
    ${Case} canceltrycontinue
      StrCpy $_TandrelStyle 6
    ${CaseElse}
      StrCpy $_TandrelWhy "buttons: '$_TandrelStyle' is none of ok, okcancel, abortretryignore, yesnocancel, yesno, retrycancel, canceltrycontinue"
  ${EndSelect}
  ${Select} $_TandrelPiece
    ${Case2} "" none
      StrCpy $_TandrelPiece 0
    ${Case} error
      StrCpy $_TandrelPiece 16
    ${Case} question
      StrCpy $_TandrelPiece 32
    ${Case} warning
      StrCpy $_TandrelPiece 48
    ${Case} information
      StrCpy $_TandrelPiece 64
    ${CaseElse}
      ${If} $_TandrelWhy == ""
        StrCpy $_TandrelWhy "icon: '$_TandrelPiece' is none of none, error, question, warning, information"
      ${EndIf}
  ${EndSelect}
  ${Select} $_TandrelDefId
    ${Case} ""
      StrCpy $_TandrelDefId 0
    ${Case} ok
      StrCpy $_TandrelDefId 1
    ${Case} cancel
      StrCpy $_TandrelDefId 2
    ${Case} abort
      StrCpy $_TandrelDefId 3
    ${Case} retry
      StrCpy $_TandrelDefId 4
    ${Case} ignore
      StrCpy $_TandrelDefId 5
    ${Case} yes
      StrCpy $_TandrelDefId 6
    ${Case} no
      StrCpy $_TandrelDefId 7
    ${Case} tryagain
      StrCpy $_TandrelDefId 10
    ${Case} continue
      StrCpy $_TandrelDefId 11
    ${Case} help
      StrCpy $_TandrelDefId 9
    ${CaseElse}
      ${If} $_TandrelWhy == ""
        StrCpy $_TandrelWhy "default: '$_TandrelDefId' is none of ok, cancel, abort, retry, ignore, yes, no, tryagain, continue, help"
      ${EndIf}
  ${EndSelect}
  ${If} $_TandrelWhy == ""
    IntOp $_TandrelStyle $_TandrelStyle | $_TandrelPiece
  ${EndIf}
  ${CallArtificialFunction} _TandrelRun
!macroend

!macro TandrelAsk TITLE BODY STYLE TIMEOUT DEFID RESULT
  Push `${TITLE}`
  Push `${BODY}`
  Push `${STYLE}`
  Push `${TIMEOUT}`
  Push `${DEFID}`
  Push `${TANDREL_PROGRAM}`
  ${CallArtificialFunction} _TandrelAsk
  Pop ${RESULT}
!macroend

!macro TandrelAskByName TITLE BODY BUTTONS ICON DEFAULT TIMEOUT RESULT
  Push `${TITLE}`
  Push `${BODY}`
  Push `${BUTTONS}`
  Push `${ICON}`
  Push `${DEFAULT}`
  Push `${TIMEOUT}`
  Push `${TANDREL_PROGRAM}`
  ${CallArtificialFunction} _TandrelAskByName
  Pop ${RESULT}
!macroend

!endif
