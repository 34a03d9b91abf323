#!/bin/sh
# Checks what a plug-in library exports and, for Windows, which DLLs it needs.
#   check_exports.sh LIBRARY [OBJDUMP]
# A Linux library exports exactly main and VSTPluginMain; a Windows DLL
# exports exactly main and imports only libraries that come with Windows.
set -u
library=$1
objdump=${2:-objdump}
failed=0

case "$library" in
*.dll)
    exports=$("$objdump" -p "$library" |
        awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^[ \t]*\[/ {print $NF; next} on {on=0}' |
        sort | tr '\n' ' ')
    if [ "$exports" != "main " ]; then
        echo "FAIL: $library exports [$exports], expected exactly [main]"
        failed=1
    else
        echo "ok: $library exports only main"
    fi
    imports=$("$objdump" -p "$library" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
    for dll in $imports; do
        case "$dll" in
        kernel32.dll | user32.dll | gdi32.dll | shell32.dll | msvcrt.dll | advapi32.dll | ole32.dll) ;;
        *)
            echo "FAIL: $library needs $dll, which Windows does not bring"
            failed=1
            ;;
        esac
    done
    [ $failed = 0 ] && echo "ok: imports are system libraries only: $(echo $imports | tr '\n' ' ')"
    ;;
*)
    exports=$(nm -D --defined-only "$library" | awk '{print $NF}' | sort | tr '\n' ' ')
    if [ "$exports" != "VSTPluginMain main " ]; then
        echo "FAIL: $library exports [$exports], expected exactly [VSTPluginMain main]"
        failed=1
    else
        echo "ok: $library exports only main and VSTPluginMain"
    fi
    ;;
esac
exit $failed
