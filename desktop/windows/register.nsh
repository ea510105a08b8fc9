; Offers Tachlet in Explorer's "Open with" for .gtp files, beside the program
; that owns the type (PASS), whose default is never touched. SHCTX is the
; machine's part of the registry for an install for all users, the user's
; otherwise; Software\Classes there is HKEY_CLASSES_ROOT's.
WriteRegStr SHCTX "Software\Classes\Tachlet.RunFile" "" "PASS run file"
WriteRegStr SHCTX "Software\Classes\Tachlet.RunFile\DefaultIcon" "" "$INSTDIR\tachlet.exe,0"
WriteRegStr SHCTX "Software\Classes\Tachlet.RunFile\shell\open\command" "" '"$INSTDIR\tachlet.exe" "%1"'
WriteRegStr SHCTX "Software\Classes\.gtp\OpenWithProgids" "Tachlet.RunFile" ""
WriteRegStr SHCTX "Software\Classes\Applications\tachlet.exe\SupportedTypes" ".gtp" ""
