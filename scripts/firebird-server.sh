#!/usr/bin/env bash
# Installs and starts Firebird 3's server on 127.0.0.1:3050 for the tests that need a server and for
# served databases (scripts/serve-database.sh); checks that its administrator can log in, then prints the
# ISC_USER and ISC_PASSWORD exports. Any failure only means those tests skip: exit 0, no exports, the
# reason on stderr.
# The administrator (SYSDBA) gets a random password, kept in /etc/firebird/3.0/SYSDBA.password, or the one
# TARVIS_SYSDBA_PASSWORD gives (CI passes its own so); a server found with a known default password gets a
# new one the same way.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/sysdba-password.sh"
port_open() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# The server keeps its lock files in its own runtime folder. The embedded engine's /tmp/firebird holds
# files of whoever ran it (the tests, isql-fb, the program), and the server's account cannot open those:
# sharing it, the server refuses every log-in after an embedded run by another user.
lock_dir=/run/firebird3.0
dropin=/etc/systemd/system/firebird3.0.service.d/lock-folder.conf

if ! dpkg-query -W -f='${Status}' firebird3.0-server 2>/dev/null | grep -q "install ok installed"; then
  # The package's own set-up writes the password into the security database and SYSDBA.password.
  first=$(sysdba_new_password) || exit 0
  echo "firebird3.0-server shared/firebird/sysdba_password/first_install password $first" |
    $sudo debconf-set-selections >&2
  $sudo apt-get update -qq >&2 || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends firebird3.0-server >&2 || exit 0
fi

systemd=0
[ -d /run/systemd/system ] && systemctl cat firebird3.0.service >/dev/null 2>&1 && systemd=1
if [ "$systemd" = 1 ] && ! $sudo test -e "$dropin"; then
  $sudo mkdir -p "$(dirname "$dropin")"
  printf '[Service]\nEnvironment=FIREBIRD_LOCK=%s\n' "$lock_dir" | $sudo tee "$dropin" >/dev/null
  $sudo systemctl daemon-reload >&2 || true
fi

start_server() {
  if [ "$systemd" = 1 ]; then
    $sudo systemctl "$1" firebird3.0.service >&2 || true
  else
    $sudo install -d -o firebird -g firebird -m 0770 "$lock_dir"
    $sudo su -s /bin/sh firebird -c "FIREBIRD_LOCK=$lock_dir /usr/sbin/fbguard -daemon -forever" >&2 || true
  fi
  for _ in $(seq 1 50); do port_open && break; sleep 0.2; done
}

port_open || start_server start
port_open || { echo "Firebird server did not start; server tests skip" >&2; exit 0; }

password_file=/etc/firebird/3.0/SYSDBA.password
$sudo test -r "$password_file" || { echo "$password_file is missing; server tests skip" >&2; exit 0; }
password=$($sudo sh -c ". $password_file && printf %s \"\$ISC_PASSWORD\"")

# A real log-in through the services manager: an open port alone says nothing about the security
# database behind it.
login() { ISC_USER=SYSDBA ISC_PASSWORD="$password" fbsvcmgr 127.0.0.1:service_mgr info_server_version 2>&1; }
if ! error=$(login); then
  if [ "$systemd" = 1 ]; then
    # A service started before its own lock folder was set: once more with it.
    start_server restart
    error=$(login) && error=""
  fi
  if [ -n "$error" ]; then
    echo "Firebird server on 127.0.0.1:3050 refuses the administrator's log-in: $error" >&2
    echo "A server started without FIREBIRD_LOCK=$lock_dir shares the embedded engine's lock folder;" \
      "stop it and run this script again. Server tests skip." >&2
    exit 0
  fi
fi

# Replaces a known default password: the new SYSDBA.password is written aside first, then the password is
# changed in the security database (through a scratch database of the server's own, as the security
# database takes no log-in from outside), then the new file takes the old one's place. The new password
# travels on standard input, never on a command line.
replace_default_password() {
  local new dir old_file new_file=$password_file.new status=0
  new=$(sysdba_new_password) || return 1
  old_file=$($sudo cat "$password_file") || return 1
  { printf '%s\n' "$old_file" | grep -v '^[[:space:]]*ISC_PASSWORD='; printf 'ISC_PASSWORD="%s"\n' "$new"; } |
    (umask 077 && $sudo tee "$new_file" >/dev/null) || return 1
  if dir=$($sudo mktemp -d) && $sudo chown firebird:firebird "$dir"; then
    printf "create database '127.0.0.1:%s/password.fdb';\nalter user SYSDBA password '%s';\ncommit;\n%s\n" \
      "$dir" "$new" "drop database;" | ISC_USER=SYSDBA ISC_PASSWORD="$password" isql-fb -q -b >&2 || status=1
  else
    status=1
  fi
  [ -z "${dir:-}" ] || $sudo rm -rf "$dir"
  if [ "$status" != 0 ]; then
    $sudo rm -f "$new_file"
    return 1
  fi
  $sudo mv -f "$new_file" "$password_file" || return 1
  password=$new
}
if sysdba_password_is_default "$password"; then
  replace_default_password ||
    echo "SYSDBA's password on 127.0.0.1:3050 is a known default and could not be replaced; change it" \
      "(dpkg-reconfigure firebird3.0-server) before the server is reached from other machines" >&2
fi
printf "export ISC_USER=SYSDBA ISC_PASSWORD=%q\n" "$password"
