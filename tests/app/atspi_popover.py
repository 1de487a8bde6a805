#!/usr/bin/python3
"""The popover and the setup guide through the real AT-SPI bridge: roles,
names, checked states, a slider's value and range, actions that click, and
only the shown page's text. Inside headless-session.sh
--tray --session-bus. Usage: atspi_popover.py HALVOSCOPE"""
import json, os, shutil, subprocess, sys, tempfile, time
import pyatspi

APP = sys.argv[1]
BUS = ['busctl', '--user']
NAME = ['com.corvanta.Halvoscope', '/com/corvanta/Halvoscope', 'com.corvanta.Halvoscope']


def wait_for(what, probe, timeout=30.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            value = probe()
            if value:
                return value
        except Exception:  # the tree changes under the bridge while pages swap
            pass
        time.sleep(0.1)
    raise AssertionError('timed out waiting for ' + what)


def nodes(acc):
    yield acc
    for child in (acc.getChildAtIndex(i) for i in range(acc.childCount)):
        yield from nodes(child) if child is not None else ()


def find(role, name, showing=True):
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == 'Halvoscope')
    return next((n for n in nodes(app) if n.getRole() == role and n.name == name
                 and (not showing or n.getState().contains(pyatspi.STATE_SHOWING))), None)


def find_text(text, showing=True):
    """Plain text, heard as a label."""
    return find(pyatspi.ROLE_LABEL, text, showing) or find(pyatspi.ROLE_STATIC, text, showing)


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def act(node, action):
    names = [node.queryAction().getName(i) for i in range(node.queryAction().nActions)]
    assert action in names and node.queryAction().doAction(names.index(action)), f'{node.name}: {names}'


def main():
    home = tempfile.mkdtemp()
    procs = []
    try:
        os.makedirs(f'{home}/data/Halvoscope')
        state = f'{home}/data/Halvoscope/state.json'
        with open(state, 'w') as f:
            json.dump({'hasCompletedOnboarding': True, 'activeModeID': 'candle'}, f)
        procs.append(subprocess.Popen(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately']))
        wait_for('the a11y bus', lambda: subprocess.run(BUS + ['status', 'org.a11y.Bus'], capture_output=True).returncode == 0)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=f'{home}/config', XDG_DATA_HOME=f'{home}/data',
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', LANGUAGE='en_US')
        procs.append(subprocess.Popen([APP], env=env))
        wait_for('Halvoscope', lambda: subprocess.run(BUS + ['status', NAME[0]], capture_output=True).returncode == 0)
        subprocess.run(BUS + ['call'] + NAME + ['ShowPopover'], check=True)

        # The preset list: radio buttons, the active preset the one checked.
        presets = ['Standard', 'Red Light', 'Candle', 'Black & White', 'Color Ink', 'Vivid']
        rows = wait_for('the preset rows', lambda: all(find(pyatspi.ROLE_RADIO_BUTTON, p) for p in presets)
                        and {p: find(pyatspi.ROLE_RADIO_BUTTON, p) for p in presets})
        assert [p for p, row in rows.items() if checked(row)] == ['Candle']

        # Press on a row does what a click does.
        act(rows['Red Light'], 'Press')
        wait_for('Red Light checked', lambda: checked(find(pyatspi.ROLE_RADIO_BUTTON, 'Red Light'))
                 and not checked(find(pyatspi.ROLE_RADIO_BUTTON, 'Candle')))
        wait_for('the state file', lambda: json.load(open(state)).get('activeModeID') == 'red-light')

        # Keep Awake is a check box whose Toggle flips it.
        assert not checked(find(pyatspi.ROLE_CHECK_BOX, 'Keep Awake'))
        act(find(pyatspi.ROLE_CHECK_BOX, 'Keep Awake'), 'Toggle')
        wait_for('Keep Awake checked', lambda: checked(find(pyatspi.ROLE_CHECK_BOX, 'Keep Awake')))
        answer = subprocess.run(BUS + ['get-property'] + NAME + ['KeepAwake'], capture_output=True, text=True)
        assert answer.stdout.strip() == 'b true', answer.stdout

        # The editor's temperature slider: value, range and step; Increase steps it.
        # (The row's edit button shows on hover and keyboard focus.)
        act(find(pyatspi.ROLE_PUSH_BUTTON, 'Adjust Red Light', showing=False), 'Press')
        slider = wait_for('the temperature slider', lambda: find(pyatspi.ROLE_SLIDER, 'Color Temperature'))
        value = slider.queryValue()
        assert (value.currentValue, value.minimumValue, value.maximumValue, value.minimumIncrement) == \
            (1000, 1000, 7000, 100), (value.currentValue, value.minimumValue, value.maximumValue)
        act(slider, 'Increase')
        wait_for('1100 K', lambda: find(pyatspi.ROLE_SLIDER, 'Color Temperature').queryValue().currentValue == 1100)

        # The schedule's four time fields say which time they set.
        act(find(pyatspi.ROLE_PUSH_BUTTON, 'Back'), 'Press')
        act(wait_for('Settings', lambda: find(pyatspi.ROLE_PUSH_BUTTON, 'Halvoscope Settings…')), 'Press')
        act(wait_for('the schedule row', lambda: find(pyatspi.ROLE_PUSH_BUTTON, 'Daily Schedule')), 'Press')
        fields = [f'{switch}, {part}' for switch in ('First Switch', 'Second Switch') for part in ('hour', 'minute')]
        wait_for('the time fields', lambda: all(find(pyatspi.ROLE_SPIN_BUTTON, name) for name in fields))

        # The setup guide: the shown page's text is read, a hidden page's is not there at all.
        welcome = 'Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.'
        login = 'Start Halvoscope at Login'
        act(find(pyatspi.ROLE_PUSH_BUTTON, 'Back'), 'Press')
        act(wait_for('the guide row', lambda: find(pyatspi.ROLE_PUSH_BUTTON, 'Setup Guide…')), 'Press')
        wait_for('the welcome page', lambda: find_text(welcome))
        assert find_text(login, showing=False) is None
        act(find(pyatspi.ROLE_PUSH_BUTTON, 'Get Started →'), 'Press')
        wait_for('the login page', lambda: find_text(login) and find_text(welcome, showing=False) is None)
        assert find(pyatspi.ROLE_CHECK_BOX, 'Open Halvoscope at Login') is not None
        print('atspi_popover: all checks passed')
    finally:
        for proc in reversed(procs):  # terminated, the launcher takes its bus down with it
            proc.terminate()
            proc.wait(20)
        shutil.rmtree(home, ignore_errors=True)


main()
