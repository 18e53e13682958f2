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
export XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
printf '#!/bin/sh\necho "$1" >"%s/opened"\n' "$work" >"$work/record-url"
chmod +x "$work/record-url"
printf '[Desktop Entry]\nType=Application\nName=Record\nExec=%s/record-url %%u\nMimeType=x-scheme-handler/http;\n' \
    "$work" >"$XDG_DATA_HOME/applications/record-url.desktop"
printf '[Default Applications]\nx-scheme-handler/http=record-url.desktop\n' >"$XDG_CONFIG_HOME/mimeapps.list"

trace="$work/trace"
launcher="strace -f -qq -s 4096 -o $trace -e trace=open,openat,creat,truncate,rename,renameat,renameat2,mkdir,mkdirat,unlink,unlinkat,link,symlink,socket,connect,bind,sendto,execve"
# LeakSanitizer, where built in, cannot stop the world under strace's ptrace.
start_app "$1" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

click $TEXT1_AT
xdotool type --delay 5 'Typed in, then converted.'
xdotool key Return
click $CONVERT_AT
click $COPY_AT
clipboard_is 'TyPeD In, ThEn cOnVeRtEd.
'
click $CLEAR_AT
click 70 16 # the web host
for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
[ -s "$work/opened" ] || fail "the web host click opened nothing"
click 230 16 # the e-mail address
message=$(xdotool search --sync --onlyvisible --name "^$TESSIVAN_VENDOR$" | head -n 1)
xdotool windowfocus --sync "$message" key Return
sleep 0.3
# The e-mail address is on the clipboard as the window closes; strace ends
# with the keeper, when another client copies.
"$CLOSE_WINDOW" "$window"
for _ in $(seq 50); do
    grep -q 'tessivan-keeper-x11.*= 0$' "$trace" && break
    sleep 0.1
done
clipboard_is "$CONTACT_MAIL"
printf 'replaced' | xclip -selection clipboard
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
