# The user's everyday actions in random order against the real program on an
# X server, with the clipboard moved between states in between: after each
# action the program runs, and after each Convert the lower box ends with the
# conversion of the upper one. Started by random-actions.sh, which gives it
# the X server, the program and its window.
# Usage: random_actions.py SEED SECONDS  (environment: DISPLAY, APP_PID,
#        WINDOW, HOSTILE_OWNER, ALTERNATE_CASE, TESSIVAN_VENDOR and the controls' positions)
import os
import random
import subprocess
import sys
import time

seed, seconds = int(sys.argv[1]), float(sys.argv[2])
rng = random.Random(seed)
window, app_pid = os.environ["WINDOW"], int(os.environ["APP_PID"])
at = {name: os.environ[name + "_AT"].split() for name in ("TEXT1", "TEXT2", "CONVERT", "COPY", "CLEAR", "MAIL")}
owner = None  # a stand-in owner of the clipboard, when one holds it
done = []


def fail(message):
    print(f"FAIL (seed {seed}, action {len(done)}: {done[-1] if done else 'none'}): {message}", file=sys.stderr)
    print("last actions: " + ", ".join(done[-10:]), file=sys.stderr)
    sys.exit(1)


def run(*command):
    return subprocess.run(command, capture_output=True, timeout=10)


def copy_in(data, *target):
    """Another client owns the clipboard; xclip stays behind to serve it."""
    subprocess.run(["xclip", "-selection", "clipboard", *target], input=data,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)


def xdotool(*arguments):
    run("xdotool", *arguments)


def click(name, button="1"):
    xdotool("mousemove", "--window", window, *at[name], "click", button)
    time.sleep(0.1)


def keys(*names):
    xdotool("key", "--clearmodifiers", *names)
    time.sleep(0.1)


def clipboard():
    result = run("timeout", "3", "xclip", "-o", "-selection", "clipboard")
    return result.stdout.decode("utf-8", "replace") if result.returncode == 0 else ""


def let_owner_go(previous):
    """The stand-in owner that another took over from, or ended, ended well."""
    if previous is None:
        return
    try:
        previous.wait(timeout=5)
    except subprocess.TimeoutExpired:
        previous.kill()
        previous.wait()
    if previous.returncode not in (0, -15) or previous.stderr.read():
        fail(f"the stand-in owner ended with status {previous.returncode}")


def start_owner(mode):
    global owner
    previous, owner = owner, subprocess.Popen([os.environ["HOSTILE_OWNER"], mode],
                                              stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if owner.stdout.readline().strip() != b"ready":
        fail(f"the stand-in owner ({mode}) did not start")
    let_owner_go(previous)


def clipboard_state():
    global owner
    state = rng.choice(["empty", "text", "image", "refusing", "own"])
    if state == "refusing":
        start_owner("refuses")
        return "clipboard " + state
    if state == "empty":
        # An owner that goes leaves the clipboard with none.
        start_owner("refuses")
        owner.terminate()
    elif state == "text":
        copy_in("another client's text\n".encode())
    elif state == "image":
        copy_in(b"\x89PNG\r\n", "-t", "image/png")
    else:
        click(rng.choice(["TEXT1", "TEXT2"]))
        keys("ctrl+a", "ctrl+c")
        time.sleep(0.3)
        if owner is not None and owner.poll() is None:
            return "clipboard own, but the box was empty"
    previous, owner = owner, None
    let_owner_go(previous)
    return "clipboard " + state


def alternate_case(text):
    """The text as the program converts it."""
    return subprocess.run([os.environ["ALTERNATE_CASE"]], input=text.encode(), capture_output=True,
                          check=True, timeout=10).stdout.decode()


def box_text(name):
    # An empty box copies nothing, leaving the clipboard as it was.
    copy_in(b"\0")
    click(name)
    keys("ctrl+a", "ctrl+c")
    time.sleep(0.1)
    text = clipboard()
    return "" if text == "\0" else text


def convert():
    click("CONVERT")
    upper, lower = box_text("TEXT1"), box_text("TEXT2")
    if not lower.endswith(alternate_case(upper)):
        fail(f"the lower box {lower[-60:]!r} does not end with the conversion of {upper[-60:]!r}")
    return "Convert"


def type_text():
    box = rng.choice(["TEXT1", "TEXT2"])
    click(box)
    words = rng.choices(["hello", "World", "ab", "x", "42", "a b", "?!", "zz"], k=rng.randint(1, 3))
    xdotool("type", "--delay", "5", " ".join(words))
    if rng.random() < 0.3:
        keys("Return")
    return f"type into {box}"


def paste():
    box = rng.choice(["TEXT1", "TEXT2"])
    how = rng.choice(["ctrl+v", "shift+Insert", "middle"])
    click(box)
    if how == "middle":
        click(box, "2")
    else:
        keys(how)
    return f"{how} into {box}"


def mail():
    click("MAIL")
    vendor = "^" + os.environ["TESSIVAN_VENDOR"] + "$"
    for _ in range(50):
        found = run("xdotool", "search", "--onlyvisible", "--name", vendor).stdout.split()
        if found:
            xdotool("windowfocus", "--sync", found[0].decode(), "key", "Return")
            time.sleep(0.2)
            return "the e-mail address"
        time.sleep(0.1)
    fail("no message box after a click on the e-mail address")


def edit_keys():
    click(rng.choice(["TEXT1", "TEXT2"]))
    combo = rng.choice(["ctrl+a", "ctrl+c", "ctrl+x", "ctrl+z"])
    keys(combo)
    return combo


actions = [
    type_text, paste, paste, convert, convert,
    lambda: (click("COPY"), "Copy")[1],
    lambda: (click("CLEAR"), "Clear")[1],
    mail, edit_keys, edit_keys,
    lambda: (keys("Tab"), "Tab")[1],
    lambda: (keys("space"), "Space")[1],
    clipboard_state, clipboard_state,
]

start = time.monotonic()
while time.monotonic() - start < seconds:
    done.append("…")
    done[-1] = rng.choice(actions)()
    try:
        os.kill(app_pid, 0)
    except ProcessLookupError:
        fail("the program ended")
if owner is not None:
    owner.terminate()  # it may still own the clipboard: nothing took it over
let_owner_go(owner)
elapsed = time.monotonic() - start
print(f"random actions: seed {seed}, {len(done)} actions in {elapsed:.0f} s ({len(done) / elapsed:.1f} a second)")
