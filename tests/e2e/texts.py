# SPDX-License-Identifier: GPL-3.0-or-later
# Prints what a screen reader finds on screen of the program, one object a
# line as "role<TAB>name", read over AT-SPI. Usage: texts.py PID
import sys

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi  # noqa: E402


def walk(node, out):
    if node is None:
        return
    states = node.get_state_set()
    if not states.contains(Atspi.StateType.SHOWING):
        return
    name = node.get_name() or ''
    out.append('%s\t%s' % (node.get_role_name(), name.replace('\n', ' ')))
    for i in range(node.get_child_count()):
        walk(node.get_child_at_index(i), out)


pid = int(sys.argv[1])
desktop = Atspi.get_desktop(0)
out = []
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is not None and app.get_process_id() == pid:
        for j in range(app.get_child_count()):
            walk(app.get_child_at_index(j), out)
print('\n'.join(out))
