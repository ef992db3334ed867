# shellcheck shell=bash
# Picks the Wine loader for a program, and finds out whether this machine runs 32-bit x86
# programs at all; sourced by scripts/install-deps, scripts/test, scripts/wine-run and
# scripts/lib/desktop.sh.
#
#   wine_loader PROGRAM    prints the command that runs PROGRAM under Wine
#   wine_tool              prints the command that runs Wine's own programs (wineboot,
#                          reg, regedit, cmd, winepath) and so sets up a prefix
#   i386_programs_run      true when a 32-bit x86 program runs here; otherwise false,
#                          with the reason in i386_problem
#   package_installed NAME true when the Debian package NAME (wine32:i386, say) is installed
#
# Once the 32-bit Wine (wine32) is installed, Debian's wine command (and wineboot, reg and
# the like, which call it) runs every program with the 32-bit loader. That loader starts
# a 64-bit program as a separate process, so waiting for the program or finding its
# windows by process id would miss it; and on a kernel that runs no 32-bit programs it
# does not start at all. So 64-bit programs, Wine's own included, get the 64-bit loader
# directly wherever it is installed; only 32-bit programs go through wine.
wine_loader64=/usr/lib/wine/wine64

wine_loader() {  # PROGRAM
    local header machine
    if [ -x "$wine_loader64" ] && [ -f "$1" ]; then
        # A PE file names its machine 4 bytes after the offset stored at byte 60: 8664 is x64.
        header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
        machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
        if [ "$machine" = 8664 ]; then
            echo "$wine_loader64"
            return
        fi
    fi
    echo wine
}

wine_tool() {
    if [ -x "$wine_loader64" ]; then
        echo "$wine_loader64"
    else
        echo wine
    fi
}

package_installed() {  # NAME
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Some kernels are built without 32-bit emulation, whatever the processor can do, so
# the only sure answer is to run one: a static 32-bit program of 91 bytes that exits
# with 0, and, once the i386 C library is installed, its loader (which wine32 needs).
i386_problem=
i386_programs_run() {
    if [ -z "${i386_answer:-}" ]; then
        local probe error
        probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX")
        {
            # The ELF header: an i386 executable entered at 0x08048054, one program header.
            printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0'
            printf '\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0'
            # The program header: the whole file loaded at 0x08048000, readable and executable.
            printf '\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\133\0\0\0\133\0\0\0\5\0\0\0\0\020\0\0'
            # The code: xor ebx,ebx; xor eax,eax; inc eax; int 0x80 (exit with status ebx).
            printf '\061\333\061\300\100\315\200'
        } >"$probe"
        chmod +x "$probe"
        i386_answer=yes
        if ! error=$("$probe" 2>&1); then
            i386_answer=no
        elif [ -e /lib/ld-linux.so.2 ] && ! error=$(/lib/ld-linux.so.2 --help 2>&1 >/dev/null); then
            i386_answer=no
        fi
        rm -f "$probe"
        if [ "$i386_answer" = no ]; then
            # bash says "...: cannot execute binary file: Exec format error".
            i386_problem="this machine cannot run 32-bit x86 programs (${error##*: })"
            [ -n "$error" ] || i386_problem="this machine cannot run 32-bit x86 programs"
        fi
    fi
    [ "$i386_answer" = yes ]
}
