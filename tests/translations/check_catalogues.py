#!/usr/bin/env python3
"""Each catalogue against what lupdate finds in the sources now, where it must
find every tr(): a complete language translates every text, none keeps a text
the sources dropped, and every translation fills in the same placeholders
(%1, %L1, %n) as its source.
Usage: check_catalogues.py LUPDATE SOURCES_LIST TS_DIR COMPLETE,LANGUAGES"""
import glob, os, re, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

lupdate, sources, ts_dir, complete = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4].split(',')


def messages(path):
    found = {}
    for context in ET.parse(path).getroot().iter('context'):
        for m in context.iter('message'):
            key = (context.findtext('name'), m.findtext('source'), m.findtext('comment') or '')
            found[key] = m.find('translation')
    return found


def placeholders(text):
    return sorted(re.findall(r'%(?:L?[0-9]{1,2}|n)', text or ''))


with tempfile.TemporaryDirectory() as folder:
    fresh = os.path.join(folder, 'fresh.ts')
    run = subprocess.run([lupdate, '-silent', '-locations', 'none', '@' + sources, '-ts', fresh],
                         check=True, capture_output=True, text=True)
    current = messages(fresh)
# A tr() lupdate cannot place in a context never reaches a catalogue.
lost = [line for line in run.stderr.splitlines() if 'without context' in line]
assert not lost, 'texts lupdate cannot collect:\n' + '\n'.join(lost)
assert len(current) > 100, 'lupdate found too few texts in the sources'

catalogues = sorted(glob.glob(os.path.join(ts_dir, 'halvoscope_*.ts')))
assert len(catalogues) >= len(complete)
faults = []
for path in catalogues:
    language = os.path.basename(path)[len('halvoscope_'):-len('.ts')]
    catalogue = messages(path)
    for key in current:
        translation = catalogue.get(key)
        finished = translation is not None and not translation.get('type') and bool(translation.text)
        if translation is None or (language in complete and not finished):
            faults.append(f'{language}: missing or unfinished: {key[1]}')
        elif finished and placeholders(translation.text) != placeholders(key[1]):
            faults.append(f'{language}: placeholders differ: {key[1]} | {translation.text}')
    faults += [f'{language}: no longer in the sources: {key[1]}' for key in catalogue if key not in current]
print('\n'.join(faults) or f'{len(catalogues)} catalogues match {len(current)} texts')
sys.exit(1 if faults else 0)
