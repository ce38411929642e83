#!/usr/bin/env bash
# Installs and starts Firebird 3's server on 127.0.0.1:3050 for the tests that need a server (server
# users, several workstations); prints the ISC_USER and ISC_PASSWORD exports of its administrator.
# Any failure only means those tests skip.
set -uo pipefail
port_open() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if ! dpkg-query -W -f='${Status}' firebird3.0-server 2>/dev/null | grep -q "install ok installed"; then
  echo "firebird3.0-server shared/firebird/sysdba_password/first_install password masterkey" |
    $sudo debconf-set-selections >&2
  $sudo apt-get update -qq >&2 || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends firebird3.0-server >&2 || exit 0
fi
if ! port_open; then
  $sudo su -s /bin/sh firebird -c "/usr/sbin/fbguard -daemon -forever" >&2 || true
  for _ in $(seq 1 50); do port_open && break; sleep 0.2; done
fi
port_open || { echo "Firebird server did not start; server tests skip" >&2; exit 0; }
password_file=/etc/firebird/3.0/SYSDBA.password
if $sudo test -r "$password_file"; then
  password=$($sudo sh -c ". $password_file && printf %s \"\$ISC_PASSWORD\"")
  echo "export ISC_USER=SYSDBA ISC_PASSWORD='$password'"
fi
