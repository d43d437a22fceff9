# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the program as an assistive technology does, over AT-SPI, with no
# pointer and no keyboard: what a compositor without input emulation allows.
# Each command waits (up to a minute) for what it needs to be shown.
#   atspi.py bus                      start the accessibility bus, as a desktop does
#   atspi.py press PID WINDOW BUTTON  press the enabled button of that name
#   atspi.py type PID WINDOW TEXT     put the text into the window's text field
#   atspi.py wait PID WINDOW REGEX    wait for an object whose name matches
# WINDOW is the exact title of a top-level window of the process PID.
import re
import sys
import time

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi  # noqa: E402

PATIENCE = 60


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None and showing(child):
            yield child
            yield from descendants(child)


def window(pid, title):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None or app.get_process_id() != pid:
            continue
        app.clear_cache()  # states and names as they are now, not as last seen
        for j in range(app.get_child_count()):
            top = app.get_child_at_index(j)
            if top is not None and top.get_name() == title and showing(top):
                return top
    return None


def find(pid, title, matches, what):
    """The first object of the window that matches, once there is one."""
    deadline = time.monotonic() + PATIENCE
    while True:
        top = window(pid, title)
        found = next((n for n in descendants(top) if matches(n)), None) if top else None
        if found is not None:
            return found
        if time.monotonic() > deadline:
            seen = ['%s %r' % (n.get_role_name(), n.get_name()) for n in descendants(top)] if top else []
            sys.exit('atspi: no %s in %r; shown: %s' % (what, title, ', '.join(seen) or 'no such window'))
        time.sleep(0.1)


def press(pid, title, name):
    def enabled_button(node):
        return (node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name() == name
                and node.get_state_set().contains(Atspi.StateType.SENSITIVE))
    button = find(pid, title, enabled_button, 'enabled button %r' % name)
    names = [button.get_action_name(i) for i in range(button.get_n_actions())]
    if 'Press' not in names or not button.do_action(names.index('Press')):
        sys.exit('atspi: button %r cannot be pressed (actions %s)' % (name, names))


def type_text(pid, title, text):
    field = find(pid, title, lambda n: 'EditableText' in n.get_interfaces(), 'text field')
    if not field.set_text_contents(text):
        sys.exit('atspi: the text field of %r refused %r' % (title, text))


def wait(pid, title, pattern):
    find(pid, title, lambda n: re.search(pattern, n.get_name() or ''), 'object matching /%s/' % pattern)


if __name__ == '__main__':
    command, args = sys.argv[1], sys.argv[2:]
    if command == 'bus':
        Atspi.get_desktop(0).get_child_count()
    else:
        {'press': press, 'type': type_text, 'wait': wait}[command](int(args[0]), *args[1:])
