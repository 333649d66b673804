# Shared set-up of tools/test and tools/run: the packages, both builds, a private Wine prefix
# in a Japanese locale, and a private X display. Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
JOBS=$(nproc 2>/dev/null || echo 2)

# ZUB_WINE_PREFIX may name another (tools/mutate's copy of the tree uses this tree's).
export WINEPREFIX="${ZUB_WINE_PREFIX:-$BUILD/wine}"
export WINEDEBUG=-all
# No Mono or Gecko to install; and no Linux desktop menu entries for the shortcuts that the
# installer tests make, which Wine would write into the home folder outside the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

say() { printf '== %s\n' "$*"; }

# Wine reads the Linux locale for its ANSI code page: ja_JP.UTF-8 gives 932 even where the
# locale is not generated. Only Wine gets it, so the shell does not complain.
wine_env() { env LC_ALL=ja_JP.UTF-8 "$@"; }

ensure_packages() {
    local missing=()
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
    command -v cmake >/dev/null || missing+=(cmake)
    command -v g++ >/dev/null || missing+=(g++)
    command -v python3 >/dev/null || missing+=(python3)
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
    command -v wine >/dev/null || missing+=(wine wine64)
    # Wine's own fonts (Tahoma, Marlett...), which its dialogs expect to find.
    [ -f /usr/share/wine/fonts/marlett.ttf ] || missing+=(fonts-wine)
    command -v Xvfb >/dev/null || missing+=(xvfb xauth)
    command -v import >/dev/null && import -version >/dev/null 2>&1 || missing+=(imagemagick)
    command -v xdotool >/dev/null || missing+=(xdotool)
    fc-list 2>/dev/null | grep -q IPAPGothic || missing+=(fonts-ipafont-gothic)
    command -v locale-gen >/dev/null || missing+=(locales)
    command -v clang-format >/dev/null || missing+=(clang-format)
    # The installer and what makes it the same at every build.
    command -v wixl >/dev/null || missing+=(wixl)
    /usr/bin/python3 -c 'import olefile' 2>/dev/null || missing+=(python3-olefile)
    [ ${#missing[@]} -eq 0 ] || install_packages "${missing[@]}"
}

install_packages() {
    say "installing $*"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

# The files that .clang-format lays out: the C++ sources and headers that git tracks, so that
# neither a build tree nor anything not yet added is touched or judged.
formatted_sources() {
    git -C "$ROOT" ls-files -z -- '*.cpp' '*.h'
}

# Wine takes the ANSI code page from the locale's name, but it names files on the Linux side in
# the locale's character set: without a generated ja_JP.UTF-8 a Japanese file name cannot be
# created at all.
ensure_japanese_locale() {
    locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
    say "generating the ja_JP.UTF-8 locale"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        $sudo sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    elif ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    fi
    $sudo locale-gen >/dev/null
}

configure_and_build() {
    local preset=$1
    [ -f "$BUILD/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
    say "building $preset"
    cmake --build --preset "$preset" -j"$JOBS" 2>&1 | grep -v -E '^\[ *[0-9]+%\]|^-- ' || true
    [ "${PIPESTATUS[0]}" -eq 0 ]
}

# The registry entries that make Wine behave like the Japanese Windows the program is for:
# the Windows font names mapped to the IPA fonts, and no crash dialog to wait on. Xvfb has no
# window manager, so Wine is told not to hand its windows to one: a managed window waits two
# seconds for a window manager each time it is hidden or destroyed.
write_wine_settings() {
    local reg="$BUILD/wine-settings.reg"
    iconv -f UTF-8 -t UTF-16LE > "$reg" <<'REG'
﻿Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
    wine_env wine regedit /S "$(wine_env winepath -w "$reg")" >/dev/null 2>&1
}

# Wine's own fonts, which fonts-wine installs in /usr/share/wine/fonts: Marlett draws the
# caption buttons (without it they read "0 1 r"), Tahoma and the others stand in for Windows'.
# Debian builds Wine 8 to look for them in "<data dir>\../fonts" (the text is in win32u.so),
# where it never finds them, and fontconfig does not list that folder; Wine also reads every
# folder named in HKCU\Software\Wine\Fonts, value Path.
add_wine_own_fonts() {
    wine_env wine reg add 'HKCU\Software\Wine\Fonts' /v Path /t REG_SZ /d 'Z:\usr\share\wine\fonts' /f >/dev/null 2>&1
}

# Raised whenever the settings above or the fonts change, so that older prefixes are made anew.
PREFIX_MARK="$WINEPREFIX/.zub-ready-4"

ensure_wine_prefix() {
    if [ ! -f "$PREFIX_MARK" ]; then
        say "creating the Wine prefix in $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wine_env wineboot --init >/dev/null 2>&1
        wine_env wineserver -w
        write_wine_settings
        add_wine_own_fonts
        wine_env wineserver -w
        touch "$PREFIX_MARK"
    fi
}

XVFB_PID=""

# A display of our own, so that tests neither need nor disturb the user's. ZUB_DISPLAYS may
# name the display numbers to try, for a machine whose numbers are shared out.
start_xvfb() {
    local n
    for n in ${ZUB_DISPLAYS:-$(seq 90 120)}; do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
    done
    echo "no free X display" >&2
    return 1
}

stop_xvfb() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
}

stop_wine() {
    wine_env wineserver -k >/dev/null 2>&1 || true
}

# The screen density Wine reports to programs, in pixels per inch: written to the prefix's
# registry, and taken up by the next wineserver, so the running one is let go first.
set_wine_dpi() {
    local dpi=$1
    wine_env wineserver -w
    wine_env wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wine_env wineserver -w
}
