#!/usr/bin/env python3
"""A sound card for benchmarks: reads the PCM that ALSA's file plugin pipes
to it and throws it away at the pace of real playback, so that a program's
buffers come back from the device as slowly as from a real one (ALSA's null
device takes everything at once).

    paced_sound.py BYTES_PER_SECOND
"""
import fcntl
import sys
import time

F_SETPIPE_SZ = 1031  # Linux


def main():
    rate = int(sys.argv[1])
    try:
        # Little in the pipe, so that closing the device waits little.
        fcntl.fcntl(0, F_SETPIPE_SZ, 4096)
    except OSError:
        pass
    chunk = max(1, rate // 200)
    start, total = time.monotonic(), 0
    source = sys.stdin.buffer
    while True:
        data = source.read(chunk)
        if not data:
            return
        total += len(data)
        due = start + total / rate
        now = time.monotonic()
        if due > now:
            time.sleep(due - now)
        elif now - due > 0.2:  # after a silence the pace starts anew
            start, total = now, 0


if __name__ == "__main__":
    main()
