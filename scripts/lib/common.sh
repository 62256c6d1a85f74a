# Shared by scripts/test, scripts/demo, scripts/bench and the end-to-end runners in scripts/wine.

# Installs what the build and the wine runs need, when missing (root on Debian 12).
ensure_packages() {
  local need=()
  command -v cmake >/dev/null || need+=(cmake)
  command -v ninja >/dev/null || need+=(ninja-build)
  command -v g++ >/dev/null || need+=(g++)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix mingw-w64-tools)
  command -v wine >/dev/null || need+=(wine64)
  command -v Xvfb >/dev/null || need+=(xvfb)
  command -v xwd >/dev/null || need+=(x11-apps)
  command -v import >/dev/null || need+=(imagemagick)
  [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
  command -v clang++ >/dev/null || need+=(clang)
  ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-dev)
  command -v clang-tidy >/dev/null || need+=(clang-tidy)
  command -v cppcheck >/dev/null || need+=(cppcheck)
  if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "missing packages: ${need[*]} (run as root or install them)" >&2
      return 1
    fi
    echo "installing: ${need[*]}"
    timeout 900 apt-get update -qq >/dev/null 2>&1
    DEBIAN_FRONTEND=noninteractive timeout 1200 apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null 2>&1 \
      || { echo "apt-get install failed" >&2; return 1; }
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
