#!/usr/bin/env python3
"""Chinese texts in the sources that the English translation does not cover.

Usage: untranslated.py TS_FILE SOURCE_DIR PENDING_FILE

Every string literal of SOURCE_DIR that holds Chinese must be a source text of TS_FILE (as
lupdate found it in a translation call), alone or joined with the literals beside it. The
literals of the statement after a comment that says "untranslated:" stay as they are on
purpose. Paths listed in PENDING_FILE (relative to SOURCE_DIR, a folder
ending in "/") are not translated yet and are skipped. Prints each text found and exits 1.
"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

CHINESE = re.compile(r'[\u3400-\u9fff]')
ESCAPES = {'n': '\n', 't': '\t', '"': '"', "'": "'", '\\': '\\', '0': '\0'}


def source_texts(ts_path):
    root = ET.parse(ts_path).getroot()
    return {m.findtext('source') for m in root.iter('message')}


def literals(text):
    """The runs of adjacent string literals as (line, value, exempt), comments skipped; a run is
    exempt within the statement after an "untranslated:" comment."""
    runs, exempt_until = [], -1
    i, line, n = 0, 1, len(text)
    run, run_line, run_end, run_exempt = None, 0, 0, False
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            end = text.find('\n', i)
            end = n if end < 0 else end
            if 'untranslated:' in text[i:end]:
                exempt_until = text.find(';', end)
            i = end
            continue
        if text.startswith('/*', i):
            end = text.find('*/', i + 2)
            end = n if end < 0 else end + 2
            line += text.count('\n', i, end)
            i = end
            continue
        if c == '\n':
            line += 1
        if c == "'":
            m = re.match(r"'(\\.|[^'\\])*'", text[i:])
            i += len(m.group(0)) if m else 1
            continue
        if c == '"' and (i == 0 or not (text[i - 1].isalnum() and text[i - 1] not in 'uUL8')):
            value, j = [], i + 1
            while j < n and text[j] != '"':
                if text[j] == '\\':
                    value.append(ESCAPES.get(text[j + 1], text[j + 1]))
                    j += 2
                else:
                    value.append(text[j])
                    j += 1
            joined = text[run_end:i].strip() in ('', 'u', 'u8', 'U', 'L') if run is not None else False
            if joined:
                run += ''.join(value)
            else:
                if run is not None:
                    runs.append((run_line, run, run_exempt))
                run, run_line, run_exempt = ''.join(value), line, i < exempt_until
            i = run_end = j + 1
            continue
        i += 1
    if run is not None:
        runs.append((run_line, run, run_exempt))
    return runs


def main(ts_path, source_dir, pending_path):
    known = source_texts(ts_path)
    pending = [p.strip() for p in pathlib.Path(pending_path).read_text().splitlines()
               if p.strip() and not p.startswith('#')]
    root = pathlib.Path(source_dir)
    found = []
    for path in sorted(root.rglob('*')):
        if path.suffix not in ('.cpp', '.h'):
            continue
        relative = path.relative_to(root).as_posix()
        if any(relative == p or (p.endswith('/') and relative.startswith(p)) for p in pending):
            continue
        for line, value, exempt in literals(path.read_text(encoding='utf-8')):
            if CHINESE.search(value) and value not in known and not exempt:
                found.append(f'{relative}:{line}: {value!r}')
    for entry in found:
        print('not translated:', entry)
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:4]))
