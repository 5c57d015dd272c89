# Sourced by tools/play and tools/test; plain POSIX sh. Installs through the
# system's own package manager, with no terminal needed, as root directly or
# through sudo (doas where there is no sudo); brew and Termux install as the
# user. Nothing here runs unless something is missing, so a second run starts
# at once and never asks for a password.

# The package manager of this system: apt-get, dnf, zypper, pacman, apk, brew
# (macOS), pkg (FreeBSD) or termux (Termux's pkg); nothing for any other.
package_manager() {
    if [ -n "${TERMUX_VERSION:-}" ] || case ${PREFIX:-} in *com.termux*) true ;; *) false ;; esac; then
        command -v pkg >/dev/null 2>&1 && echo termux
        return 0
    fi
    case $(uname -s) in
        Darwin) command -v brew >/dev/null 2>&1 && echo brew; return 0 ;;
        FreeBSD) command -v pkg >/dev/null 2>&1 && echo pkg; return 0 ;;
    esac
    for manager in apt-get dnf zypper pacman apk; do
        if command -v "$manager" >/dev/null 2>&1; then
            echo "$manager"
            return 0
        fi
    done
}

# The package that brings `tool` (compiler, make or cmake) with `manager`;
# nothing where the manager does not bring it (macOS's compiler and make come
# with Xcode's command line tools).
package_for() {
    case $1:$2 in
        apt-get:compiler) echo g++ ;;
        dnf:compiler | zypper:compiler) echo gcc-c++ ;;
        pacman:compiler) echo gcc ;;
        apk:compiler) echo build-base ;;
        pkg:compiler) echo llvm ;;
        termux:compiler) echo clang ;;
        brew:compiler | brew:make) ;;
        pkg:make) echo gmake ;;
        *:make) echo make ;;
        *:cmake) echo cmake ;;
    esac
}

is_root() {
    [ "$(id -u)" = 0 ]
}

# Runs the words as root; fails at once where that cannot be had.
as_root() {
    if is_root; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    elif command -v doas >/dev/null 2>&1; then
        doas "$@"
    else
        return 1
    fi
}

can_be_root() {
    is_root || command -v sudo >/dev/null 2>&1 || command -v doas >/dev/null 2>&1
}

# install_packages <manager> <package>...: the manager's own install, with
# no question asked.
install_packages() {
    manager=$1
    shift
    echo "Installing with $manager: $*"
    case $manager in
        apt-get)
            as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
                as_root env DEBIAN_FRONTEND=noninteractive \
                    apt-get install -q -y --no-install-recommends "$@" </dev/null
            ;;
        dnf) as_root dnf install -y "$@" </dev/null ;;
        zypper) as_root zypper --non-interactive install "$@" </dev/null ;;
        pacman) as_root pacman -S --needed --noconfirm "$@" </dev/null ;;
        apk) as_root apk add "$@" </dev/null ;;
        pkg) as_root env ASSUME_ALWAYS_YES=yes pkg install -y "$@" </dev/null ;;
        brew) brew install "$@" </dev/null ;;
        termux) pkg install -y "$@" </dev/null ;;
    esac
}

# install_tools <tool>...: installs the packages that bring the tools
# (compiler, make, cmake). It fails where that cannot be done, and leaves in
# install_hint the command a person could run instead.
install_tools() {
    install_hint=
    manager=$(package_manager)
    [ -n "$manager" ] || return 1
    packages=
    unbrought=
    for tool in "$@"; do
        package=$(package_for "$manager" "$tool")
        if [ -n "$package" ]; then
            packages="$packages $package"
        else
            unbrought=yes
        fi
    done
    packages=${packages# }
    case $manager in
        brew | termux) root= ;;
        *) root="as root: " ;;
    esac
    case $manager in
        pacman) install_hint="${root}pacman -S $packages" ;;
        apk) install_hint="${root}apk add $packages" ;;
        termux) install_hint="pkg install $packages" ;;
        brew) install_hint="${unbrought:+xcode-select --install${packages:+; }}${packages:+brew install $packages}" ;;
        *) install_hint="${root}$manager install $packages" ;;
    esac
    if [ -n "$unbrought" ] || { [ -n "$root" ] && ! can_be_root; }; then
        return 1
    fi
    # shellcheck disable=SC2086 # package names have no blanks
    install_packages "$manager" $packages
}

# install_missing <package>...: for the test command, on Debian: installs
# those of the packages that are not installed yet.
install_missing() {
    missing=
    for package in "$@"; do
        dpkg-query -W -f '${db:Status-Abbrev}' "$package" 2>/dev/null | grep -q '^ii' ||
            missing="$missing $package"
    done
    [ -n "$missing" ] || return 0
    can_be_root || {
        echo "Needs root or sudo to install:$missing" >&2
        return 1
    }
    # shellcheck disable=SC2086 # package names have no blanks
    install_packages apt-get $missing
}
