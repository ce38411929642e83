# Sourced by the server scripts: what they know of the server administrator's (SYSDBA's) password.

# Whether a password is one everybody knows: none, or the default of Firebird's installers (in any letter
# case, also cut to the eight letters older servers compared).
sysdba_password_is_default() {
  case "${1,,}" in
    "" | masterkey | masterke) return 0 ;;
    *) return 1 ;;
  esac
}

# A new password for a server: TARVIS_SYSDBA_PASSWORD when it is set (letters, digits, '.', '_' and '-'; a
# known default is refused), else twenty random letters and digits. Fails, with the reason on stderr, for a
# refused TARVIS_SYSDBA_PASSWORD.
sysdba_new_password() {
  local wanted=${TARVIS_SYSDBA_PASSWORD:-}
  if [ -z "$wanted" ]; then
    head -c 64 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 20
    return 0
  fi
  if sysdba_password_is_default "$wanted"; then
    echo "TARVIS_SYSDBA_PASSWORD is a known default password, not used" >&2
    return 1
  fi
  if ! [[ $wanted =~ ^[A-Za-z0-9._-]+$ ]]; then
    echo "TARVIS_SYSDBA_PASSWORD may hold letters, digits, '.', '_' and '-' only" >&2
    return 1
  fi
  printf %s "$wanted"
}
