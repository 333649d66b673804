# The installer under Wine, for tools/test: installed silently into the test prefix, looked
# over, used through the shell as Explorer uses it, replaced by a package of a higher version
# and by another build of that version, and removed again; then installed and removed where
# another program already opens .zrt files. Sourced by tools/test-step, which defines check and
# run_acceptance.
#
# Where Wine differs from Windows (measured with Wine 8 and wixl 0.101), what is checked is the
# place Wine uses: a per-user package's classes (HKCR) go to HKLM\Software\Classes instead of
# the user's HKCU\Software\Classes, and its entry in the list of installed programs to HKLM's
# Uninstall key instead of HKCU's, with the icon under the user's Installer\Products key.

USER_FOLDER="$WINEPREFIX/drive_c/users/$(id -un)"
INSTALLED_DIR="$USER_FOLDER/AppData/Local/Programs/ZUB Runtime Editor"
SHORTCUT="$USER_FOLDER/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ZUB Runtime Editor.lnk"
UNINSTALL_KEY='Software\Microsoft\Windows\CurrentVersion\Uninstall'

# What reg query says of a key in the 64-bit view.
reg_query() {
    wine_env wine reg query "$@" /reg:64 2>/dev/null | tr -d '\r'
}

# The default or named value of a key, as text; more arguments (/s) go to reg query.
reg_value() {
    local key=$1 name=${2:-}
    local which=(/ve)
    [ -n "$name" ] && which=(/v "$name")
    reg_query "$key" "${which[@]}" "${@:3}" | LC_ALL=C sed -n -E 's/^ +[^ ]+ +REG_(SZ|EXPAND_SZ|DWORD) +//p' | head -1
}

# Fails with both values shown unless they are equal.
expect_equal() {
    local what=$1 seen=$2 wanted=$3
    [ "$seen" = "$wanted" ] && return 0
    echo "installer: $what is \"$seen\", not \"$wanted\""
    return 1
}

# The keys of installed programs named ZUB Runtime Editor, in the machine's and the user's list.
installed_entries() {
    local root key
    for root in HKLM HKCU; do
        for key in $(reg_query "$root\\$UNINSTALL_KEY" | grep -o '{[0-9A-Fa-f-]*}$'); do
            [ "$(reg_value "$root\\$UNINSTALL_KEY\\$key" DisplayName)" = "ZUB Runtime Editor" ] &&
                echo "$root\\$UNINSTALL_KEY\\$key"
        done
    done
}

msiexec_quiet() {
    wine_env wine msiexec "$1" "$(wine_env winepath -w "$2")" /qn
    local status=$?
    wine_env wineserver -w
    [ "$status" -eq 0 ] || echo "installer: msiexec $1 $2 answered $status"
    return "$status"
}

# What the prefix holds, to compare before the install and after the uninstall: every file and
# folder under drive_c, and the user's and the machine's registry keys and values.
snapshot_prefix() {
    local into=$1
    (cd "$WINEPREFIX" && find drive_c -print | sort) > "$into.files"
    : > "$into.reg"
    local key part
    for key in HKCU 'HKLM\Software\Classes' "HKLM\\$UNINSTALL_KEY"; do
        part=$(mktemp)
        wine_env wine reg export "$key" "$part" /reg:64 /y >/dev/null 2>&1
        iconv -f UTF-16 -t UTF-8 "$part" | tr -d '\r' >> "$into.reg"
        rm -f "$part"
    done
}

# Everything the uninstall left of what the install made: new files and folders, new keys, and
# any value naming the program. The editor's own traces (the shell's recent documents, which it
# adds to) and Windows Installer's own bookkeeping folders and keys are no part of the package.
leftovers() {
    local before=$1 after=$2
    comm -13 "$before.files" "$after.files" |
        grep -v -E '/Microsoft/Installer$|^drive_c/windows/Installer$|/Microsoft/Windows/Recent(/|$)'
    diff <(grep '^\[' "$before.reg" | sort) <(grep '^\[' "$after.reg" | sort) | sed -n 's/^> //p' |
        grep -v -E '\\Software\\Microsoft\\Installer(\\(Features|Products|UpgradeCodes))?\]$|\\Explorer\\RecentDocs'
    diff "$before.reg" "$after.reg" | sed -n 's/^> //p' | grep -i -E 'zub|\.zrt' |
        grep -v -i -E 'RecentDocs|\.zrt\.lnk'
}

# $3: the program .zrt files open with, this editor's type unless another program had them first.
check_installed() {
    local version=$1 exe=$2 opener=${3:-ZubRuntimeEditor.Project}
    local windows_dir='C:\users\'"$(id -un)"'\AppData\Local\Programs\ZUB Runtime Editor'
    local failed=0
    cmp -s "$INSTALLED_DIR/ZubRuntimeEditor.exe" "$exe" || { echo "installer: the installed program differs"; failed=1; }
    for file in ReadMe-ja.txt ReadMe-en.txt; do
        [ -f "$INSTALLED_DIR/$file" ] || { echo "installer: no $file"; failed=1; }
    done
    [ -f "$SHORTCUT" ] && strings -el "$SHORTCUT" | grep -q -F "ZubRuntimeEditor.exe" ||
        { echo "installer: no Start-menu shortcut to the program"; failed=1; }
    expect_equal ".zrt's default" "$(reg_value 'HKCR\.zrt')" "$opener" || failed=1
    reg_query 'HKCR\.zrt\OpenWithProgids' | grep -q ' ZubRuntimeEditor\.Project ' ||
        { echo "installer: .zrt's OpenWithProgids does not list the editor"; failed=1; }
    expect_equal "the type's icon" "$(reg_value 'HKCR\ZubRuntimeEditor.Project\DefaultIcon')" \
        "$windows_dir\\ZubRuntimeEditor.exe,0" || failed=1
    expect_equal "the type's open command" "$(reg_value 'HKCR\ZubRuntimeEditor.Project\shell\open\command')" \
        "\"$windows_dir\\ZubRuntimeEditor.exe\" \"%1\"" || failed=1
    local entries
    mapfile -t entries < <(installed_entries)
    if [ "${#entries[@]}" -ne 1 ]; then
        echo "installer: ${#entries[@]} installations in the list of installed programs, not 1"
        return 1
    fi
    expect_equal "the publisher" "$(reg_value "${entries[0]}" Publisher)" "ZUB Runtime Editor" || failed=1
    expect_equal "the version" "$(reg_value "${entries[0]}" DisplayVersion)" "$version" || failed=1
    local icon
    icon=$(reg_value 'HKCU\Software\Microsoft\Installer\Products' ProductIcon /s)
    [ -n "$icon" ] && [ -f "$(wine_env winepath -u "$icon")" ] ||
        { echo "installer: the list of installed programs has no icon for it (\"$icon\")"; failed=1; }
    return "$failed"
}

# $1: the package, $2: its version, $3: the program it installs, $4: the folder for the
# newer package and the snapshots.
check_installer() {
    local msi=$1 version=$2 exe=$3 work=$4
    mkdir -p "$work"
    # An installation that an earlier run left, stopped half-way, goes first, and so does the
    # other program's .zrt that it may have left.
    local entry
    for entry in $(installed_entries); do
        wine_env wine msiexec /x "${entry##*\\}" /qn
    done
    wine_env wine reg delete 'HKCR\.zrt' /f >/dev/null 2>&1
    wine_env wineserver -w
    snapshot_prefix "$work/before"

    say "installing $msi"
    check msiexec_quiet /i "$msi"
    check check_installed "$version" "$exe"
    # Explorer's road, and the start-up tests against the installed program.
    run_acceptance "$REPORTS/acceptance-installed.xml" 180 "" \
        --gtest_filter='StartUp.*:StartedWith.*:Explorer.*' \
        --editor="$(wine_env winepath -w "$INSTALLED_DIR/ZubRuntimeEditor.exe")"

    # A package of a higher version over it: one installation, of the newer version.
    local newer="${version%.*}.$((${version##*.} + 1))"
    say "installing version $newer over it"
    check make_msi "$(dirname "$exe")" "$newer" "$work/newer.msi"
    check msiexec_quiet /i "$work/newer.msi"
    check check_installed "$newer" "$exe"
    # Another build of that version (a rebuilt or a test package) over it: one installation.
    say "installing another build of version $newer over it"
    check make_msi "$(dirname "$exe")" "$newer" "$work/rebuilt.msi" "another build"
    check msiexec_quiet /i "$work/rebuilt.msi"
    check check_installed "$newer" "$exe"

    say "uninstalling"
    check msiexec_quiet /x "$work/rebuilt.msi"
    snapshot_prefix "$work/after"
    local left
    left=$(leftovers "$work/before" "$work/after")
    [ -z "$left" ] || printf 'installer: the uninstall left\n%s\n' "$left"
    check test -z "$left"

    # Where .zrt files already open with another program, they still do after the install and
    # after the uninstall; the editor is only offered beside it. Wine's shell reads the machine's
    # classes alone, so that is where the other program's default goes.
    say "installing and uninstalling where another program opens .zrt files"
    wine_env wine reg add 'HKCR\.zrt' /ve /d OtherEditor.Project /f >/dev/null 2>&1
    check msiexec_quiet /i "$msi"
    check check_installed "$version" "$exe" OtherEditor.Project
    check msiexec_quiet /x "$msi"
    check expect_equal ".zrt's default after the uninstall" "$(reg_value 'HKCR\.zrt')" OtherEditor.Project
    wine_env wine reg delete 'HKCR\.zrt' /f >/dev/null 2>&1
}
