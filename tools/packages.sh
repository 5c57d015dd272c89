# Sourced by tools/play and tools/test: install_missing <package>... installs
# through apt-get those of the Debian packages that are not installed yet. When
# all are there it does nothing, not even `apt-get update`, so that a second
# run starts at once. Runs without a terminal; uses sudo only when not root.

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f '${db:Status-Abbrev}' "$package" 2>/dev/null | grep -q '^ii' ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0

    local sudo=()
    if [[ $(id -u) != 0 ]]; then
        command -v sudo >/dev/null || {
            echo "Needs root or sudo to install: ${missing[*]}" >&2
            return 1
        }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -q -y --no-install-recommends "${missing[@]}" </dev/null
}
