#!/usr/bin/env bash
# Draws the PNG sizes of the icon from its SVG source (needs rsvg-convert: librsvg2-bin).
# The PNGs are committed, so only a change of the SVG needs this.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" org.tq530.TQ530.svg \
        -o "hicolor/${size}x${size}/apps/org.tq530.TQ530.png"
done
