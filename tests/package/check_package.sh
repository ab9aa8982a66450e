#!/usr/bin/env bash
# Builds the Debian package from a finished build tree, checks what it holds
# and declares, validates its desktop files, runs the command-line tool, and
# starts the binary it installs (extracted into a scratch root) until the
# main window is up.
#   check_package.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 app=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" > "$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
# CPack builds for, and names the file after, this machine's dpkg architecture.
arch=$(dpkg --print-architecture)
deb="$work/out/quillon_${version}_${arch}.deb"
test -f "$deb" || { echo "no package at $deb"; ls "$work/out"; exit 1; }

expected="./usr/bin/quillon
./usr/bin/quillon-cli
./usr/share/applications/$app.desktop
./usr/share/bash-completion/completions/quillon-cli
./usr/share/icons/hicolor/24x24/apps/$app.png
./usr/share/icons/hicolor/256x256/apps/$app.png
./usr/share/man/man1/quillon-cli.1.gz
./usr/share/metainfo/$app.metainfo.xml
./usr/share/mime/packages/$app.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort)
if [ "$files" != "$expected" ]; then
    echo "package holds:"; echo "$files"; echo "expected:"; echo "$expected"
    exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libc6 fonts-liberation2; do
    grep -q "$needed" <<< "$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
test "$(dpkg-deb -f "$deb" Version)" = "$version"
test "$(dpkg-deb -f "$deb" Architecture)" = "$arch"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app.desktop"
# The series type is well-formed shared-mime-info and names *.quillon.
grep -q 'glob pattern="\*.quillon"' "$root/usr/share/mime/packages/$app.xml"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app.metainfo.xml"

# The tool runs without a display, its manual page names this version, and
# its completion completes it.
printf 'y1,x1,gas_flow,water_flow,packing_height\n0.02,0.01,1,1,2\n' > "$work/run.csv"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/quillon-cli" compute "$work/run.csv" | grep -q ',40.455628854993435,'
test "$("$root/usr/bin/quillon-cli" --version)" = "quillon-cli $version"
zcat "$root/usr/share/man/man1/quillon-cli.1.gz" | grep -q "^\.TH QUILLON-CLI 1 .*\"Quillon $version\""
grep -q '^complete -F _quillon_cli quillon-cli$' "$root/usr/share/bash-completion/completions/quillon-cli"

# The splash window comes first; the main window, titled Quillon, after it.
xvfb-run -a bash -c '
    "$1" & pid=$!
    for _ in $(seq 100); do
        if xwininfo -root -tree | grep -q "\"Quillon\""; then
            kill -0 "$pid" && kill "$pid" && exit 0
        fi
        kill -0 "$pid" 2>/dev/null || { echo "quillon ended before its main window was up"; exit 1; }
        sleep 0.2
    done
    echo "no main window after 20 s"; kill "$pid"; exit 1
' starter "$root/usr/bin/quillon"
echo "package $deb: contents, dependencies, desktop files, the tool and start-up all good"
