#!/usr/bin/env bash
# serve-database.sh PATH [--all-interfaces]: serves the database file PATH to several workstations
# through Firebird 3's server. Installs and starts the server (scripts/firebird-server.sh), copies the
# file into the server's data folder owned by the server's account (an existing copy there is never
# replaced), and prints the settings lines for tarvis.ini. With --all-interfaces the server also listens
# for other machines (it listens on 127.0.0.1 only as Debian installs it) and is restarted for that; a
# server whose administrator still has a known default password is never opened so.
set -euo pipefail

usage() { echo "usage: serve-database.sh PATH [--all-interfaces]" >&2; exit 2; }
[ $# -ge 1 ] && [ $# -le 2 ] || usage
source_file=$1
all_interfaces=0
case "${2:-}" in
  "") ;;
  --all-interfaces) all_interfaces=1 ;;
  *) usage ;;
esac
[ -f "$source_file" ] || { echo "serve-database.sh: $source_file is no database file (make one with database/create.sh)" >&2; exit 1; }

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/sysdba-password.sh"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
conf=/etc/firebird/3.0/firebird.conf
data_dir=/var/lib/firebird/3.0/data

exports=$("$here/firebird-server.sh")
[ -n "$exports" ] || { echo "serve-database.sh: the server does not accept the administrator's log-in (see above)" >&2; exit 1; }
eval "$exports"
if [ "$all_interfaces" = 1 ] && sysdba_password_is_default "${ISC_PASSWORD:-}"; then
  echo "serve-database.sh: SYSDBA's password on this server is a known default: anyone reaching port 3050" \
    "would administer every database. Not opened to other machines; give SYSDBA another password" \
    "(dpkg-reconfigure firebird3.0-server) and run this script again." >&2
  exit 1
fi

# The server's account must own the file: one made by database/create.sh belongs to whoever ran it.
target="$data_dir/$(basename "$source_file")"
if $sudo test -e "$target"; then
  echo "serve-database.sh: $target exists and is served as it is (not replaced)" >&2
else
  $sudo install -o firebird -g firebird -m 0660 "$source_file" "$target"
fi

if [ "$all_interfaces" = 1 ] && grep -Eq '^[[:space:]]*RemoteBindAddress[[:space:]]*=[[:space:]]*[^[:space:]]' "$conf"; then
  # An empty (or no) RemoteBindAddress makes the server listen on every interface.
  $sudo sed -i -E 's/^[[:space:]]*RemoteBindAddress[[:space:]]*=.*/RemoteBindAddress =/' "$conf"
  if [ -d /run/systemd/system ]; then
    $sudo systemctl restart firebird3.0.service
  else
    guard=$(pgrep -u firebird -x fbguard || true)
    [ -z "$guard" ] || $sudo kill $guard
    for _ in $(seq 1 50); do (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null || break; sleep 0.2; done
  fi
  "$here/firebird-server.sh" >/dev/null
fi

# A log-in to the served file proves that the server's account can open it.
if ! out=$(echo "select count(*) from rdb\$database;" | isql-fb -q "127.0.0.1:$target" 2>&1); then
  echo "serve-database.sh: the server cannot open $target: $out" >&2
  exit 1
fi

host=$(hostname -f 2>/dev/null || hostname)
listening=$(grep -E '^[[:space:]]*RemoteBindAddress' "$conf" | tail -n1 | sed -E 's/.*=[[:space:]]*//')
cat <<TEXT
$target is served by Firebird's server. Put these lines into tarvis.ini beside the program
(on this machine):

[Database]
Name=127.0.0.1:$target
LoginPrompt=1

On other workstations write Name=$host:$target (or this machine's address instead of $host).
The program then asks for the log-in: user SYSDBA, password ISC_PASSWORD in /etc/firebird/3.0/SYSDBA.password
(or a user made in the program's menu Systém, Užívatelia).
TEXT
if [ -n "$listening" ] && [ "$listening" != "0.0.0.0" ]; then
  cat <<TEXT

The server listens on $listening only (RemoteBindAddress in $conf), so other machines cannot reach it
yet: run this script again with --all-interfaces, and let TCP port 3050 through the firewall.
TEXT
fi
