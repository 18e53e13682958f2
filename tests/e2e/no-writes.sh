#!/bin/sh
# A whole session under strace: typing, converting, copying, clearing, both
# contact labels and closing, the clipboard's text going to the keeper. The
# program and its keeper open no file for writing and no network connection;
# local sockets go only to the X server (and D-Bus, where a session bus runs);
# the text is on no command line. Other programs it starts (the URL handler)
# are their own.
set -eu
. "$(dirname "$0")/xsession.sh"
start_x
export XDG_CACHE_HOME="$work/cache"
record_urls

trace="$work/trace"
launcher="strace -f -qq -s 4096 -o $trace -e trace=open,openat,creat,truncate,rename,renameat,renameat2,mkdir,mkdirat,unlink,unlinkat,link,symlink,socket,connect,bind,sendto,execve"
# LeakSanitizer, where built in, cannot stop the world under strace's ptrace.
start_app "$1" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

click $TEXT1_AT
type_text 'Typed in, then converted.'
keys Return
click $CONVERT_AT
click $COPY_AT
clipboard_is 'TyPeD In, ThEn cOnVeRtEd.
'
click $CLEAR_AT
click $SITE_AT
opened_are "$CONTACT_ADDRESS"
click $MAIL_AT
message_box
# The e-mail address is on the clipboard as the window closes; strace ends
# with the keeper, when another client copies.
ask_to_close
wait_until 5 grep -q 'tessivan-keeper-x11.*= 0$' "$trace" || true
clipboard_is "$CONTACT_MAIL"
copy_text 'replaced'
wait "$app_pid" || fail "the session ended with status $?"
app_pid=
grep -q 'execve("[^"]*tessivan-keeper-x11", \["[^"]*tessivan-keeper-x11"\]' "$trace" ||
    fail "the keeper did not start as expected: $(grep keeper "$trace")"

# Lines of processes that went on to run another program are not the program's.
awk '
    { pid = $1 }
    / execve\(/ && !/tessivan-keeper-x11/ { if (seen[pid]++ || started) other[pid] = 1; started = 1 }
    other[pid] { next }
    / = -1 / { next } # refused: nothing happened
    /^[0-9]+ +(open|openat|creat)\(/ && /O_WRONLY|O_RDWR|O_CREAT|O_TRUNC/ && !/"\/dev\/null"/ { print "writes: " $0; bad = 1 }
    /^[0-9]+ +(truncate|rename|renameat2?|mkdir|mkdirat|unlink|unlinkat|link|symlink)\(/ { print "changes files: " $0; bad = 1 }
    /^[0-9]+ +socket\((AF_INET|AF_INET6|AF_PACKET)/ { print "network socket: " $0; bad = 1 }
    /^[0-9]+ +connect\(/ && !/sun_path=@?"\/tmp\/\.X11-unix\/X[0-9]+"/ && !/bus/ { print "connects: " $0; bad = 1 }
    /^[0-9]+ +(bind|sendto)\(/ && /AF_INET/ { print "network: " $0; bad = 1 }
    END { exit bad }
' "$trace" || fail "the program wrote a file or used the network (above)"
echo "e2e no-writes: passed"
