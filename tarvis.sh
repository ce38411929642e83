#!/usr/bin/env bash
# tarvis.sh run   installs what is missing, builds, makes build/TarvDB.fdb with demo data if missing (and the
#                 demo settings build/tarvis.ini when there are none), starts.
# tarvis.sh test  installs what is missing, builds and runs every test; non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cmd=${1:-run}
"$root/scripts/deps.sh"
if [ "$cmd" = test ]; then "$root/scripts/build.sh" --strict; else "$root/scripts/build.sh"; fi
case "$cmd" in
  run)
    db="$root/build/TarvDB.fdb"
    # A database made by an earlier version is brought up to date first.
    if [ -e "$db" ]; then
      "$root/database/upgrade.sh" "$db"
    else
      "$root/database/create.sh" "$db" --demo
      # The demo foundry's settings (company lines, lists), only where no settings file is yet.
      ini="$root/build/tarvis.ini"
      [ -e "$ini" ] || [ -e "$root/build/TarvIS.ini" ] || cp "$root/database/demo.ini" "$ini"
    fi
    exec "$root/build/tarvis"
    ;;
  test)
    cd "$root/build"
    ctest --output-on-failure -j "$(nproc)" --timeout 120
    ;;
  *) echo "usage: tarvis.sh run|test" >&2; exit 2 ;;
esac
