#!/usr/bin/env python3
"""Starts or stops the loopback test servers (ctest fixture).

spustit.py start <output folder> <port base> <python with aiosmtpd>
spustit.py stop <output folder>

In one of the test script's parallel runs (KOLVEX_TESTY_DIL=N, N > 0) the folder gets the suffix
"-N" and the ports move by N * ROZESTUP_BEHU, as the test programs expect (tests/podpora/pomocnik.h).
"""
import os
import signal
import socket
import subprocess
import sys
import time

POCET_PORTU = 18  # base+0 .. base+17, see servery.py
ROZESTUP_BEHU = 40


def dil_behu():
    try:
        n = int(os.environ.get("KOLVEX_TESTY_DIL", "0"))
    except ValueError:
        return 0
    return n if 0 <= n < 20 else 0


def slozka_behu(slozka):
    return slozka + (f"-{dil_behu()}" if dil_behu() > 0 else "")

def porty_otevreny(zaklad):
    for port in range(zaklad, zaklad + POCET_PORTU):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=0.5).close()
        except OSError:
            return False
    return True


def obsazeny_port(zaklad):
    """The first of the ports that something else already listens on, or None."""
    for port in range(zaklad, zaklad + POCET_PORTU):
        zkouska = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        # connections of an earlier run waiting in TIME_WAIT do not count, only a listener does
        zkouska.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            zkouska.bind(("127.0.0.1", port))
        except OSError:
            return port
        finally:
            zkouska.close()
    return None


def zastavit(vystup):
    pid_soubor = os.path.join(vystup, "servery.pid")
    if not os.path.exists(pid_soubor):
        return
    try:
        pid = int(open(pid_soubor).read().strip())
        os.killpg(pid, signal.SIGTERM)
    except (ValueError, ProcessLookupError, PermissionError):
        pass
    os.remove(pid_soubor)


def main():
    if sys.argv[1] == "stop":
        zastavit(slozka_behu(sys.argv[2]))
        return 0
    vystup, python = slozka_behu(sys.argv[2]), sys.argv[4]
    zaklad = int(sys.argv[3]) + ROZESTUP_BEHU * dil_behu()
    os.makedirs(vystup, exist_ok=True)
    zastavit(vystup)
    obsazeny = obsazeny_port(zaklad)
    konec = time.time() + 3  # servers of this build tree just stopped may take a moment to go
    while obsazeny is not None and time.time() < konec:
        time.sleep(0.1)
        obsazeny = obsazeny_port(zaklad)
    if obsazeny is not None:
        # another test run's servers would answer in place of ours
        print(f"port {obsazeny} on 127.0.0.1 is in use (another test run?); "
              f"choose other ports with -DKOLVEX_TEST_PORTY=<first port>", file=sys.stderr)
        return 1
    skript = os.path.join(os.path.dirname(os.path.abspath(__file__)), "servery.py")
    with open(os.path.join(vystup, "servery.log"), "w") as log:
        proces = subprocess.Popen([python, skript, vystup, str(zaklad)], stdin=subprocess.DEVNULL,
                                  stdout=log, stderr=log, start_new_session=True)
    with open(os.path.join(vystup, "servery.pid"), "w") as f:
        f.write(str(proces.pid))
    konec = time.time() + 20
    while time.time() < konec:
        if proces.poll() is not None:
            print(open(os.path.join(vystup, "servery.log")).read(), file=sys.stderr)
            return 1
        if porty_otevreny(zaklad):
            return 0
        time.sleep(0.1)
    print("servers did not start", file=sys.stderr)
    zastavit(vystup)
    return 1


if __name__ == "__main__":
    sys.exit(main())
