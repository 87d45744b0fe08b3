#!/usr/bin/env bash
# Screenshots of the monitor window and the certificate picker, at normal and double pixel
# density, drawn on a virtual X display (Xvfb). Writes PNG files to docs/.
# Usage: scripts/capturas-de-tela.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
programa="$build/tools/capturas-monitor"
[ -x "$programa" ] || cmake --build "$build" --target capturas-monitor
mkdir -p docs
for escala in 1 2; do
  QT_SCALE_FACTOR=$escala xvfb-run -a -s "-screen 0 1600x1200x24" "$programa" docs
done
ls docs/*.png
