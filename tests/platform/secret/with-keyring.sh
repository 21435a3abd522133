#!/bin/sh
# Runs a test program in a home of its own, on a session bus of its own:
#   with-keyring.sh keyring TEST...    GNOME Keyring, unlocked, on that bus
#   with-keyring.sh noservice TEST...  a bus on which no Secret Service answers
#                                      (nor can be started)
#   with-keyring.sh silent TEST...     a Secret Service that never answers (the
#                                      bus starts one that never takes its name)
#   with-keyring.sh nobus TEST...      no session bus at all
set -eu
mode=$1
shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
export XDG_RUNTIME_DIR="$home/run" VESK_KEYRING_MODE="$mode"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS
# Under the sanitizers: GLib has no frame pointers, so only the slow unwinder
# shows the libsecret frames that scripts/lsan.supp names.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
case $mode in
keyring)
    dbus-run-session -- sh -c 'printf vesk | gnome-keyring-daemon --unlock --components=secrets >/dev/null && "$@"' sh "$@"
    ;;
noservice)
    # The session bus's own configuration would start GNOME Keyring on demand.
    cat >"$home/bus.conf" <<CONF
<busconfig><type>session</type><listen>unix:dir=$home</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
    dbus-run-session --config-file="$home/bus.conf" -- "$@"
    ;;
silent)
    # What the bus starts stays connected, so it ends with the bus.
    mkdir "$home/services"
    printf '[D-BUS Service]\nName=org.freedesktop.secrets\nExec=/usr/bin/dbus-monitor --session\n' \
        >"$home/services/org.freedesktop.secrets.service"
    cat >"$home/bus.conf" <<CONF
<busconfig><type>session</type><listen>unix:dir=$home</listen><auth>EXTERNAL</auth>
<servicedir>$home/services</servicedir><limit name="service_start_timeout">120000</limit>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
    dbus-run-session --config-file="$home/bus.conf" -- "$@"
    ;;
nobus)
    DBUS_SESSION_BUS_ADDRESS="unix:path=$home/no-bus" "$@"
    ;;
*)
    echo "with-keyring.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
