#!/usr/bin/env python3
"""Measures what an export keeps of the film, against the drawn frames of the same times.

Run it in a game folder (build/game). For each range it draws the frames losslessly, as the
reference, then exports the same range with each set of encoder options given by --try
(the default export when none is given), and prints one line for each:

  the video's mean bitrate and its highest over any 2 s, in Mbit/s;
  SSIM (Y) of the decoded video against the drawn frames;
  "picture": the same SSIM after a Gaussian blur (sigma 2) on both sides, which leaves the
  film's grain out and keeps everything a viewer reads as the picture;
  "grain kept": the mean absolute high-pass residual (a frame less its blur) of the
  decoded video over that of the drawn frames: 1 keeps all the grain, 0 none of it;
  ffmpeg's CPU in milliseconds a frame, from the export's own report.

AV1 is decoded with its film grain made again, as a player shows it, for "grain kept"; for
"SSIM" and "picture" the grain is left off (the decoder hands its parameters over instead),
so that they compare the picture the encoder kept.

  tools/film/measure_export.py --range 20:22 --range 70:72 --try "--quality draft" --try ""
  tools/film/measure_export.py --range 20:22 --try "--codec av1"
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile


def run(command):
    done = subprocess.run(command, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"measure_export: {' '.join(command)} failed: {done.stderr.strip().splitlines()[-1:]}")
    return done.stderr


def export(film, path, first, last, fps, options):
    return run([film, "--video", path, "--from", str(first), "--until", str(last), "--fps", str(fps),
                "--picture-only", "--jobs", "1"] + options)


def is_av1(path):
    codec = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                            "stream=codec_name", "-of", "csv=p=0", path],
                           capture_output=True, text=True).stdout.strip()
    return codec == "av1"


def decoder(path, grain):
    if not is_av1(path):
        return []
    return ["-c:v", "libdav1d"] + ([] if grain else ["-export_side_data", "film_grain"])


def ssim_y(video, reference, blur):
    prepare = "gblur=sigma=2," if blur else ""
    text = run(["ffmpeg", "-hide_banner", "-nostdin"] + decoder(video, grain=False) + ["-i", video, "-i", reference,
                "-filter_complex", f"[0:v]{prepare}setpts=PTS-STARTPTS[a];[1:v]{prepare}setpts=PTS-STARTPTS[b];"
                "[a][b]ssim", "-f", "null", "-"])
    return float(re.search(r"SSIM Y:([0-9.]+)", text).group(1))


def grain(video, folder):
    log = os.path.join(folder, "grain.txt")
    run(["ffmpeg", "-hide_banner", "-nostdin"] + decoder(video, grain=True) + ["-i", video, "-vf",
         "format=gray,split[x][y];[y]gblur=sigma=2[b];[x][b]blend=all_mode=difference,signalstats,"
         f"metadata=mode=print:key=lavfi.signalstats.YAVG:file={log}", "-f", "null", "-"])
    with open(log) as lines:
        values = [float(line.split("=")[1]) for line in lines if "YAVG" in line]
    return sum(values) / len(values)


def bitrates(video, fps):
    sizes = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                            "packet=size", "-of", "csv=p=0", video], capture_output=True, text=True).stdout.split()
    bits = [8 * int(size) for size in sizes]
    window = 2 * fps
    highest = max(sum(bits[i:i + window]) for i in range(max(1, len(bits) - window + 1)))
    seconds = len(bits) / fps
    return sum(bits) / seconds / 1e6, highest / min(2.0, seconds) / 1e6


def measure(film, first, last, fps, options, folder):
    reference = os.path.join(folder, "reference.mp4")
    video = os.path.join(folder, "video.mp4")
    if not os.path.exists(reference):
        export(film, reference, first, last, fps, ["--quality", "lossless"])
    report = export(film, video, first, last, fps, options)
    cpu = re.search(r"ffmpeg's CPU ([0-9.]+)", report)
    mean, highest = bitrates(video, fps)
    return {
        "mbits": mean,
        "highest": highest,
        "ssim": ssim_y(video, reference, blur=False),
        "picture": ssim_y(video, reference, blur=True),
        "grain": grain(video, folder) / grain(reference, folder),
        "cpu": float(cpu.group(1)) if cpu else float("nan"),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--range", action="append", required=True, metavar="FROM:UNTIL",
                        help="seconds of film, as drennmoor-film's --from and --until; may be repeated")
    parser.add_argument("--fps", type=int, default=30)
    parser.add_argument("--film", default="./drennmoor-film")
    parser.add_argument("--try", action="append", dest="settings", metavar="OPTIONS",
                        help="drennmoor-film's encoder options, in one word; may be repeated")
    arguments = parser.parse_args()
    print("range     Mbit/s  highest 2 s  SSIM   picture  grain kept  ffmpeg CPU ms/frame  options")
    for text in arguments.range:
        first, last = (float(part) for part in text.split(":"))
        with tempfile.TemporaryDirectory(prefix="drennmoor-measure-") as folder:
            for options in arguments.settings or [""]:
                m = measure(arguments.film, first, last, arguments.fps, options.split(), folder)
                print(f"{text:<9} {m['mbits']:6.2f}  {m['highest']:11.2f}  {m['ssim']:.3f}  {m['picture']:.3f}  "
                      f"{m['grain']:10.2f}  {m['cpu']:19.1f}  {options or '(default)'}", flush=True)


if __name__ == "__main__":
    main()
