#!/usr/bin/env bash
# create.sh PATH [--demo]: makes a new database file at PATH with every object the program needs,
# through Firebird's embedded engine as SYSDBA; with --demo it also loads the demo foundry.
# Any SQL error stops the run with a non-zero status; an existing file is never touched.
set -euo pipefail

usage() { echo "usage: create.sh PATH [--demo]" >&2; exit 2; }
[ $# -ge 1 ] || usage
path=$1
demo=0
case "${2:-}" in
  "") ;;
  --demo) demo=1 ;;
  *) usage ;;
esac
[ $# -le 2 ] || usage

if [ -e "$path" ]; then
  echo "create.sh: $path exists, not touched" >&2
  exit 1
fi
# shellcheck source=embedded.sh
source "$(dirname "${BASH_SOURCE[0]}")/embedded.sh" create.sh

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scripts=("$here"/[0-9][0-9]_*.sql)
[ "$demo" = 1 ] && scripts+=("$here/demo.sql")

# Single quotes in the path are doubled for the SQL literal.
quoted=${path//\'/\'\'}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# One isql session: create the database, then run every script in order. The scripts are
# UTF-8; the connection character set UTF8 lets the server convert text into WIN1250. isql reads its
# input through the C library's locale, which drops the Slovak letters in a non-UTF-8 one: C.UTF-8 is
# always there.
status=0
{
  echo "SET SQL DIALECT 3;"
  echo "CREATE DATABASE '$quoted' USER 'SYSDBA' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1250;"
  echo "SET AUTODDL ON;"
  for f in "${scripts[@]}"; do
    cat "$f"
    echo
    echo "COMMIT;"
  done
} | LC_ALL=C.UTF-8 ISC_USER=SYSDBA "$isql" -q -b -ch UTF8 >"$log" 2>&1 || status=$?

if [ "$status" -ne 0 ] || grep -qE "Statement failed|SQLSTATE|SQL error|Dynamic SQL Error" "$log"; then
  cat "$log" >&2
  echo "create.sh: SQL error, $path is incomplete and has been removed" >&2
  rm -f "$path"
  exit 1
fi
