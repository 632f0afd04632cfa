# Shared by the set-up scripts: install the Debian packages that are missing.

TOVEL_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev libgtest-dev
                libgmock-dev libbenchmark-dev qt6-svg-dev fonts-dejavu-core)

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

# build_tovel DIR [CMAKE ARGS...]: configures and builds in DIR.
build_tovel() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j2
}

# The folder where tovel keeps the user's data; created and seeded with the default data files
# it lacks, so that edits survive rebuilds.
seed_user_data() {
    local bin=$1
    local data="${XDG_DATA_HOME:-$HOME/.local/share}/tovel"
    mkdir -p "$data"
    for f in elements.dat tiptovl.rel comps.rel; do
        [ -e "$data/$f" ] || cp "$bin/$f" "$data/$f"
    done
    mkdir -p "$data/Zq"
    for f in "$bin"/Zq/*.zq; do
        [ -e "$data/Zq/$(basename "$f")" ] || cp "$f" "$data/Zq/"
    done
    echo "$data"
}
