#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests: its own cluster in a private folder, reachable
# only through a Unix socket in that folder (no TCP port), trusted local users, no fsync.
#   scripts/pg-test-server.sh start DIR DBNAME   creates DIR (must not hold a running server)
#   scripts/pg-test-server.sh stop DIR           stops the server and removes DIR
#   scripts/pg-test-server.sh restart DIR        stops and starts the same cluster (keeps data)
# Connect with "host=DIR/sock dbname=DBNAME user=postgres" (user "$USER" when not root).
# initdb refuses to run as root, so as root the cluster belongs to the "postgres" user.
set -euo pipefail

mode=${1:-}; dir=${2:-}
case "$mode" in start|stop|restart) ;; *) echo "usage: $0 start DIR DBNAME | stop DIR | restart DIR" >&2; exit 2 ;; esac
[ -n "$dir" ] || { echo "$0: no folder given" >&2; exit 2; }

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
    echo "$0: the PostgreSQL server programs are not installed (Debian package postgresql)" >&2
    exit 3
fi

as_owner=()
if [ "$(id -u)" -eq 0 ]; then as_owner=(runuser -u postgres --); fi

server_running() { [ -f "$dir/data/postmaster.pid" ] && "${as_owner[@]}" "$bindir/pg_ctl" -D "$dir/data" status >/dev/null 2>&1; }

stop_server() {
    if server_running; then
        # A server killed meanwhile leaves nothing to stop; one still running is an error.
        "${as_owner[@]}" "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 \
            || ! server_running || { echo "$0: the server in $dir does not stop" >&2; exit 1; }
    fi
}

start_server() {
    # listen_addresses='' means no TCP at all; -F skips fsync (the data is thrown away).
    if ! "${as_owner[@]}" "$bindir/pg_ctl" -D "$dir/data" -w -t 60 -l "$dir/log" \
            -o "-c listen_addresses='' -c unix_socket_directories='$dir/sock' -c max_connections=60 -F" \
            start >/dev/null; then
        echo "$0: the server did not start; its log follows" >&2
        cat "$dir/log" >&2 || true
        exit 1
    fi
}

case "$mode" in
stop)
    [ -d "$dir" ] || exit 0
    stop_server
    rm -rf -- "$dir"
    ;;
restart)
    stop_server
    start_server
    ;;
start)
    # A folder left by a run that was killed: stop its server and start afresh.
    if [ -e "$dir" ]; then
        # As root the folder was handed to postgres when it was made.
        owner=$(stat -c %U -- "$dir")
        if [ "$owner" != "$(id -un)" ] && { [ ${#as_owner[@]} -eq 0 ] || [ "$owner" != postgres ]; }; then
            echo "$0: $dir belongs to $owner" >&2; exit 1
        fi
        stop_server
        rm -rf -- "$dir"
    fi
    dbname=${3:?"$0: no database name given"}
    mkdir -m 0700 "$dir" "$dir/sock"
    if [ ${#as_owner[@]} -gt 0 ]; then chown -R postgres: "$dir"; fi
    "${as_owner[@]}" "$bindir/initdb" --no-sync --auth=trust --username=postgres -D "$dir/data" >"$dir/initdb.log" 2>&1 \
        || { cat "$dir/initdb.log" >&2; exit 1; }
    # Members of the role password_required must give a password, so that the tests can see
    # what libpq says about missing and wrong ones; everyone else is trusted.
    printf 'local all +password_required scram-sha-256\nlocal all all trust\n' >"$dir/data/pg_hba.conf"
    start_server
    "${as_owner[@]}" "$bindir/createdb" -h "$dir/sock" -U postgres "$dbname"
    "${as_owner[@]}" "$bindir/psql" -q -h "$dir/sock" -U postgres -d "$dbname" -c 'CREATE ROLE password_required NOLOGIN'
    echo "PostgreSQL for the tests: host=$dir/sock dbname=$dbname user=postgres"
    ;;
esac
