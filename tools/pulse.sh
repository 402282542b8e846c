#!/usr/bin/env bash
# Sourced by the tools: a private, headless PulseAudio server with one null sink ("test_sink"), so audio tests
# and benchmarks have a real device without a sound card.
#   pulse_start   starts it, exports PULSE_SERVER and SPRECHKIT_PULSE_PID; returns non-zero when impossible
#   pulse_stop    stops it by its PID and removes its folder
# Qt only sees a server that exists when the program first asks for devices, so start it before the programs.

pulse_start() {
    command -v pulseaudio >/dev/null || { echo "pulse.sh: pulseaudio is not installed" >&2; return 1; }
    SPRECHKIT_PULSE_DIR=$(mktemp -d /tmp/sprechkit-pulse.XXXXXX)
    local socket="$SPRECHKIT_PULSE_DIR/pulse.sock"
    # The server keeps its state below HOME and XDG_RUNTIME_DIR: point both into the private folder.
    HOME="$SPRECHKIT_PULSE_DIR" XDG_RUNTIME_DIR="$SPRECHKIT_PULSE_DIR" \
        pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disallow-exit \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" \
        --load="module-null-sink sink_name=test_sink sink_properties=device.description=TestSink" \
        >"$SPRECHKIT_PULSE_DIR/server.log" 2>&1 &
    SPRECHKIT_PULSE_PID=$!
    export SPRECHKIT_PULSE_PID SPRECHKIT_PULSE_DIR
    export PULSE_SERVER="unix:$socket"
    local i
    for ((i = 0; i < 100; i++)); do
        if command -v pactl >/dev/null; then
            pactl info >/dev/null 2>&1 && return 0
        elif [[ -S $socket ]]; then
            return 0
        fi
        kill -0 "$SPRECHKIT_PULSE_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "pulse.sh: PulseAudio did not come up (see $SPRECHKIT_PULSE_DIR/server.log)" >&2
    pulse_stop
    return 1
}

pulse_stop() {
    if [[ -n ${SPRECHKIT_PULSE_PID:-} ]]; then
        kill "$SPRECHKIT_PULSE_PID" 2>/dev/null && wait "$SPRECHKIT_PULSE_PID" 2>/dev/null || true
        SPRECHKIT_PULSE_PID=
    fi
    if [[ -n ${SPRECHKIT_PULSE_DIR:-} && -d $SPRECHKIT_PULSE_DIR ]]; then
        rm -rf "$SPRECHKIT_PULSE_DIR"
        SPRECHKIT_PULSE_DIR=
    fi
    unset PULSE_SERVER
}
