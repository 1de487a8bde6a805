"""The layering check against small source trees built per case."""

import importlib.util
import io
import pathlib
import sys
import tempfile
import unittest
from contextlib import redirect_stdout

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-layering.py"
_spec = importlib.util.spec_from_file_location("check_layering", SCRIPT)
layering = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(layering)

# (file under src/, its include line, whether the check lets it through)
ROWS = [
    ("engines/keepawakeengine.cpp", '#include "platform/x11/xscreensaversuspender.h"', False),
    ("engines/keepawakeengine.cpp", '#include "platform/platformfactory.h"', False),
    ("engines/keepawakeengine.cpp", '#include "engines/keepawakeadapters.h"', True),
    ("engines/displaycolorengine.cpp", '#include "ripple/rippletransitionengine.h"', False),
    ("engines/displaycolorengine.cpp", "#include <X11/Xlib.h>", False),
    ("ripple/rippletransitionengine.cpp", '#  include "platform/x11/x11screencapture.h"', False),
    ("ripple/rippletransitionengine.cpp", '#include "engines/displaycolorengine.h"', True),
    ("schedule/scheduleengine.cpp", '#include "engines/brightnessengine.h"', False),
    ("core/halvostore.h", '#include "schedule/dailyschedule.h"', True),
    ("core/halvostore.h", '#include "schedule/scheduleengine.h"', False),
    ("core/halvostore.h", '#include "engines/colorstage.h"', False),
    ("platform/x11/xrandrcolorstage.h", '#include "engines/colorstage.h"', True),
    ("platform/x11/xrandrcolorstage.h", '#include "engines/displaycolorengine.h"', False),
    ("platform/x11/x11screencapture.h", '#include "ripple/ripplewindow.h"', False),
    ("platform/x11/xrandrcolorstage.cpp", "#include <X11/extensions/Xrandr.h>", True),
    ("platform/dbus/logindsleepwatcher.h", '#include "schedule/sleepwatcher.h"', True),
    ("platform/dbus/logindsleepwatcher.h", '#include "schedule/scheduleengine.h"', False),
    ("schedule/scheduleengine.cpp", '#include "platform/dbus/logindsleepwatcher.h"', False),
    ("platform/sysfs/backlightdevice.cpp", '#include "platform/dbus/logindsession.h"', True),
    ("platform/dbus/logindsession.cpp", '#include "platform/sysfs/backlightdevice.h"', False),
    ("platform/dbus/logindsession.cpp", '#include "app/halvoapp.h"', False),
    ("popover/settingsmodel.cpp", '#include "update/updatechecker.h"', False),
    ("update/updatechecker.cpp", '#include "core/updatechecking.h"', True),
    ("update/updatechecker.cpp", '#include "popover/settingsmodel.h"', False),
    ("app/halvoapp.cpp", '#include "update/updatechecker.h"', True),
    ("popover/settingsmodel.cpp", '#include "app/halvoapp.h"', False),
    ("popover/schedulemodel.cpp", '#include "platform/x11/xrandrcolorstage.h"', False),
    ("onboarding/onboardingqml.cpp", '#include "ripple/ripplewindowfactory.h"', False),
    ("app/halvoapp.cpp", '#include "platform/platformfactory.h"', True),
    ("app/halvoapp.cpp", "#include <X11/Xlib.h>", True),
    ("engines/brightnessengine.cpp", '// #include "platform/x11/xerrortrap.h" is gone', True),
    ("engines/brightnessengine.cpp", '#include "brightnessdisplay.h"', True),
]


def write_tree(root, files):
    for relative, text in files.items():
        path = root / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="utf-8")


class CheckLayering(unittest.TestCase):
    def test_rows(self):
        for relative, line, allowed in ROWS:
            with self.subTest(file=relative, line=line), tempfile.TemporaryDirectory() as src:
                write_tree(pathlib.Path(src), {relative: f"// first line\n{line}\n"})
                problems = layering.check_tree(src)
                if allowed:
                    self.assertEqual(problems, [])
                else:
                    self.assertEqual(len(problems), 1)
                    self.assertTrue(problems[0].startswith(f"{relative}:2: "), problems[0])

    def test_exit_status_names_every_fault(self):
        with tempfile.TemporaryDirectory() as src:
            write_tree(pathlib.Path(src), {
                "engines/a.cpp": '#include "platform/x11/b.h"\n',
                "ripple/c.cpp": '#include "engines/d.h"\n#include "platform/dbus/e.h"\n',
                "core/f.h": '#include "core/g.h"\n',
            })
            out = io.StringIO()
            with redirect_stdout(out):
                status = layering.main(["check-layering.py", src])
            self.assertEqual(status, 1)
            self.assertEqual(out.getvalue().splitlines(), [
                'engines/a.cpp:1: engines/ must not include "platform/x11/b.h"',
                'ripple/c.cpp:2: ripple/ must not include "platform/dbus/e.h"',
            ])

    def test_unknown_folder_and_missing_tree_fail(self):
        with tempfile.TemporaryDirectory() as src:
            write_tree(pathlib.Path(src), {"widgets/a.cpp": '#include "core/b.h"\n'})
            with redirect_stdout(io.StringIO()):
                self.assertEqual(layering.main(["check-layering.py", src]), 1)
                self.assertEqual(layering.main(["check-layering.py", src + "/nowhere"]), 2)


if __name__ == "__main__":
    sys.exit(unittest.main())
