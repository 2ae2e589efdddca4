#!/usr/bin/env bash
# Skin build benchmark: building and laying out the installer window's tree.
set -euo pipefail
"$1/bench/skin_build_bench"
