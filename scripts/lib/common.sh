# Shared by scripts/test, scripts/demo, scripts/bench and the end-to-end runners in scripts/wine.

# Every command the scripts run that a minimal Debian 12 may lack, and the package that brings it.
# A leading "/" names a file (a glob is allowed) instead of a command: sources, runtimes and fonts.
# Keep it complete: a command missing here is found by no one until a fresh machine fails on it.
KORVANE_REQUIRED=(
  "cmake                          cmake"
  "ctest                          cmake"
  "ninja                          ninja-build"
  "g++                            g++"
  "git                            git"
  "x86_64-w64-mingw32-g++-posix   g++-mingw-w64-x86-64-posix"
  "x86_64-w64-mingw32-windres     binutils-mingw-w64-x86-64"
  "x86_64-w64-mingw32-objdump     binutils-mingw-w64-x86-64"
  "x86_64-w64-mingw32-strip       binutils-mingw-w64-x86-64"
  "wine                           wine"
  "wineboot                       wine"
  "wineserver                     wine"
  "regedit                        wine"
  "/usr/share/wine/fonts/marlett.ttf  fonts-wine"
  "/usr/share/wine/fonts/tahoma.ttf   fonts-wine"
  "Xvfb                           xvfb"
  "xwd                            x11-apps"
  "import                         imagemagick"
  "convert                        imagemagick"
  "/usr/src/googletest/CMakeLists.txt  googletest"
  "clang++                        clang"
  "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a  libclang-rt-dev"
  "clang-tidy                     clang-tidy"
  "cppcheck                       cppcheck"
  "locale-gen                     locales"
  "timeout                        coreutils"
  "awk                            mawk"
  "diff                           diffutils"
  "column                         bsdextrautils"
)

_korvane_has() {
  case $1 in
    /*) compgen -G "$1" >/dev/null ;;
    *) command -v "$1" >/dev/null 2>&1 ;;
  esac
}

# Installs what the table lists and is missing, in one apt-get call (root on Debian 12), then checks
# every entry again: a package that installed but did not bring its command is named, not hidden.
ensure_packages() {
  local entry cmd pkg need=() missing=()
  for entry in "${KORVANE_REQUIRED[@]}"; do
    read -r cmd pkg <<<"$entry"
    _korvane_has "$cmd" && continue
    [[ " ${need[*]} " == *" $pkg "* ]] || need+=("$pkg")
  done
  if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "missing packages: ${need[*]} (run as root or install them)" >&2
      return 1
    fi
    echo "installing: ${need[*]}"
    local log
    log=$(mktemp)
    timeout 900 apt-get update -qq >"$log" 2>&1 || { tail -n 5 "$log" >&2; echo "apt-get update failed" >&2; }
    DEBIAN_FRONTEND=noninteractive timeout 1800 apt-get install -y -qq --no-install-recommends "${need[@]}" >>"$log" 2>&1 \
      || { tail -n 20 "$log" >&2; echo "apt-get install failed: ${need[*]}" >&2; rm -f "$log"; return 1; }
    rm -f "$log"
  fi
  for entry in "${KORVANE_REQUIRED[@]}"; do
    read -r cmd pkg <<<"$entry"
    _korvane_has "$cmd" || missing+=("$cmd (package $pkg)")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    printf 'still missing after the install: %s\n' "${missing[@]}" >&2
    return 1
  fi
  ensure_german_locale
}

# Wine takes the language of its own dialogs and message-box buttons from LANG: German needs the
# de_DE.UTF-8 locale on the host.
ensure_german_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  [ "$(id -u)" -eq 0 ] || { echo "note: no de_DE.UTF-8 locale; wine shows English button captions" >&2; return 0; }
  [ -f /etc/locale.gen ] || DEBIAN_FRONTEND=noninteractive timeout 600 apt-get install -y -qq locales >/dev/null 2>&1
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
  timeout 300 locale-gen >/dev/null 2>&1 || echo "note: locale-gen failed; wine shows English button captions" >&2
}

# Configures a Windows build folder with the mingw preset when it has none yet, then builds the targets.
#   build_windows BUILD_DIR LOG TARGET...
build_windows() {
  local build=$1 log=$2 root
  shift 2
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  mkdir -p "$build"
  : >"$log"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    (cd "$root" && timeout 600 cmake --preset mingw -B "$build") >>"$log" 2>&1 || return 1
  fi
  timeout 2400 cmake --build "$build" -j2 --target "$@" >>"$log" 2>&1
}

# Sources the wine environment of a Windows build folder, prepares its prefix and keeps its wineserver
# running. The prefix's output goes to LOG when one is given, and its end is shown when that fails.
#   start_wine_environment BUILD_DIR [LOG]
start_wine_environment() {
  local build=$1 log=${2:-} root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  # shellcheck disable=SC1091
  source "$root/scripts/wine/env" "$build" || return 1
  if [ -z "$log" ]; then
    "$root/scripts/wine/prefix" "$build"
    return
  fi
  "$root/scripts/wine/prefix" "$build" >"$log" 2>&1 || { tail -n 20 "$log"; return 1; }
}

stop_wine_environment() {
  if declare -F wine_env_shutdown >/dev/null; then wine_env_shutdown; fi
}
