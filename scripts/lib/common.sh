# Shared by the run and test commands: package installation and build configuration.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

# Packages the build, the tests and the program need; only missing ones are installed.
PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev libqt6opengl6-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-noto-cjk fonts-freefont-ttf locales
    python3-ezdxf xvfb xauth
    shared-mime-info desktop-file-utils
    clang libclang-rt-14-dev
)

missing_packages() {
    # One query for all of them: a start of the program waits for this every time.
    local -A installed=()
    local name want ok status
    while read -r name want ok status; do
        [ "$ok $status" = "ok installed" ] && installed[$name]=1
    done < <(dpkg-query -W -f='${Package} ${Status}\n' "$@" 2>/dev/null || true)
    local pkg
    for pkg in "$@"; do
        [ -n "${installed[$pkg]:-}" ] || echo "$pkg"
    done
}

ensure_packages() {
    local missing
    missing="$(missing_packages "$@")"
    [ -z "$missing" ] && return 0
    echo "Installing missing packages: $(echo $missing)"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# The test suite runs once under a decimal-comma locale; generate it when missing.
ensure_locale() {
    local want="$1"  # e.g. de_DE.UTF-8
    if locale -a 2>/dev/null | grep -qi "^${want%%.*}\.utf-\?8$"; then
        return 0
    fi
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo sed -i "s/^# *\(${want} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${want} UTF-8" /etc/locale.gen || echo "${want} UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
}

# configure DIR ARGS...: a Ninja build in DIR.
# Configures a build folder, unless it was configured with the same options before (the build
# itself runs CMake again when a CMakeLists.txt changed).
configure() {
    local dir="$1"
    shift
    local stamp="$dir/.configured-with"
    local options="$ROOT $*"
    if [ -f "$dir/build.ninja" ] && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$options" ]; then
        return 0
    fi
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    printf '%s' "$options" >"$stamp"
}
