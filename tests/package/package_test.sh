#!/usr/bin/env bash
# tests/package/package_test.sh BUILD SOURCE
# Builds the Debian package from the build tree, unpacks it into a temporary
# root and runs the installed quorvel-cli on the sample; lintian must report
# no errors.
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
dpkg -x "$deb" "$work/root"

cli=$work/root/usr/bin/quorvel-cli
"$cli" --version | grep -q '^quorvel-cli [0-9]'
"$cli" info "$source/samples/sample.qvl" | grep -q '^objects: 4,'
"$cli" render "$source/samples/sample.qvl" "$work/sample.png" --size 64
test -s "$work/sample.png"
test -f "$work/root/usr/share/thumbnailers/quorvel.thumbnailer"
test -f "$work/root/usr/share/man/man1/quorvel-cli.1.gz"
for installed in bin/quorvel share/man/man1/quorvel.1.gz share/applications/quorvel.desktop \
    share/mime/packages/quorvel.xml share/icons/hicolor/scalable/apps/quorvel.svg; do
    test -f "$work/root/usr/$installed"
done

# The Python module, when built, imports from the package's site folder
# (QUORVEL_PYTHON_PRELOAD: the sanitizer's runtime an instrumented one needs).
site=$work/root/usr/lib/python3/dist-packages
if compgen -G "$site/quorvel.*.so" >/dev/null; then
    test -f "$site/quorvel.pyi"
    LD_PRELOAD=${QUORVEL_PYTHON_PRELOAD:-} PYTHONPATH=$site /usr/bin/python3 -c \
        'import quorvel, sys; print(quorvel.open(sys.argv[1]))' "$source/samples/sample.qvl" |
        grep -q ': 4 objects,'
fi

if command -v lintian >/dev/null; then
    report=$(lintian "$deb" 2>&1 || true)
    echo "$report"
    if grep -q '^E:' <<<"$report"; then
        exit 1
    fi
fi
echo "package test: $(basename "$deb") installs and runs"
