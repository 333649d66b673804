# The downloads, made the same at every build of one commit: shared by tools/package and
# tools/test. Sourced after common.sh, not run.

# The time every file of the downloads is stamped with: the commit's, unless SOURCE_DATE_EPOCH
# says otherwise. GNU ld reads the same variable for the program's link time stamp.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || date +%s)}

# The program's version, as the CMake project in the build tree $1 says.
project_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# A code for the installer that follows from its text alone: uuid5 of a name of ours.
derived_guid() {
    python3 -c 'import sys, uuid; print(uuid.uuid5(uuid.UUID("3f0b6c1e-2d6a-5b8e-9c41-7a2f0e5d9b13"), sys.argv[1]))' "$1"
}

# The installer's custom actions for the .zrt file type, a DLL built into the folder $1. It needs
# nothing of the editor's build tree, and nothing but the DLLs every Windows has. GNU ld would
# take the DLL's base address from a hash of the output's path, which differs between builds.
make_file_type_action() {
    mkdir -p "$1"
    (cd "$ROOT" && x86_64-w64-mingw32-g++-posix -std=c++20 -shared -Os -s -static -Wall -Wextra -Werror \
        -Wl,--disable-auto-image-base \
        -o "$1/FileTypeAction.dll" package/FileTypeAction.cpp -lshell32)
}

# The Windows Installer package of the program installed in $1 (a folder below $ROOT), as
# version $2, into $3; $4 tells this build from others of the same version, the commit unless
# given. The product code and the package code follow from the version and the build, so that
# every other build, of any version, replaces the installed one, and two different packages
# never share a code.
make_msi() {
    local dist=$1 version=$2 msi=$3 build=${4:-}
    [ -n "$build" ] || build=$(git -C "$ROOT" rev-parse HEAD 2>/dev/null || echo unknown)
    local product package action
    product=$(derived_guid "ZubRuntimeEditor product $version $build")
    package=$(derived_guid "ZubRuntimeEditor package $version $build")
    action="$(dirname "$msi")/file-type-action"
    make_file_type_action "$action" || return 1
    # wixl takes the files' paths relative to where it runs.
    (cd "$ROOT" && wixl -a x64 -D Version="$version" -D ProductCode="$product" \
        -D DistDir="$(realpath --relative-to="$ROOT" "$dist")" -D IconFile=res/MainIcon.ico \
        -D FileTypeAction="$(realpath --relative-to="$ROOT" "$action")/FileTypeAction.dll" \
        -o "$msi" package/ZubRuntimeEditor.wxs) || return 1
    # wixl puts a random package code and the clock into the summary; the commit's go there.
    /usr/bin/python3 "$ROOT/tools/stamp_msi.py" "$msi" "$package" "$SOURCE_DATE_EPOCH"
}

# Builds the downloads from the Windows build tree $1 into the folder $2: the program and its
# read-me files installed stripped into $2/dist, the zip of that folder, the installer, and
# SHA256SUMS for both. Prints their paths and sizes.
make_downloads() {
    local tree=$1 out=$2
    local version name dist
    version=$(project_version "$tree")
    name="ZubRuntimeEditor-$version-win64"
    dist="$out/dist"
    rm -rf "$dist"
    mkdir -p "$out"
    # Linked again, so that the link takes its time stamp from SOURCE_DATE_EPOCH.
    rm -f "$tree/src/main/ZubRuntimeEditor.exe"
    cmake --build "$tree" --target ZubRuntimeEditor -j"$JOBS" >/dev/null || { echo "build failed"; return 1; }
    cmake --install "$tree" --strip --prefix "$dist" >/dev/null || { echo "install failed"; return 1; }
    find "$dist" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    # The files go into a folder named like the zip, so that unpacking scatters nothing. Each
    # entry has the commit's time and the same attributes, in the order of the names.
    python3 - "$dist" "$out/$name.zip" "$name" "$SOURCE_DATE_EPOCH" <<'PY' || { echo "zip failed"; return 1; }
import os, sys, time, zipfile
dist, target, folder, epoch = sys.argv[1:]
stamp = time.gmtime(max(int(epoch), 315532800))[:6]  # a zip's times start in 1980
with zipfile.ZipFile(target, "w") as archive:
    for name in sorted(os.listdir(dist)):
        entry = zipfile.ZipInfo(f"{folder}/{name}", date_time=stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 0  # MS-DOS: attributes as Windows reads them
        entry.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
        with open(os.path.join(dist, name), "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
PY
    make_msi "$dist" "$version" "$out/$name.msi" || { echo "msi failed"; return 1; }
    (cd "$out" && sha256sum "$name.zip" "$name.msi" > SHA256SUMS)
    local file
    for file in "$dist/ZubRuntimeEditor.exe" "$out/$name.zip" "$out/$name.msi"; do
        say "$(stat -c %s "$file") bytes: $file"
    done
}
