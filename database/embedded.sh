# Sourced by the database scripts: sets isql to Firebird's isql (the caller's name, $1, in its message when
# there is none) and gives the embedded engine a lock folder it may write to.
isql=$(command -v isql-fb || command -v isql || true)
[ -n "$isql" ] || { echo "$1: isql-fb not found" >&2; exit 1; }

# The embedded engine keeps its lock files in /tmp/firebird; a user who may not write there (the
# server's account made it) gets a folder of his own, as the program does.
if [ -z "${FIREBIRD_LOCK:-}" ] && [ -d /tmp/firebird ] && { ! [ -w /tmp/firebird ] || ! [ -x /tmp/firebird ]; }; then
  export FIREBIRD_LOCK="${TMPDIR:-/tmp}/firebird-$(id -u)"
  mkdir -p "$FIREBIRD_LOCK"
fi
