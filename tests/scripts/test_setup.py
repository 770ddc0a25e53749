"""scripts/setup.sh against stand-ins for dpkg and apt-get on PATH, which answer as Debian's did
on a mirror caught mid-sync: the real package system is never touched."""
import os
import subprocess
import tempfile
import unittest

SETUP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "setup.sh")

MID_SYNC = ("E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/"
            "binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?")
UNRESOLVED = ("The following packages have unmet dependencies:\n"
              " libgstreamer-plugins-base1.0-0:i386 : Depends: libgstreamer1.0-0:i386 (>= 1.22.0) "
              "but it is not going to be installed\n"
              "E: Unable to correct problems, you have held broken packages.")
SIMULATED = ("Inst wine32:i386 (8.0~repack-4 Debian:12.9/stable [i386])\n"
             "Inst libnghttp2-14 (1.52.0-1+deb12u3 Debian-Security:12/stable-security [amd64])")

# Each stand-in logs its arguments; apt-get answers from the counts of calls so far: `update`
# fails the first $FAIL_UPDATES times, `install` cannot resolve unless a pin file names the
# security archive (or never, with $NEVER_RESOLVES).
STANDINS = {
    "id": "echo 0",
    "dpkg": 'echo "dpkg $*" >>"$CALLS"; echo i386',
    "dpkg-query": '[ -n "$ALL_PRESENT" ] && echo "install ok installed" || exit 1',
    "sleep": 'echo "sleep $*" >>"$CALLS"',
    "apt-get": r"""echo "apt-get $*" >>"$CALLS"
case "$*" in
  update*) n=$(grep -c '^apt-get update' "$CALLS")
           [ "$n" -le "$FAIL_UPDATES" ] && { echo "$MID_SYNC" >&2; exit 100; }; exit 0 ;;
esac
pin=$(printf '%s\n' "$@" | sed -n 's/^Dir::Etc::Preferences=//p')
if [ -n "$pin" ]; then echo "pin: $(tr '\n' ' ' <"$pin")" >>"$CALLS"; fi
if [ -n "$NEVER_RESOLVES" ] || ! grep -q 'l=Debian-Security' "${pin:-/dev/null}"; then
  echo "$UNRESOLVED"; exit 100
fi
case "$*" in *" -s "*) echo "$SIMULATED" ;; esac
exit 0""",
}


class Setup(unittest.TestCase):
    def run_setup(self, **env):
        folder = tempfile.mkdtemp()
        for name, body in STANDINS.items():
            path = os.path.join(folder, name)
            with open(path, "w", encoding="utf-8") as handle:
                handle.write("#!/bin/bash\n" + body + "\n")
            os.chmod(path, 0o755)
        calls = os.path.join(folder, "calls")
        open(calls, "w").close()
        environment = dict(os.environ, PATH=folder + ":" + os.environ["PATH"], CALLS=calls, MID_SYNC=MID_SYNC,
                           UNRESOLVED=UNRESOLVED, SIMULATED=SIMULATED, SETUP_RETRY_PAUSE="7")
        environment.update(env)
        result = subprocess.run(["bash", SETUP], env=environment, capture_output=True, text=True, timeout=60)
        with open(calls, encoding="utf-8") as handle:
            return result, handle.read().splitlines()

    def test_everything_present_asks_no_network(self):
        result, calls = self.run_setup(ALL_PRESENT="1")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "setup: all packages present\n")
        self.assertEqual(calls, [])

    def test_mirror_mid_sync(self):
        for fail_updates, never_resolves, code in [("1", "", 0), ("5", "", 0), ("0", "1", 1)]:
            with self.subTest(fail_updates=fail_updates, never_resolves=never_resolves):
                result, calls = self.run_setup(FAIL_UPDATES=fail_updates, NEVER_RESOLVES=never_resolves)
                out = result.stdout
                self.assertEqual(result.returncode, code, out + result.stderr)
                updates = [c for c in calls if c.startswith("apt-get update")]
                self.assertEqual(len(updates), min(int(fail_updates) + 1, 3))
                self.assertEqual(calls.count("sleep 7"), len(updates) - 1)
                self.assertEqual(out.count("Mirror sync in progress?"), min(int(fail_updates), 3))
                self.assertEqual("going on with the package lists" in out, fail_updates == "5")
                self.assertIn("the install could not resolve: libgstreamer-plugins-base1.0-0:i386 : Depends:", out)
                # The second try pins the security archive below the main archive (500).
                pins = [c for c in calls if c.startswith("pin: ")]
                self.assertTrue(pins and all("Pin: release l=Debian-Security Pin-Priority: 100" in p for p in pins))
                pin_files = {w.split("=", 1)[1] for c in calls for w in c.split() if w.startswith("Dir::Etc::")}
                self.assertTrue(pin_files)
                self.assertFalse(any(os.path.exists(p) for p in pin_files), "the pin file is left behind")
                if code == 0:
                    self.assertIn("1 packages from the main archive, 1 from the security archive: libnghttp2-14", out)
                    self.assertTrue(out.endswith("wine32:i386 wine64 xvfb x11-utils xdotool imagemagick python3 "
                                                 "zip nsis fonts-liberation fonts-wine\n"))
                else:
                    self.assertIn("the install failed again: libgstreamer", result.stderr)


if __name__ == "__main__":
    unittest.main()
