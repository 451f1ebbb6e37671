#!/usr/bin/env python3
"""Load test of vildo-dataservice on loopback: N ordinary requests from C concurrent clients, while slow
clients drip their headers a byte a second and, optionally, idle clients hold connections open that send
nothing (reopened as soon as the service closes them).

Usage: tools/load_test.py SERVICE_BINARY [--requests 10000] [--concurrent 32] [--slow 16] [--idle 600]
Prints errors, latency percentiles and the service's peak memory.
"""
import argparse
import http.client
import os
import re
import socket
import subprocess
import sys
import tempfile
import threading
import time

PATHS = [
    "/produktion/vildoAFOsql.php?a=3&b=dummy&c=dummy&d=vildodata",
    "/produktion/vildosql.php?a=3&b=0&c=1&d=vildodata&e=6&f=2&g=2",
    "/produktion/vildosql_R2.php?a=3&b=1&c=2012&d=vildodata&e=6&f=2&g=2",
]


def start_service(binary, folder):
    log = open(os.path.join(folder, "service.log"), "w+")
    proc = subprocess.Popen([binary, "--listen", "127.0.0.1:0", "--db", os.path.join(folder, "load.db")],
                            stdout=log, stderr=subprocess.STDOUT)
    for _ in range(200):
        log.seek(0)
        m = re.search(r"http://127\.0\.0\.1:(\d+)/", log.read())
        if m:
            return proc, int(m.group(1))
        time.sleep(0.05)
    proc.kill()
    sys.exit("the service did not start")


def peak_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(("VmHWM:", "VmRSS:")):
                yield line.split()[0], int(line.split()[1])


def ordinary(port, count, latencies, errors, lock):
    for i in range(count):
        start = time.monotonic()
        try:
            c = http.client.HTTPConnection("127.0.0.1", port, timeout=20)
            c.request("GET", PATHS[i % len(PATHS)])
            r = c.getresponse()
            r.read()
            c.close()
            ok = r.status == 200
        except Exception:
            ok = False
        with lock:
            latencies.append(time.monotonic() - start)
            if not ok:
                errors[0] += 1


def slow(port, stop):
    request = f"GET {PATHS[0]} HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: " + "x" * 1000
    while not stop.is_set():
        try:
            s = socket.create_connection(("127.0.0.1", port), timeout=10)
            for ch in request:
                if stop.is_set():
                    break
                s.sendall(ch.encode())
                time.sleep(1)
            s.close()
        except OSError:
            time.sleep(0.1)


def idle(port, count, stop, opened):
    socks = []
    while not stop.is_set():
        while len(socks) < count:
            try:
                socks.append(socket.create_connection(("127.0.0.1", port), timeout=5))
                opened[0] += 1
            except OSError:
                break
        # Reopen what the service has closed.
        alive = []
        for s in socks:
            s.setblocking(False)
            try:
                closed = s.recv(1) == b""
            except BlockingIOError:
                closed = False
            except OSError:
                closed = True
            if closed:
                s.close()
            else:
                alive.append(s)
        socks = alive
        time.sleep(0.05)
    for s in socks:
        s.close()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("service")
    ap.add_argument("--requests", type=int, default=10000)
    ap.add_argument("--concurrent", type=int, default=32)
    ap.add_argument("--slow", type=int, default=16)
    ap.add_argument("--idle", type=int, default=0)
    a = ap.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        proc, port = start_service(a.service, folder)
        try:
            stop = threading.Event()
            background = [threading.Thread(target=slow, args=(port, stop)) for _ in range(a.slow)]
            opened = [0]
            if a.idle:
                background.append(threading.Thread(target=idle, args=(port, a.idle, stop, opened)))
            for t in background:
                t.start()
            time.sleep(1.5)  # the slow and idle clients in place
            latencies, errors, lock = [], [0], threading.Lock()
            per = a.requests // a.concurrent
            workers = [threading.Thread(target=ordinary, args=(port, per + (i < a.requests % a.concurrent),
                                                               latencies, errors, lock))
                       for i in range(a.concurrent)]
            start = time.monotonic()
            for t in workers:
                t.start()
            for t in workers:
                t.join()
            elapsed = time.monotonic() - start
            stop.set()
            for t in background:
                t.join()
            latencies.sort()
            q = lambda p: latencies[min(len(latencies) - 1, int(p * len(latencies)))] * 1000
            print(f"{len(latencies)} requests, {a.concurrent} concurrent, {a.slow} slow clients, {a.idle} idle "
                  f"({opened[0]} idle connections opened): {errors[0]} errors in {elapsed:.1f} s "
                  f"({len(latencies) / elapsed:.0f}/s); p50 {q(0.5):.1f} ms, p99 {q(0.99):.1f} ms, "
                  f"max {latencies[-1] * 1000:.1f} ms")
            print(", ".join(f"{k} {v // 1024} MB" for k, v in peak_kb(proc.pid)))
        finally:
            proc.terminate()
            proc.wait()


if __name__ == "__main__":
    main()
