#!/usr/bin/env bash
# upgrade.sh PATH: brings a database made by an earlier version of the program up to date: upgrade.sql,
# then the rights and guards a new database has (09_grants.sql, 10_guards.sql); as SYSDBA, through
# Firebird's embedded engine for a file, through the server for "host:path" with the password in
# ISC_PASSWORD. It can run any number of times. Any SQL error stops the run with a non-zero status.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: upgrade.sh PATH" >&2; exit 2; }
path=$1
case "$path" in
  *:*) ;;
  *) [ -f "$path" ] || { echo "upgrade.sh: $path not found" >&2; exit 1; } ;;
esac
# shellcheck source=embedded.sh
source "$(dirname "${BASH_SOURCE[0]}")/embedded.sh" upgrade.sh

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
quoted=${path//\'/\'\'}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
{
  echo "SET SQL DIALECT 3;"
  echo "CONNECT '$quoted' USER 'SYSDBA';"
  cat "$here/upgrade.sql"
  echo
  echo "COMMIT;"
  # What a new database is given; every statement of these may run again.
  for f in 09_grants.sql 10_guards.sql; do
    cat "$here/$f"
    echo
    echo "COMMIT;"
  done
} | LC_ALL=C.UTF-8 ISC_USER=SYSDBA "$isql" -q -b -ch UTF8 >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ] || grep -qE "Statement failed|SQLSTATE|SQL error|Dynamic SQL Error" "$log"; then
  cat "$log" >&2
  echo "upgrade.sh: SQL error, $path may be upgraded only in part" >&2
  exit 1
fi
