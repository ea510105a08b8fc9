; Takes back what register.nsh wrote and only that: the type's other entries
; (PASS's) stay, and .gtp goes only when nothing else is left in it.
DeleteRegValue SHCTX "Software\Classes\.gtp\OpenWithProgids" "Tachlet.RunFile"
DeleteRegKey /ifempty SHCTX "Software\Classes\.gtp\OpenWithProgids"
DeleteRegKey /ifempty SHCTX "Software\Classes\.gtp"
DeleteRegKey SHCTX "Software\Classes\Tachlet.RunFile"
DeleteRegKey SHCTX "Software\Classes\Applications\tachlet.exe"
