# Shared by scripts/test, scripts/demo and the benchmarks: installs what is
# missing, builds the trees, and runs a Wine session with an X display.
# Expects to be sourced from the repository root.

RIGSMITH_ROOT="$(pwd)"
RIGSMITH_NATIVE="$RIGSMITH_ROOT/build/native"
RIGSMITH_WINDOWS="$RIGSMITH_ROOT/build/windows"
RIGSMITH_PREFIX="$RIGSMITH_WINDOWS/wineprefix"

ensure_packages() {
  if [[ $(id -u) -eq 0 ]]; then
    "$RIGSMITH_ROOT/scripts/install-packages"
  fi
}

configure_and_build_native() {
  ensure_packages
  if [[ ! -f "$RIGSMITH_NATIVE/build.ninja" ]]; then
    cmake -S "$RIGSMITH_ROOT" -B "$RIGSMITH_NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  fi
  cmake --build "$RIGSMITH_NATIVE"
}

configure_and_build_windows() {
  ensure_packages
  local deps
  deps="$("$RIGSMITH_ROOT/scripts/build-mingw-deps")"
  if [[ ! -f "$RIGSMITH_WINDOWS/build.ninja" ]] || ! grep -qF "$deps" "$RIGSMITH_WINDOWS/CMakeCache.txt"; then
    cmake -S "$RIGSMITH_ROOT" -B "$RIGSMITH_WINDOWS" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$RIGSMITH_ROOT/cmake/toolchain-mingw-w64-x86_64.cmake" \
      -DRIGSMITH_MINGW_DEPS="$deps" >/dev/null
  fi
  cmake --build "$RIGSMITH_WINDOWS"
}

wine_env() {
  export WINEPREFIX="$RIGSMITH_PREFIX" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# A private X display, a prepared prefix and one persistent wineserver for the
# whole run: each test then starts in a fraction of a second.
start_wine_session() {
  "$RIGSMITH_ROOT/cmake/wine-prefix-init" "$RIGSMITH_PREFIX"
  local display=99
  while [[ -e "/tmp/.X${display}-lock" || -e "/tmp/.X11-unix/X${display}" ]]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  RIGSMITH_XVFB_PID=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do [[ -e "/tmp/.X11-unix/X${display}" ]] && break; sleep 0.1; done
  wine_env
  wineserver -p
  # Wine's background services must not inherit CTest's pipes: start them here.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine_session() {
  wine_env
  wineserver -k 2>/dev/null || true
  if [[ -n "${RIGSMITH_XVFB_PID:-}" ]]; then
    kill "$RIGSMITH_XVFB_PID" 2>/dev/null || true
    wait "$RIGSMITH_XVFB_PID" 2>/dev/null || true
  fi
}
