#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every external command that the tests, the benchmarks, the tools and the
Makefile call must come from a Debian package that a bare Debian 12 has or
that tools/install-deps.sh installs.

Usage: check_commands.py SOURCE_DIR

A command counts as provided when
  - it lies in the standard PATH (not in /usr/local, which no package fills),
  - dpkg -S names the package that holds it, and
  - that package is named by install-deps.sh (any of its sets), is Essential
    or of priority required (what even debootstrap's minbase has), or is
    pulled in by one of those through Depends and Pre-Depends as apt does on
    a bare system: of "a | b" the first alternative that is installed here,
    of a virtual package its installed providers. Recommends do not count,
    as the installer passes --no-install-recommends.
"""
import glob
import os
import re
import shutil
import subprocess
import sys

# Where commands are called, and how each kind of file is read.
SOURCES = [
    ('tests/e2e/*.sh', 'shell'),
    ('tests/*.sh', 'shell'),
    ('tests/fuzz/run.sh', 'shell'),
    ('bench/*.sh', 'shell'),
    ('tools/*.sh', 'shell'),
    ('Makefile', 'make'),
    ('**/CMakeLists.txt', 'cmake'),
]
# Runs apart from make test, and installs what it needs first itself
# (install-deps.sh fresh).
LEFT_OUT = {'tools/fresh-check.sh'}

# Words that run a command given among their arguments: how many plain words
# of their own come first (after options, and the values of the options
# listed), or ALL when every argument is a command.
ALL = -1
WRAPPERS = {
    'exec': (0, ()), 'command': (0, ()), 'nohup': (0, ()), 'setsid': (0, ()), 'time': (0, ()),
    'sudo': (0, ()), '$sudo': (0, ()), 'dbus-run-session': (0, ()), 'env': (0, ('-u',)),
    'unshare': (0, ()), 'nice': (0, ('-n',)), 'timeout': (1, ('-s', '-k')),
    'xvfb-run': (0, ('-s', '-n', '-f', '-e', '-p')),
    'e2e_retry': (2, ()),  # e2e_retry TRIES PAUSE COMMAND...
    'e2e_need': (ALL, ()),  # the tools a test cannot do without
}
# Options after which a wrapper only looks a command up.
LOOKUPS = {'command': ('-v', '-V')}
# Words before a command that are not one.
KEYWORDS = {'if', 'then', 'else', 'elif', 'do', 'while', 'until', '!', '{', '}', 'fi', 'done', 'esac'}
PATH = '/usr/sbin:/usr/bin:/sbin:/bin'


class Word:
    def __init__(self, line):
        self.text, self.line, self.dynamic, self.forced = '', line, False, False


class Shell:
    """A reader of shell text that finds the simple commands in it, also
    inside $(...), `...`, <(...) and subshells; here-documents, strings and
    test expressions are skipped."""

    def __init__(self, text):
        self.s, self.i, self.line = text, 0, 1
        self.commands, self.functions, self.heredocs = [], set(), []
        self.case_depth, self.pattern_next = 0, False
        self.parse(None)

    def at(self, token):
        return self.s.startswith(token, self.i)

    def skip_to(self, pattern):
        m = re.compile(pattern).search(self.s, self.i)
        end = m.end() if m else len(self.s)
        self.line += self.s.count('\n', self.i, end)
        self.i = end

    def parse(self, close):
        words = []
        while self.i < len(self.s):
            c = self.s[self.i]
            if close and self.at(close):
                self.i += len(close)
                break
            if c == '\n':
                self.i += 1
                self.line += 1
                words = self.end(words)
                while self.heredocs:
                    delimiter = self.heredocs.pop(0)
                    self.skip_to(r'(?m)^\s*' + re.escape(delimiter) + r'\s*$')
            elif c in ' \t':
                self.i += 1
            elif self.at('\\\n'):
                self.i += 2
                self.line += 1
            elif c == '#':
                self.skip_to(r'(?=\n)|$')
            elif self.at(';;'):
                self.i += 2
                words = self.end(words)
                self.pattern_next = self.case_depth > 0
            elif self.at('&&') or self.at('||') or c in ';&|':
                self.i += 2 if self.at('&&') or self.at('||') else 1
                words = self.end(words)
            elif self.at('((') and [w.text for w in words] in ([], ['for']):  # arithmetic
                self.skip_to(r'\)\)')
            elif c == '(':
                self.i += 1
                if words and self.at(')'):  # name() { ... }
                    self.functions.add(words[-1].text)
                    self.i += 1
                    words = []
                elif words and words[-1].text.endswith('='):  # an array's words
                    self.array()
                else:
                    words = self.end(words)
                    self.parse(')')
            elif c == ')':
                self.i += 1
                words = self.end(words)
            elif c in '<>':
                self.redirection()
            else:
                word = self.word()
                if not words and self.pattern_next:
                    self.pattern_next = False
                    if word.text == 'esac':
                        self.case_depth -= 1
                    else:
                        self.skip_to(r'\)')
                    continue
                words.append(word)
                if word.text == '[[' and all(w.text in KEYWORDS for w in words[:-1]):  # a test, no commands
                    self.skip_to(r'\]\]')
                    words.pop()
                if [w.text for w in words[:1]] == ['case'] and word.text == 'in':
                    words, self.case_depth, self.pattern_next = [], self.case_depth + 1, True
        self.end(words)

    def end(self, words):
        if words:
            self.commands.append(words)
            if words[0].text == 'esac':
                self.case_depth -= 1
        return []

    def array(self):
        while self.i < len(self.s) and not self.at(')'):
            if self.s[self.i] in ' \t\n':
                self.line += self.at('\n')
                self.i += 1
            elif self.at('#'):  # a comment among the elements, quotes and brackets in it too
                self.i = self.s.find('\n', self.i) % (len(self.s) + 1)
            else:
                start = self.i
                self.word()
                if self.i == start:  # an operator no array holds: step over it, not forever
                    self.i += 1
        self.i += 1

    def redirection(self):
        op = re.compile(r'[<>&|0-9-]*').match(self.s, self.i).group()
        if op in ('<', '>') and self.s[self.i + 1:self.i + 2] == '(':  # process substitution
            self.i += 2
            self.parse(')')
            return
        self.i += len(op)
        while self.at(' ') or self.at('\t'):
            self.i += 1
        if op.endswith('&') or op.endswith('-') and op.startswith('>'):  # 2>&1, >&2
            return
        target = self.word()
        if op in ('<<', '<<-'):
            self.heredocs.append(target.text)

    def word(self):
        word = Word(self.line)
        while self.i < len(self.s):
            c = self.s[self.i]
            if c in ' \t\n;&|()<>':
                break
            if c == '\\':
                word.text += self.s[self.i + 1:self.i + 2]
                self.i += 2
            elif c == "'":
                end = self.s.index("'", self.i + 1)
                word.text += self.s[self.i + 1:end]
                self.line += self.s.count('\n', self.i, end)
                self.i = end + 1
            elif c == '"':
                self.i += 1
                self.quoted(word)
            elif c in '$`':
                self.expansion(word)
            else:
                word.text += c
                self.i += 1
        return word

    def quoted(self, word):
        while self.i < len(self.s) and not self.at('"'):
            if self.at('\\'):
                word.text += self.s[self.i + 1:self.i + 2]
                self.i += 2
            elif self.s[self.i] in '$`':
                self.expansion(word)
            else:
                self.line += self.at('\n')
                word.text += self.s[self.i]
                self.i += 1
        self.i += 1

    def expansion(self, word):
        word.dynamic = True
        start = self.i
        if self.at('$(('):
            self.skip_to(r'\)\)')
        elif self.at('$('):
            self.i += 2
            self.parse(')')
        elif self.at('`'):
            self.i += 1
            self.parse('`')
        elif self.at('${'):
            self.i += 2
            depth = 1
            while self.i < len(self.s) and depth:
                if self.at('$('):
                    self.i += 2
                    self.parse(')')
                    continue
                depth += {'{': 1, '}': -1}.get(self.s[self.i], 0)
                self.i += 1
        else:
            self.i += 1
            self.i = re.compile(r'[A-Za-z0-9_@*#?$!-]*').match(self.s, self.i).end()
        word.text += self.s[start:self.i] if not self.s[start:self.i].startswith('$(') else '$()'


def shell_commands(text):
    """(line, name) of every command the shell text calls, and the names of
    the functions it defines."""
    shell = Shell(text)
    found = []
    for words in shell.commands:
        while words and words[0].text in KEYWORDS:
            words = words[1:]
        if not words or words[0].text in ('for', 'select', 'case', 'function', 'local', 'declare', 'export'):
            continue
        while words:
            while words and re.match(r'^[A-Za-z_][A-Za-z0-9_]*=', words[0].text):
                words = words[1:]
            if not words:
                break
            name = words[0].text.replace('${sudo}', '$sudo')
            words[0].forced = bool(found) and found[-1][1] == 'command'
            found.append((words[0].line, name, words[0]))
            if name in ('bash', 'sh') and len(words) > 2 and words[1].text == '-c':  # shell code in a string
                inner, _ = shell_commands(words[2].text)
                found += [(words[2].line + line - 1, n, w) for line, n, w in inner]
            if name not in WRAPPERS:
                break
            own, valued = WRAPPERS[name]
            rest = words[1:]
            if own == ALL:
                found += [(w.line, w.text, w) for w in rest]
                break
            while rest and (rest[0].text.startswith('-') or '=' in rest[0].text and name == 'env'):
                if rest[0].text in LOOKUPS.get(name, ()):
                    found.pop()
                    rest = []
                    break
                rest = rest[2:] if rest[0].text in valued else rest[1:]
            words = rest[own:]
    return found, shell.functions


def make_recipes(text):
    """The Makefile's recipes and $(shell ...) calls as shell text, one line
    per line of the Makefile so that line numbers hold."""
    lines, in_recipe, continued = [], False, False
    for line in text.split('\n'):
        shell = ' '.join(re.findall(r'\$\(shell ([^)]*)\)', line))
        # A tab starts a recipe line, unless it continues a rule's line.
        if line.startswith('\t') and (in_recipe or not continued):
            shell = line.lstrip('\t').lstrip('@-')
            in_recipe = True
        elif not continued:
            in_recipe = False
        continued = line.endswith('\\')
        shell = re.sub(r'\$\(([A-Za-z_][A-Za-z0-9_]*)\)', r'${\1}', shell).replace('$$', '$')
        lines.append(shell)
    return '\n'.join(lines)


def cmake_commands(text):
    for m in re.finditer(r'add_test\s*\(\s*NAME\s+\S+\s+COMMAND\s+(\S+)', text):
        word = Word(text.count('\n', 0, m.start(1)) + 1)
        word.text, word.dynamic = m.group(1), '$' in m.group(1)
        yield word.line, word.text, word


def calls(root):
    """{command: 'file:line' of its first call} over all the sources."""
    seen, functions, sourced, done = {}, {}, {}, set()
    for pattern, kind in SOURCES:
        for path in sorted(glob.glob(os.path.join(root, pattern), recursive=True)):
            rel = os.path.relpath(path, root)
            if rel in done | LEFT_OUT or os.path.exists(os.path.join(root, rel.split(os.sep)[0], 'CMakeCache.txt')):
                continue  # a build tree
            done.add(rel)
            text = open(path, encoding='utf-8').read()
            if kind == 'cmake':
                found = list(cmake_commands(text))
            else:
                found, functions[rel] = shell_commands(make_recipes(text) if kind == 'make' else text)
                sourced[rel] = re.findall(r'(?m)^\s*(?:source|\.) .*?([\w.-]+)"?$', text)
            seen[rel] = found
    builtins = set(subprocess.run(['bash', '-c', 'compgen -b; compgen -k'], capture_output=True,
                                  text=True).stdout.split())
    calls = {}
    for rel, found in seen.items():
        # Its own functions and those of the files it sources.
        known = functions.get(rel, set()).union(*[f for other, f in functions.items()
                                                   if os.path.basename(other) in sourced.get(rel, [])])
        for line, name, word in found:
            fixed = not word.dynamic and re.match(r'^(/[\w.+/-]+|[\w.+-]+)$', name)  # a name or an absolute path
            if fixed and name not in builtins and (name not in known or word.forced):
                calls.setdefault(name, '%s:%d' % (rel, line))
    return calls


def packages(root):
    """{package: why its commands may be called}."""
    fields = '${db:Status-Abbrev}\t${Package}\t${Essential}\t${Priority}\t${Pre-Depends}, ${Depends}\t${Provides}\n'
    installed, providers = {}, {}
    for line in subprocess.run(['dpkg-query', '-W', '-f=' + fields], capture_output=True, text=True).stdout.splitlines():
        status, name, essential, priority, depends, provides = line.split('\t')
        if status.startswith('ii'):
            installed[name] = (essential == 'yes' or priority == 'required', depends)
            for virtual in re.findall(r'([^\s,(]+)(?:\s*\([^)]*\))?', provides):
                providers.setdefault(virtual.split(':')[0], []).append(name)
    named = subprocess.run(['bash', os.path.join(root, 'tools/install-deps.sh'), 'list'],
                           capture_output=True, text=True, check=True).stdout.split()
    why = {p: 'named by install-deps.sh' for p in named}
    why.update({p: 'essential or required' for p, (base, _) in installed.items() if base and p not in why})
    queue = list(why)
    while queue:
        package = queue.pop(0)
        for group in installed.get(package, (False, ''))[1].split(','):
            for alternative in group.split('|'):
                name = alternative.split()[0].split(':')[0] if alternative.split() else ''
                chosen = [name] if name in installed else providers.get(name, [])
                if chosen:
                    for p in chosen:
                        if p not in why:
                            why[p] = 'needed by ' + package
                            queue.append(p)
                    break
    return why


def owners(paths):
    """{path: package} as dpkg -S finds them."""
    found = {}
    out = subprocess.run(['dpkg', '-S'] + sorted(paths), capture_output=True, text=True).stdout
    for line in out.splitlines():
        if not line.startswith('diversion') and ': ' in line:
            package, path = line.split(': ', 1)
            found[path] = package.split(',')[0].split(':')[0]
    return found


def spellings(path):
    """The path as found and as packages may list it (merged /usr, links)."""
    out = [path, os.path.realpath(path)]
    return out + [re.sub(r'^/usr/(s?bin)/', r'/\1/', p) for p in out] + [re.sub(r'^/(s?bin)/', r'/usr/\1/', p) for p in out]


def main(root):
    commands = calls(root)
    why = packages(root)
    where = {name: shutil.which(name, path=PATH) if not name.startswith('/') else (name if os.path.exists(name) else None)
             for name in commands}
    owner = owners({p for path in where.values() if path for p in spellings(path)})
    failures = []
    for name in sorted(commands):
        path = where[name]
        package = next((owner[p] for p in spellings(path) if p in owner), None) if path else None
        if not path:
            failures.append('%s (%s) is not installed' % (name, commands[name]))
        elif not package:
            failures.append('%s (%s) is %s, which no package holds' % (name, commands[name], path))
        elif package not in why:
            failures.append('%s (%s) is %s of %s, which install-deps.sh neither names nor pulls in'
                            % (name, commands[name], path, package))
        else:
            print('%-22s %-26s %s' % (name, package, why[package]))
    for failure in failures:
        print('FAIL: ' + failure)
    print('%d commands, %d not provided' % (len(commands), len(failures)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
