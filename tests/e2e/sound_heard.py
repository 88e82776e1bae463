#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a sound sink heard, against what the game asked for.

  sound_heard.py script kicks|mixed SECONDS
      prints a record for `pelmar --replay`: after a second and a half of
      quiet, either kicks 0.3 s apart for SECONDS, or SECONDS of the running
      game with kicks, catches and broken items asked for 0.2 to 1.2 s apart
      (a fixed draw), over one another and over the game's own sounds.
  sound_heard.py record OUT.raw SECONDS
      records the sink's monitor (22050 Hz, mono, 16 bits) for SECONDS and
      writes beside it OUT.raw.start: the monotonic clock, in seconds, when
      its first sample was played.
  sound_heard.py check OUT.raw SOUND-LOG SOUNDS-FOLDER [--onsets N]
      reads the requests the game logged (PELMAR_SOUND_LOG) and checks that
      each was heard whole: over the time its voice played (until the end of
      the effect, or until the same effect started again), the recording
      holds at least half the effect's own energy beyond what the other
      voices explain; where the output logged that it ran dry, up to one
      request in four may be lost, and is reported. With --onsets, the
      recording must also hold exactly N separate onsets, none shorter or
      much weaker than the effect it plays
      (one longer, broken by a moment of silence, is reported; two broken
      apart where the output logged that it ran dry count as one).
Prints the figures; exits 1 on a fault."""
import array
import bisect
import math
import os
import random
import statistics
import subprocess
import sys
import time
import wave

RATE = 22050
FRAME = 110  # samples per envelope frame: 5 ms
SEARCH = 6  # frames each way a voice may start late or early: 30 ms


def record(out, seconds):
    parec = subprocess.Popen(
        ["parec", "-d", "pelmarsink.monitor", "--raw", "--format=s16le", "--channels=1",
         f"--rate={RATE}", "--latency-msec=5"], stdout=subprocess.PIPE)
    got = 0
    start = None
    end = time.monotonic() + seconds
    with open(out, "wb") as f:
        while time.monotonic() < end:
            chunk = os.read(parec.stdout.fileno(), 4096)
            if not chunk:
                break
            if start is None:
                # The first chunk's samples were played just before it arrived.
                start = time.monotonic() - len(chunk) / 2 / RATE
            f.write(chunk)
            got += len(chunk)
    parec.terminate()
    parec.wait()
    with open(out + ".start", "w") as f:
        f.write(f"{start if start is not None else 0}\n")


def script(kind, seconds):
    print("begin 3600000 1")
    if kind == "kicks":
        print("set cfrm.Timer1.Enabled false")
    print("play 150")
    draw = random.Random(24)
    t = 0.0
    while t < seconds - 1e-9:
        what = "kick" if kind == "kicks" else draw.choices(["kick", "catch", "drop"], [5, 2, 1.5])[0]
        if what == "drop":
            # A life lost and given back: the game goes on.
            print("set ItemState 1\nset ItemKind 2\ncall DropIngredient\ncall AddLives 1")
        else:
            # A new item (flying at the cook) meeting his hands, with the action
            # key held for a kick.
            print(f"set ItemState 1\nset DropStep 60\nset ActionKey {-1 if what == 'kick' else 0}\n"
                  "set cfrm.eleme.Left 2985\nset cfrm.eleme.Top 1665\ncall CatchIngredient\n"
                  "set ActionKey 0")
        gap = 0.3 if kind == "kicks" else draw.choice([0.2, 0.3, 0.5, 0.8, 1.2])
        print(f"play {gap * 100:.0f}")
        t += gap


def samples_of(path):
    data = array.array("h")
    with open(path, "rb") as f:
        data.frombytes(f.read())
    return data


def envelope(samples):
    """Energy per frame."""
    return [sum(s * s for s in samples[i:i + FRAME]) for i in range(0, len(samples), FRAME)]


def effect(folder, name):
    with wave.open(os.path.join(folder, name + ".wav")) as w:
        assert w.getframerate() == RATE and w.getnchannels() == 1 and w.getsampwidth() == 2
        data = array.array("h")
        data.frombytes(w.readframes(w.getnframes()))
    return data


def onsets(env, quiet):
    """[first frame, frames, energy] of each stretch louder than `quiet` that
    follows at least 40 ms quieter than it; shorter pauses stay inside it."""
    found = []
    still = 99
    for i, e in enumerate(env):
        if e > quiet:
            if still >= 8:
                found.append([i, 0, 0.0])
            found[-1][1] = i - found[-1][0] + 1
            found[-1][2] += e
            still = 0
        else:
            still += 1
    return found


def mend_dry_breaks(found, underruns, whole):
    """A sound cut short (fewer frames than the `whole` effect), then a moment
    of silence (< 0.1 s), then the rest, where the output logged that it
    ran dry (underruns in seconds from the recording's start): one sound
    broken by a busy machine, joined and reported. Whole sounds are never
    joined."""
    mended = []
    for onset in found:
        if mended:
            last = mended[-1]
            gap_from = (last[0] + last[1]) * FRAME / RATE
            gap_to = onset[0] * FRAME / RATE
            if (last[1] < whole - 2 and gap_to - gap_from < 0.1 and
                    any(gap_from - 0.3 < u < gap_to + 0.3 for u in underruns)):
                print(f"broken where the output ran dry: the onset at "
                      f"{last[0] * FRAME / RATE:.2f} s")
                last[1] = onset[0] + onset[1] - last[0]
                last[2] += onset[2]
                continue
        mended.append(list(onset))
    return mended


def check(raw, log, folder, want_onsets):
    recording = samples_of(raw)
    with open(raw + ".start") as f:
        start = float(f.read())
    heard = envelope(recording)
    requests = []
    underruns = []
    buffer_line = ""
    with open(log) as f:
        for line in f:
            if line.startswith("# underrun "):
                underruns.append(int(line.split()[2]) / 1000)
                continue
            if line.startswith("#"):
                buffer_line += ("; " if buffer_line else "") + line[1:].strip()
                continue
            ms, name = line.split()
            requests.append((int(ms) / 1000, name))
    effects = {name: envelope(effect(folder, name)) for name in {n for _, n in requests}}
    print(f"output: {buffer_line or 'no buffer reported'}")
    print(f"recorded {len(recording) / RATE:.1f} s; {len(requests)} requests")
    faults = []

    # Each voice: its effect's envelope from a frame on, cut where the same
    # effect starts again (requests nearer than a frame count as one).
    voices = []
    last = {}
    for at, name in requests:
        frame = round((at - start) * RATE / FRAME)
        if name in last:
            earlier = voices[last[name]]
            earlier[2] = min(earlier[2], max(0, frame - earlier[0]))
        last[name] = len(voices)
        voices.append([frame, name, len(effects[name])])
    expected = [0.0] * (len(heard) + 1000)
    for frame, name, length in voices:
        for k in range(length):
            if 0 <= frame + k < len(expected):
                expected[frame + k] += effects[name][k]

    # The output's delay: the lag, from -0.2 to 1 s (the recording's start is
    # known only so well), at which the recording best matches the requests.
    def match(lag):
        return sum(math.sqrt(expected[i] * heard[i + lag])
                   for i in range(max(0, -lag), len(heard) - max(0, lag)) if expected[i] > 0)

    lag = max(range(-40, 200), key=match)
    base = lag * FRAME / RATE * 1000
    print(f"heard {base:.0f} ms after the request at the sink's monitor "
          f"(give or take the recording's own delay)")

    delays = []
    dry = []
    before = []
    straddling = 0
    whole = 0
    for frame, name, length in voices:
        # A busy machine may start the recording late: what was played before
        # it began cannot be judged.
        if frame + lag < 0:
            before.append(f"{name} at {frame * FRAME / RATE:.2f} s")
            # Its start is known only as well as the recording's: one that
            # would still play at the start may have been heard whole.
            straddling += frame + lag + length > 0
            continue
        own = effects[name][:length]
        need = sum(own)
        if length == 0 or need == 0:
            whole += 1
            continue
        # Where its shape fits best, near the common delay...
        def fit(shift):
            return sum(math.sqrt(e * heard[i]) for k, e in enumerate(own)
                       if 0 <= (i := frame + lag + shift + k) < len(heard))

        delay = lag + max(range(-SEARCH, SEARCH + 1), key=fit)
        # ...the energy heard beyond what the other voices explain.
        beyond = 0.0
        for k, e in enumerate(own):
            i = frame + delay + k
            if 0 <= i < len(heard):
                beyond += max(0.0, heard[i] - (expected[frame + k] - e))
        best = beyond / need
        at = start + frame * FRAME / RATE
        if best >= 0.5:
            whole += 1
            delays.append(delay * FRAME / RATE * 1000)
        elif any(at - 0.1 < u < at + len(own) * FRAME / RATE + 0.2 for u in underruns):
            dry.append(f"{name} at {frame * FRAME / RATE:.2f} s: {best:.0%} of it heard")
        else:
            faults.append(f"{name} at {frame * FRAME / RATE:.2f} s: {best:.0%} of it heard")
    print(f"heard whole: {whole} of {len(voices) - len(before)} requests; the output ran dry "
          f"{len(underruns)} times")
    for what in before:
        print("played before the recording began:", what)
    for what in dry:
        print("lost where the output ran dry:", what)
    # A machine too busy to feed the sound now and then is no fault of the
    # program's (what was written after a dry moment plays late, and may
    # miss its place); an output that runs dry under most sounds is.
    if len(dry) > (len(voices) - len(before)) / 4:
        faults.append(f"{len(dry)} requests lost where the output ran dry")
    if delays:
        print(f"each heard {min(delays) - base:+.0f} to {max(delays) - base:+.0f} ms from that "
              f"(median {statistics.median(delays) - base:+.0f} ms, in 5 ms steps)")

    if want_onsets is not None:
        names = {n for _, n in requests}
        if len(names) != 1:
            faults.append("counting onsets needs requests of one effect")
        else:
            own = effects[names.pop()]
            quiet = max(own) / 100
            # The tail of a sound begun before the recording is no onset.
            found = [o for o in onsets(heard, quiet) if not (before and o[0] == 0)]
            own_found = onsets(own, quiet)[0]
            found = mend_dry_breaks(found, [u - start for u in underruns], own_found[1])
            print(f"{len(found)} onsets; the effect alone is {own_found[1] * 5} ms above "
                  f"1% of its peak")
            for at, frames, energy in found:
                what = (f"the onset at {at * FRAME / RATE:.2f} s lasts {frames * 5} ms "
                        f"with {energy / own_found[2]:.0%} of the effect's energy")
                if frames < own_found[1] - 2 or not 0.7 < energy / own_found[2] < 1.4:
                    faults.append(what)
                elif frames > own_found[1] + 2:
                    # Whole, but the output ran dry inside it a moment.
                    print("stretched:", what)
            want_onsets -= len(before)
            if not want_onsets <= len(found) <= want_onsets + straddling:
                faults.append(f"{len(found)} onsets, not {want_onsets}" +
                              (f" to {want_onsets + straddling}" if straddling else ""))
    for fault in faults:
        print("FAULT:", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    if sys.argv[1] == "script":
        script(sys.argv[2], float(sys.argv[3]))
    elif sys.argv[1] == "record":
        record(sys.argv[2], float(sys.argv[3]))
    else:
        want = int(sys.argv[6]) if len(sys.argv) > 6 and sys.argv[5] == "--onsets" else None
        sys.exit(check(sys.argv[2], sys.argv[3], sys.argv[4], want))
