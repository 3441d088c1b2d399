#!/usr/bin/env bash
# The per-type profiles and default.ini are what sim/profiles/generate.py writes.
set -euo pipefail
python3 "$VEK_SOURCE/sim/profiles/generate.py" --check
