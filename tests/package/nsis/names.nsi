; A test installer on Tandrel.nsh: every name of TandrelAskByName once, in
; varied case; numbers at the edges of 32 bits; and the values the request
; cannot carry. It writes one line per question to answers.txt beside
; itself: the result, or "refused: " and why.

Unicode true
!include "LogicLib.nsh"
!include "Tandrel.nsh"

Name "Tandrel names"
OutFile "names.exe"
RequestExecutionLevel user

Var answers

!macro Answer
  ${If} ${Errors}
    FileWriteUTF16LE $answers "refused: $0$\r$\n"
  ${Else}
    FileWriteUTF16LE $answers "$0$\r$\n"
  ${EndIf}
!macroend

!macro ByName TITLE TEXT BUTTONS ICON DEFAULT
  !insertmacro TandrelAskByName `${TITLE}` `${TEXT}` `${BUTTONS}` `${ICON}` `${DEFAULT}` 0 $0
  !insertmacro Answer
!macroend

!macro ByNumber TITLE TEXT STYLE TIMEOUT DEFID
  !insertmacro TandrelAsk `${TITLE}` `${TEXT}` `${STYLE}` `${TIMEOUT}` `${DEFID}` $0
  !insertmacro Answer
!macroend

; $1 becomes COUNT units of "x".
!macro Units COUNT
  StrCpy $1 ""
  ${For} $2 1 ${COUNT}
    StrCpy $1 "$1x"
  ${Next}
!macroend

Section
  FileOpen $answers "$EXEDIR\answers.txt" w
  !insertmacro ByName "1" "" ok none ok
  !insertmacro ByName "2" "" OKCancel Error Cancel
  !insertmacro ByName "3" "" abortretryignore question abort
  !insertmacro ByName "4" "" yesnocancel WARNING retry
  !insertmacro ByName "5" "" yesno information ignore
  !insertmacro ByName "6" "" retrycancel "" yes
  !insertmacro ByName "7" "" canceltrycontinue none no
  !insertmacro ByName "8" "" "" "" tryagain
  !insertmacro ByName "9" "" ok none continue
  !insertmacro ByName "10" "" ok none help
  !insertmacro ByName "11" "" "" "" ""
  !insertmacro ByNumber "12 <STYLE><TIMEDOUT><DEFID><TITLE>" "<TITLE><BODY>" 4294967295 2147483647 -2147483648
  !insertmacro ByNumber "13" "" 0x24 010 -1
  !insertmacro ByName "refused" "" yes none ok
  !insertmacro ByName "refused" "" ok info ok
  !insertmacro ByName "refused" "" ok none maybe
  !insertmacro ByNumber "a<\TITLE>b" "" 0 0 0
  !insertmacro ByNumber "a<BODY>b" "" 0 0 0
  !insertmacro ByNumber "a<\BODY>b" "" 0 0 0
  !insertmacro ByNumber "refused" "a<\BODY>b" 0 0 0
  !insertmacro Units 942
  !insertmacro ByNumber "" $1 0 0 0
  !insertmacro Units 943
  !insertmacro ByNumber "" $1 0 0 0
  !insertmacro ByNumber $1 "" 0 0 0
  FileClose $answers
SectionEnd
