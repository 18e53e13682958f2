#!/bin/sh
# The user's everyday actions in random order, see random_actions.py.
# Usage: random-actions.sh TESSIVAN [SEED [SECONDS]]
set -eu
. "$(dirname "$0")/xsession.sh"
start_x
start_app "$1"
seed=${2:-${RANDOM_ACTIONS_SEED:-1}}
seconds=${3:-${RANDOM_ACTIONS_SECONDS:-60}}
WINDOW=$window APP_PID=$app_pid TEXT1_AT=$TEXT1_AT TEXT2_AT=$TEXT2_AT CONVERT_AT=$CONVERT_AT \
    COPY_AT=$COPY_AT CLEAR_AT=$CLEAR_AT MAIL_AT=$MAIL_AT \
    /usr/bin/python3 "$(dirname "$0")/random_actions.py" "$seed" "$seconds" || fail "random actions failed"
alive
