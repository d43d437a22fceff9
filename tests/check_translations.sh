#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every translation is complete: lupdate, run over the sources into a copy of
# each translations/*.ts, finds no text without a finished translation, and
# lrelease builds it with nothing unfinished; a Latin-script translation has
# no full-width forms, no ≒ or ≦ and no doubled blanks. And no Japanese text
# reaches the screen around the translation: every Japanese string literal of
# the program sits in tr(), QT_TRANSLATE_NOOP or translate().
# Usage: check_translations.sh SOURCE_ROOT LUPDATE LRELEASE SOURCE...
# (the program's sources, relative to SOURCE_ROOT or absolute)
set -uo pipefail
root="$1" lupdate="$2" lrelease="$3"
shift 3
sources=()
for file in "$@"; do
  case "${file}" in *.cpp | *.h) sources+=("${file}") ;; esac
done
[ "${#sources[@]}" -gt 0 ] || { echo "no sources given"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "${work}"' EXIT
status=0

for ts in "${root}"/translations/sorvena_*.ts; do
  name="$(basename "${ts}")"
  cp "${ts}" "${work}/${name}"
  (cd "${root}" && "${lupdate}" -silent -no-obsolete -locations none "${sources[@]}" -ts "${work}/${name}") ||
    { echo "${name}: lupdate failed"; status=1; continue; }
  unfinished=$(python3 - "${work}/${name}" <<'PY'
import sys, xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    for message in context.iter('message'):
        t = message.find('translation')
        texts = [f.text for f in t.findall('numerusform')] if t is not None and message.get('numerus') == 'yes' \
            else [t.text if t is not None else None]
        if t is None or t.get('type') in ('unfinished', 'vanished', 'obsolete') or not all((x or '').strip() for x in texts):
            print('  %s: %s' % (context.findtext('name'), message.findtext('source').replace('\n', '\\n')))
PY
)
  if [ -n "${unfinished}" ]; then
    echo "${name}: texts without a finished translation (add them: see README):"
    echo "${unfinished}"
    status=1
  fi
  # A Latin-script translation sets its formulas in its own typography.
  typography=$(python3 - "${ts}" <<'PY'
import re, sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
japanese = re.compile('[\u3000\uff01-\uff5e\u2252\u2266]|  ')
if root.get('language', '').split('_')[0] not in ('ja', 'zh', 'ko'):
    for message in root.iter('message'):
        t = message.find('translation')
        for text in [] if t is None else [f.text or '' for f in t.findall('numerusform')] or [t.text or '']:
            if japanese.search(text):
                print('  %s' % text.replace('\n', '\\n'))
PY
)
  if [ -n "${typography}" ]; then
    echo "${name}: full-width forms, ≒, ≦ or doubled blanks in translations:"
    echo "${typography}"
    status=1
  fi
  report=$("${lrelease}" "${work}/${name}" -qm "${work}/out.qm" 2>&1)
  if ! grep -q ' 0 unfinished' <<<"${report}" || grep -q 'untranslated' <<<"${report}"; then
    echo "${name}: lrelease: ${report}"
    status=1
  fi
done

# The face names of the Japanese fonts are not shown, and comments are not code.
loose=$(cd "${root}" && python3 - "${sources[@]}" <<'PY'
import pathlib, re, sys
japanese = re.compile(r'"[^"\n]*[\u3000-\u30ff\u4e00-\u9fff\uff01-\uffef][^"\n]*"')
marked = re.compile(r'\b(tr|QT_TRANSLATE_NOOP|QT_TR_NOOP|translated?)\(')
faces = {'"ＭＳ Ｐゴシック"', '"ＭＳ Ｐ明朝"'}
for name in sys.argv[1:]:
    path = pathlib.Path(name)
    inside = False  # a literal that goes on from a marked line is marked too
    for number, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
        code = line.split('//', 1)[0] if not line.lstrip().startswith('//') else ''
        literals = [s for s in japanese.findall(code) if s not in faces]
        inside = bool(marked.search(code)) or (inside and code.lstrip().startswith('"'))
        if literals and not inside:
            print('  %s:%d: %s' % (path, number, line.strip()))
PY
)
if [ -n "${loose}" ]; then
  echo "Japanese text outside tr():"
  echo "${loose}"
  status=1
fi
exit "${status}"
