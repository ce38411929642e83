#!/usr/bin/env bash
# create.sh PATH [--demo]: makes a new database file at PATH with every object the program needs.
set -euo pipefail
path=${1:?usage: create.sh PATH [--demo]}
[ -e "$path" ] && { echo "create.sh: $path exists, not touched" >&2; exit 1; }
isql=$(command -v isql-fb || command -v isql || true)
[ -n "$isql" ] || { echo "create.sh: isql-fb not found" >&2; exit 1; }
echo "create database '$path' user 'SYSDBA' page_size 8192 default character set WIN1250;" | "$isql" -q -b
