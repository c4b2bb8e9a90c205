; An example installer that asks through Tandrel: a question by name with a
; time-out, and, if it was answered Yes, a notice by style number. Build it
; beside Tandrel.nsh with makensis example.nsi, and run TandrelExample.exe
; from the folder that holds Tandrel.exe and Vorlick.dll.
;
; It ends with the question's answer as its exit code (6 Yes, 7 No, 32000
; nobody answered in time, 0 no box shown), or 65 when Tandrel could not
; ask (the reason is in the details). The texts and numbers below may be
; given on makensis's command line instead, e.g. makensis -DTIMEOUT=5.

Unicode true
!include "LogicLib.nsh"
!include "Tandrel.nsh"

!define /ifndef TITLE "Example setup"
!define /ifndef QUESTION "Install the optional tools as well?"
!define /ifndef TIMEOUT 30
!define /ifndef NOTICE "The optional tools will be installed."
!define /ifndef NOTICE_STYLE 64   ; MB_OK | MB_ICONINFORMATION
!define /ifndef NOTICE_DEFID 1    ; OK

Name "Tandrel example"
OutFile "TandrelExample.exe"
RequestExecutionLevel user
ShowInstDetails show

Section
  ; The buttons, the icon and the default by name, as tandrel-ask takes
  ; them: Yes and No, a question mark, No the default.
  !insertmacro TandrelAskByName "${TITLE}" "${QUESTION}" yesno question no ${TIMEOUT} $0
  ${If} ${Errors}
    DetailPrint "Tandrel could not ask: $0"
    SetErrorLevel 65
    Return
  ${EndIf}
  ${Select} $0
    ${Case} 6
      DetailPrint "Yes: the optional tools are installed."
      ; The same by number: a MessageBox style, the time-out, the default ID.
      !insertmacro TandrelAsk "${TITLE}" "${NOTICE}" ${NOTICE_STYLE} ${TIMEOUT} ${NOTICE_DEFID} $1
    ${Case} 7
      DetailPrint "No: the optional tools are left out."
    ${Case} 32000
      DetailPrint "Nobody answered in time: the optional tools are left out."
    ${CaseElse}
      DetailPrint "No box was shown (exit code $0): the optional tools are left out."
  ${EndSelect}
  SetErrorLevel $0
SectionEnd
