#!/usr/bin/env bash
# Remakes the screenshots the AppStream metainfo names, from the built program on a virtual
# display: a small list looked up against a WHOIS server on 127.0.0.1, every entry ticked and a
# taken name's record shown.
#   packaging/make-screenshots.sh [BUILD-FOLDER]     (default: build)
# Needs the Debian packages xvfb, openbox, xdotool, imagemagick and optipng.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build}")
screenshots=$PWD/packaging/screenshots
for tool in Xvfb openbox xdotool import optipng; do
    command -v "$tool" >/dev/null || {
        echo "make-screenshots: $tool is missing." >&2
        exit 2
    }
done

home=$(mktemp -d)
started=()
finish() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$home"
}
trap finish EXIT
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data QUILLON_DATA_DIR=$home/quillon
export XDG_RUNTIME_DIR=$home DISPLAY=:${SCREENSHOT_DISPLAY:-97}

free=(quillcraft.com inkwellstudio.net pennib.org harborlight.com lanternworks.net)
taken=(quill.com inkwell.com penmaker.com harbor.net lantern.org scribe.com scribeworks.net)
coproc WHOIS { exec python3 packaging/whois-test-server.py 60 "${free[@]}"; }
started+=("$WHOIS_PID")
read -r port <&"${WHOIS[0]}"
printf '%s: 127.0.0.1:%s\n' com "$port" net "$port" org "$port" >"$home/servers.txt"
"$build/src/cli/quillon-cli" check --tld-import "$home/servers.txt" --interval 0.1 \
    --document "$home/sample.zul" quillcraft.com quill.com inkwellstudio.net inkwell.com \
    pennib.org penmaker.com harborlight.com harbor.net lanternworks.net lantern.org \
    scribe.com scribeworks.net >/dev/null

Xvfb "$DISPLAY" -screen 0 1024x640x24 -nolisten tcp >/dev/null 2>&1 &
started+=($!)
sleep 1
openbox >/dev/null 2>&1 &
started+=($!)
sleep 1
"$build/src/shell/quillon" "$home/sample.zul" >/dev/null 2>&1 &
started+=($!)
window=$(xdotool search --sync --name "sample.zul - Quillon" | head -1)
xdotool windowmove "$window" 0 0 windowsize "$window" 1024 640
sleep 1
# Selections > Select All, then the second entry, a taken name, to show its record.
xdotool key alt+s && sleep 0.5 && xdotool key s && sleep 0.5 && xdotool key Down
sleep 1
mkdir -p "$screenshots"
import -window root "$screenshots/list.png"
optipng -quiet -o2 "$screenshots/list.png"
echo "make-screenshots: wrote $screenshots/list.png"
