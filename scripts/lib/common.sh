# Shared by scripts/test, scripts/demo and scripts/bench.

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

# Prepares the wine prefix of a Windows build folder and keeps its wineserver running.
start_wine_environment() {
  local build=$1
  # shellcheck disable=SC1091
  source "$here/scripts/wine/env" "$build"
  "$here/scripts/wine/prefix" "$build"
}

stop_wine_environment() {
  if declare -F wine_env_shutdown >/dev/null; then wine_env_shutdown; fi
}
