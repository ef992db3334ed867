# shellcheck shell=bash
# Picks the Wine loader for a program; sourced by scripts/wine-run and scripts/lib/desktop.sh.
#
#   wine_loader PROGRAM    prints the command that runs PROGRAM under Wine
#
# Once the 32-bit Wine (wine32) is installed, Debian's wine command runs every program
# with the 32-bit loader, which starts a 64-bit program as a separate process: waiting
# for the program or finding its windows by process id would then miss it. So a 64-bit
# program gets the 64-bit loader directly; everything else goes through wine.
wine_loader() {  # PROGRAM
    local loader64=/usr/lib/wine/wine64 header machine
    if [ -x "$loader64" ] && [ -f "$1" ]; then
        # A PE file names its machine 4 bytes after the offset stored at byte 60: 8664 is x64.
        header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
        machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
        if [ "$machine" = 8664 ]; then
            echo "$loader64"
            return
        fi
    fi
    echo wine
}
