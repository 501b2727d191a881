#!/usr/bin/env bash
# Builds the consumer both ways (add_subdirectory and find_package after
# cmake --install) and runs it headless.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=${1:-$(mktemp -d)}
# The main build's type, so that ccache serves the by-source build.
LAUNCHER=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
command -v ccache >/dev/null && LAUNCHER+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export QT_QPA_PLATFORM=offscreen

cmake --install "$ROOT/build" --prefix "$WORK/prefix" >/dev/null
cmake -S "$ROOT/examples/consumer" -B "$WORK/by-package" -G Ninja "${LAUNCHER[@]}" \
  -DCMAKE_PREFIX_PATH="$WORK/prefix" >/dev/null
cmake --build "$WORK/by-package" >/dev/null
LD_LIBRARY_PATH="$WORK/prefix/lib:$WORK/prefix/lib/x86_64-linux-gnu" \
  "$WORK/by-package/consumer" "$WORK/by-package.png"
echo "find_package: $WORK/by-package.png"

cmake -S "$ROOT/examples/consumer" -B "$WORK/by-source" -G Ninja "${LAUNCHER[@]}" \
  -DQORKIT_SOURCE_DIR="$ROOT" >/dev/null
cmake --build "$WORK/by-source" >/dev/null
"$WORK/by-source/consumer" "$WORK/by-source.png"
echo "add_subdirectory: $WORK/by-source.png"
