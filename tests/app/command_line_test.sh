#!/usr/bin/env bash
# tests/app/command_line_test.sh QUORVEL VERSION
# --help and --version are answered without a display (over ssh, in scripts,
# in package checks), the help in Japanese.
set -euo pipefail
quorvel=$1
version=$2

headless() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$quorvel" "$@"
}

help=$(headless --help)
for line in '^使い方: quorvel \[オプション\] \[ファイル\]$' '^  -h, --help  *このヘルプ' \
    '^  --screenshot <PNG>  *ウィンドウを一度描画して PNG に保存' \
    '^  --autosave-interval <秒>  *この実行での自動保存の間隔' '^  ファイル  *開くドキュメント$'; do
    grep -q "$line" <<<"$help" || { echo "--help lacks: $line"; echo "$help"; exit 1; }
done
if grep -qi 'displays\|render once\|document to open' <<<"$help"; then
    echo "--help is not Japanese throughout:"
    echo "$help"
    exit 1
fi
[ "$(headless -h /no/such/file.qvl)" = "$help" ]
[ "$(headless --version)" = "Quorvel $version" ]
echo "command line test: --help and --version without a display"
