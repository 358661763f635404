#!/usr/bin/env bash
# Builds the Debian package from an existing build folder and checks it as a user's system would
# meet it:
#   packaging/check-package.sh [BUILD-FOLDER]     (default: build)
# - the package holds every file a desktop and a shell look for, and lintian finds no error;
# - the desktop entry and the AppStream metainfo it ships pass desktop-file-validate and
#   appstreamcli (offline);
# - installed with apt-get (which fetches missing dependencies), the installed quillon-cli answers
#   --help and looks names up against a WHOIS server on 127.0.0.1, man shows both manual pages,
#   bash finds the completion, and the desktop and MIME databases know the .zul type; the
#   package is removed afterwards.
# Installing needs root (or sudo without a password); without it that part is skipped. Checks
# run from other work trees of the same machine take turns installing.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build}")
packaging=$PWD/packaging
[ -f "$build/CPackConfig.cmake" ] || {
    echo "check-package: $build is not a configured build folder." >&2
    exit 2
}
work=$(mktemp -d)
installed_here=no
whois_server=
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo -n)

fail() {
    echo "check-package: FAILED: $*" >&2
    exit 1
}

step() {
    echo "== $*"
}

# apt-get waits for the package database rather than failing while another install runs.
apt_get() {
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 --yes "$@"
}

clean_up() {
    [ -z "$whois_server" ] || kill "$whois_server" 2>/dev/null || true
    if [ "$installed_here" = yes ]; then
        apt_get purge quillon >/dev/null
    fi
    rm -rf "$work"
}
trap clean_up EXIT

build_package() {
    step "Building the package"
    rm -rf "$build/package"
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/package" >"$work/cpack.log" ||
        { cat "$work/cpack.log"; fail "cpack"; }
    version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
    package=$build/package/quillon_${version}_$(dpkg --print-architecture).deb
    [ -f "$package" ] || fail "cpack made no $(basename "$package")"
    echo "$(basename "$package"): $(du -k "$package" | cut -f1) KB"
    dpkg-deb --field "$package" Depends
}

# The files a desktop, man and bash look for, and the versions of the documents that name one.
check_contents() {
    step "Checking what the package holds"
    dpkg-deb --extract "$package" "$work/root"
    local share=$work/root/usr/share
    local expected=(
        usr/bin/quillon usr/bin/quillon-cli
        usr/share/applications/quillon.desktop usr/share/mime/packages/quillon-zul.xml
        usr/share/metainfo/io.github.tavrel.Quillon.metainfo.xml
        usr/share/icons/hicolor/scalable/apps/quillon.svg
        usr/share/man/man1/quillon.1.gz usr/share/man/man1/quillon-cli.1.gz
        usr/share/bash-completion/completions/quillon-cli
        usr/share/quillon/wholist.txt usr/share/quillon/help/zul-1.htm
        usr/share/doc/quillon/copyright usr/share/doc/quillon/changelog.gz
    )
    for size in 16 22 24 32 48 64 128 256 512; do
        expected+=("usr/share/icons/hicolor/${size}x$size/apps/quillon.png")
        file "$work/root/usr/share/icons/hicolor/${size}x$size/apps/quillon.png" |
            grep -q "PNG image data, $size x $size," || fail "the ${size}x$size icon"
    done
    for path in "${expected[@]}"; do
        [ -f "$work/root/$path" ] || fail "the package lacks /$path"
    done
    grep -q '<release version="'"$version"'"' "$share/metainfo/"*.metainfo.xml ||
        fail "the metainfo has no release $version"
    # Software centres fetch the screenshots from the web; each is one kept in the repository.
    local width height url shown=0
    while read -r width height url; do
        file "$packaging/screenshots/$(basename "$url")" | grep -q "PNG image data, $width x $height," ||
            fail "$url is not a ${width}x$height picture in packaging/screenshots"
        shown=$((shown + 1))
    done < <(sed -n 's/.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">\(.*\)<\/image>.*/\1 \2 \3/p' \
        "$share/metainfo/"*.metainfo.xml)
    ((shown)) || fail "the metainfo shows no screenshot"
    [ "$(dpkg-parsechangelog -l "$packaging/changelog" -S Version)" = "$version" ] ||
        fail "packaging/changelog does not begin with version $version"
}

run_lintian() {
    step "lintian"
    # The tags the package overrides are explained in packaging/lintian-overrides.
    lintian --fail-on error,warning "$package" || fail "lintian reports a fault"
}

run_validators() {
    step "desktop-file-validate and appstreamcli validate"
    desktop-file-validate "$work/root/usr/share/applications/quillon.desktop" ||
        fail "desktop-file-validate"
    appstreamcli validate --no-net --explain \
        "$work/root/usr/share/metainfo/io.github.tavrel.Quillon.metainfo.xml" ||
        fail "appstreamcli validate"
}

install_package() {
    exec {turn}>"${TMPDIR:-/tmp}/quillon-check-package.lock"
    flock "$turn"
    if dpkg-query -W -f='${Status}' quillon 2>/dev/null | grep -q "install ok installed"; then
        echo "check-package: quillon is installed already; remove it (apt-get purge quillon) to" \
            "let the check install the package. Installed checks skipped."
        return 1
    fi
    if ! "${sudo[@]}" true 2>/dev/null; then
        echo "check-package: installing needs root or sudo; installed checks skipped."
        return 1
    fi
    step "Installing the package"
    installed_here=yes
    apt_get install "$package" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "installing"; }
}

check_installed_cli() {
    step "The installed quillon-cli"
    local home=$work/home
    mkdir -p "$home"
    export XDG_CONFIG_HOME=$home/config QUILLON_DATA_DIR=$home/data XDG_RUNTIME_DIR=$home
    /usr/bin/quillon-cli --help | grep -q "^Commands:" || fail "quillon-cli --help"

    coproc WHOIS { exec python3 "$packaging/whois-test-server.py" 60; }
    whois_server=$WHOIS_PID
    local port
    read -r port <&"${WHOIS[0]}"
    echo "com: 127.0.0.1:$port" >"$home/servers.txt"
    /usr/bin/quillon-cli check --tld-import "$home/servers.txt" --interval 0.1 --no-dns \
        --format tsv free-for-you.com taken.com >"$home/verdicts.tsv" 2>"$home/summary.txt"
    grep -qF "[2 Domains, 2 checked, 1 available, 1 taken]" "$home/summary.txt" ||
        fail "quillon-cli check summed up: $(cat "$home/summary.txt")"
    cut -f1,2 "$home/verdicts.tsv" | sort >"$home/names.tsv"
    printf 'free-for-you.com\t*AVAILABLE*\ntaken.com\tNot Available\n' |
        diff - "$home/names.tsv" || fail "quillon-cli check gave other verdicts"
}

# The installed pages, found through man's own search, are the ones built and tested.
check_installed_manual() {
    step "man quillon and man quillon-cli"
    local page
    for page in quillon quillon-cli; do
        diff <(MANWIDTH=100 man "$page" 2>&1) \
            <(MANWIDTH=100 man -l "$build/packaging/$page.1" 2>&1) >/dev/null ||
            fail "man $page does not show the page built in $build/packaging"
    done
}

check_installed_completion() {
    step "bash completion"
    local completed
    completed=$(bash --norc --noprofile -c '
        source /usr/share/bash-completion/bash_completion
        _completion_loader quillon-cli
        [[ $(complete -p quillon-cli) == "complete -F _quillon_cli quillon-cli" ]] || exit
        COMP_WORDS=(quillon-cli check --doc) COMP_CWORD=2
        _quillon_cli quillon-cli --doc check
        echo "${COMPREPLY[*]}"')
    [ "$completed" = "--document" ] || fail "completing 'quillon-cli check --doc' gave '$completed'"
}

check_desktop_databases() {
    step "The desktop and MIME databases"
    grep -q "^application/x-zul=.*quillon.desktop" /usr/share/applications/mimeinfo.cache ||
        fail "the desktop database does not know that quillon opens .zul files"
    [ -f /usr/share/mime/application/x-zul.xml ] || fail "the MIME database lacks application/x-zul"
}

check_removed() {
    step "Removing the package"
    apt_get purge quillon >/dev/null
    installed_here=no
    [ ! -e /usr/bin/quillon-cli ] || fail "quillon-cli is still installed"
    [ ! -e /usr/share/mime/application/x-zul.xml ] || fail "the MIME database still has .zul"
}

started=$SECONDS
build_package
check_contents
run_lintian
run_validators
if install_package; then
    check_installed_cli
    check_installed_manual
    check_installed_completion
    check_desktop_databases
    check_removed
fi
echo "check-package: $(basename "$package") passed in $((SECONDS - started)) s."
