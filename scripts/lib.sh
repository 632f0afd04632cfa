# Shared by the set-up scripts: install the Debian packages that are missing.

TOVEL_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev libgtest-dev
                libgmock-dev libbenchmark-dev qt6-svg-dev fonts-dejavu-core qt6-translations-l10n locales python3)

# ensure_packages PKG...: installs with apt-get (through sudo when not root) what is not there.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# ensure_locales NAME...: makes the locales the tests switch to (es_ES.UTF-8 has a decimal comma).
ensure_locales() {
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    for name in "$@"; do
        locale -a 2>/dev/null | grep -qi "^${name%%.*}.utf-\?8$" && continue
        "${sudo[@]}" localedef -i "${name%%.*}" -f UTF-8 "$name" || echo "Could not make the locale $name" >&2
    done
}

# build_tovel DIR [CMAKE ARGS...]: configures and builds everything in DIR.
build_tovel() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j2
}

# build_programs DIR [CMAKE ARGS...]: configures DIR and builds only what runs (the programs, the
# PDF module, the data and the guide), no test and no benchmark.
build_programs() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j2 --target tovel_programs
}
