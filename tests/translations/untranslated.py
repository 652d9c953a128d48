#!/usr/bin/env python3
"""Chinese texts in the sources that the English translation does not cover.

Usage: untranslated.py TS_FILE SOURCE_DIR

Every string literal of SOURCE_DIR that holds Chinese must be a source text of TS_FILE (as
lupdate found it in a translation call), alone or joined with the literals beside it. The
literals of the statement after a comment that says "untranslated:" stay as they are on
purpose. Prints each text found and exits 1.
"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

CHINESE = re.compile(r'[\u3400-\u9fff]')
ESCAPES = {'n': '\n', 't': '\t', '0': '\0'}
# Comments, character literals, raw and plain string literals (their texts: raw, s).
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|\'(?:\\.|[^\'\\])*\'|(?:u8|[uUL])?(?:'
                   r'R"(?P<d>[^(\s]*)\((?P<raw>.*?)\)(?P=d)"|"(?P<s>(?:\\.|[^"\\])*)")', re.S)


def source_texts(ts_path):
    root = ET.parse(ts_path).getroot()
    return {m.findtext('source') for m in root.iter('message')}


def literals(text):
    """The runs of adjacent string literals as [line, value, exempt], comments skipped; a run is
    exempt within the statement after an "untranslated:" comment."""
    runs, exempt_until, last_end = [], -1, -1
    for m in TOKEN.finditer(text):
        if m.group(0).startswith('//') and 'untranslated:' in m.group(0):
            exempt_until = text.find(';', m.end())
        if m.group('s') is not None:
            value = re.sub(r'\\(.)', lambda e: ESCAPES.get(e.group(1), e.group(1)), m.group('s'))
        elif m.group('raw') is not None:
            value = m.group('raw')
        else:
            continue
        if runs and not text[last_end:m.start()].strip():
            runs[-1][1] += value
        else:
            runs.append([text.count('\n', 0, m.start()) + 1, value, m.start() < exempt_until])
        last_end = m.end()
    return runs


def main(ts_path, source_dir):
    known = source_texts(ts_path)
    root = pathlib.Path(source_dir)
    found = []
    for path in sorted(root.rglob('*')):
        if path.suffix not in ('.cpp', '.h'):
            continue
        relative = path.relative_to(root).as_posix()
        for line, value, exempt in literals(path.read_text(encoding='utf-8')):
            if CHINESE.search(value) and value not in known and not exempt:
                found.append(f'{relative}:{line}: {value!r}')
    for entry in found:
        print('not translated:', entry)
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:3]))
