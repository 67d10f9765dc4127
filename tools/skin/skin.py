#!/usr/bin/env python3
"""Renders the skin from install/skins-src at build time.

`plan` (run by CMake at configure time) reads the manifest and the layout
files, writes one stamp per image holding everything that image is made of
(rewritten only when it changed, so only changed images are rendered again)
and a CMake file with one build rule per image. `render` draws one image from
its stamp. `sheet` writes the contact sheet of every rendered image.
`keyboard` draws the picture of one layout file, for a quick look at a layout.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import tomllib
from pathlib import Path

import contact_sheet
import raster
import recipes
from keyboard_picture import LayoutError, keyboard_svg, read_layout
from svgkit import Glyphs

THEME_DIR = "skins/theme1"
KEYBOARD_DIR = "keyboard"
SVG_RECIPES = {"button": recipes.button, "check": recipes.check, "icon": recipes.icon}
# The control advances a GIF one frame per 50 ms whatever the file says; the
# file says the same so other viewers agree.
GIF_DELAY_CS = 5


class PlanError(Exception):
    pass


def _write_if_changed(path, content):
    path.parent.mkdir(parents=True, exist_ok=True)
    if path.exists() and path.read_text(encoding="utf-8") == content:
        return
    path.write_text(content, encoding="utf-8")


def _glyph_names(entry):
    names = []
    glyph = entry.get("glyph")
    if glyph:
        names.extend(glyph if isinstance(glyph, list) else [glyph])
    if entry["recipe"] == "check":
        names.append("tick")
    return names


def _image_plan(entry, manifest, source_dir):
    """(output path below the program folder, stamp content, input files)."""
    if "name" in entry:
        out = f"{THEME_DIR}/{entry['name']}"
    elif "path" in entry:
        out = entry["path"]
    else:
        raise PlanError(f"an image entry has neither name nor path: {entry}")
    glyph_dir = source_dir / "glyphs"
    job = {"out": out, "entry": entry, "palette": manifest["palette"], "glyph_dir": str(glyph_dir)}
    inputs = [glyph_dir / f"{g}.svg" for g in _glyph_names(entry)]
    looks = manifest.get("looks", {})
    wanted = ["check"] if entry["recipe"] == "check" else [entry["look"]] if "look" in entry else []
    for look in wanted:
        if look not in looks:
            raise PlanError(f"{out}: unknown look {look!r}")
    job["looks"] = {look: looks[look] for look in wanted}
    if "source" in entry:
        source = (source_dir / entry["source"]).resolve()
        job["source"] = str(source)
        inputs.append(source)
    for path in inputs:
        if not path.exists():
            raise PlanError(f"{out}: missing source {path}")
    return out, job, inputs


def _keyboard_plans(layout_dir, style):
    """One picture per readable layout file. A layout that cannot be drawn is
    reported and skipped, so the rest of the skin still builds; the skin check
    then names its missing picture."""
    plans = []
    for layout in sorted(Path(layout_dir).glob("*.xml")) if layout_dir else []:
        try:
            image, width, height, _ = read_layout(layout)
        except LayoutError as error:
            print(f"skin: no keyboard picture: {error}", file=sys.stderr)
            continue
        out = f"{THEME_DIR}/{KEYBOARD_DIR}/{image}"
        entry = {"recipe": "keyboard", "size": [width, height], "frames": 1}
        job = {"out": out, "entry": entry, "layout": str(layout.resolve()), "keyboard": style}
        plans.append((out, job, [layout.resolve()]))
    return plans


def _cmake_rule(out, stamp, inputs):
    deps = " ".join(f'"{p}"' for p in [stamp, *inputs])
    return (
        f'add_custom_command(OUTPUT "${{TERVANE_BIN_DIR}}/{out}"\n'
        f'  COMMAND "${{SKIN_PYTHON}}" -B "${{SKIN_TOOL}}" render --stamp "{stamp}"\n'
        f'          --out "${{TERVANE_BIN_DIR}}/{out}" --rsvg "${{RSVG_CONVERT}}" --convert "${{IMAGEMAGICK_CONVERT}}"\n'
        f"  DEPENDS {deps} ${{SKIN_TOOL_FILES}}\n"
        f'  COMMENT "Rendering {out}" VERBATIM)\n'
        f'list(APPEND SKIN_OUTPUTS "${{TERVANE_BIN_DIR}}/{out}")\n'
    )


def plan(args):
    source_dir = Path(args.manifest).resolve().parent
    with open(args.manifest, "rb") as f:
        manifest = tomllib.load(f)
    plans = [_image_plan(entry, manifest, source_dir) for entry in manifest.get("image", [])]
    plans += _keyboard_plans(args.layouts, manifest["keyboard"])
    stamps_dir = Path(args.stamps)
    seen, stamp_names = set(), set()
    rules = ["# Written by tools/skin/skin.py plan; one rule per rendered image.\n", "set(SKIN_OUTPUTS)\n"]
    for out, job, inputs in plans:
        if out in seen:
            raise PlanError(f"{out} is produced twice (two entries or two layouts name it)")
        seen.add(out)
        stamp = stamps_dir / (out.replace("/", "__") + ".json")
        stamp_names.add(stamp.name)
        _write_if_changed(stamp, json.dumps(job, indent=1, sort_keys=True) + "\n")
        rules.append(_cmake_rule(out, stamp, inputs))
    for old in stamps_dir.glob("*.json"):
        if old.name not in stamp_names:
            old.unlink()
    _write_if_changed(Path(args.rules), "".join(rules))


class Theme:
    """What a recipe may use of the manifest: the palette, its looks, glyphs."""

    def __init__(self, job):
        self.palette = job.get("palette", {})
        self._looks = job.get("looks", {})
        self.glyphs = Glyphs(job.get("glyph_dir", "."))

    def look(self, name):
        return self._looks[name]


def _rsvg(rsvg, width, height, target, svg_text=None, source=None):
    command = [rsvg, "-w", str(width), "-h", str(height), "-o", str(target)]
    if source:
        command.append(str(source))
    subprocess.run(command, input=svg_text.encode("utf-8") if svg_text else None, check=True)


def render(args):
    job = json.loads(Path(args.stamp).read_text(encoding="utf-8"))
    out = Path(args.out)
    out.parent.mkdir(parents=True, exist_ok=True)
    # Drawn beside the target and moved into place, so a failed render never
    # leaves a half-written image that a later build would take as done.
    partial = out.with_name(out.name + ".part")
    try:
        _draw(job, partial, args.rsvg, args.convert)
        os.replace(partial, out)
    finally:
        partial.unlink(missing_ok=True)


def _draw(job, partial, rsvg, convert):
    entry = job["entry"]
    recipe = entry["recipe"]
    theme = Theme(job)
    frames = entry.get("frames", 1)
    if recipe in SVG_RECIPES:
        width, height = entry["size"]
        _rsvg(rsvg, width * frames, height, partial, svg_text=SVG_RECIPES[recipe](entry, theme))
    elif recipe == "svg":
        width, height = entry["size"]
        _rsvg(rsvg, width * frames, height, partial, source=job["source"])
    elif recipe == "keyboard":
        width, height = entry["size"]
        _rsvg(rsvg, width, height, partial, svg_text=keyboard_svg(job["layout"], job["keyboard"]))
    elif recipe == "wheel":
        partial.write_bytes(raster.wheel_png(entry["size"][0], entry["radius"]))
    elif recipe == "spinner":
        width, height = entry["size"]
        with tempfile.TemporaryDirectory() as tmp:
            names = []
            for i, svg_text in enumerate(recipes.spinner_frames(entry, theme)):
                names.append(str(Path(tmp) / f"{i:03}.png"))
                _rsvg(rsvg, width, height, names[-1], svg_text=svg_text)
            subprocess.run([convert, "-delay", str(GIF_DELAY_CS), "-loop", "0", *names, f"gif:{partial}"], check=True)
    elif recipe == "ico":
        with tempfile.TemporaryDirectory() as tmp:
            names = []
            for size in entry["sizes"]:
                names.append(str(Path(tmp) / f"{size}.png"))
                _rsvg(rsvg, size, size, names[-1], source=job["source"])
            subprocess.run([convert, *names, f"ico:{partial}"], check=True)
    else:
        raise PlanError(f"{job['out']}: unknown recipe {recipe!r}")


def sheet(args):
    stamps = sorted(Path(args.stamps).glob("*.json"))
    images = []
    for stamp in stamps:
        job = json.loads(stamp.read_text(encoding="utf-8"))
        if not job["out"].startswith(THEME_DIR + "/") or job["out"].endswith(".ico"):
            continue
        images.append((job["out"][len(THEME_DIR) + 1 :], job["entry"].get("frames", 1)))
    svg_text, width, height = contact_sheet.sheet_svg(Path(args.bin_dir) / THEME_DIR, images)
    _rsvg(args.rsvg, width, height, args.out, svg_text=svg_text)


def keyboard(args):
    with open(args.manifest, "rb") as f:
        style = tomllib.load(f)["keyboard"]
    try:
        _, width, height, _ = read_layout(args.layout)
    except LayoutError as error:
        raise PlanError(str(error)) from error
    _rsvg(args.rsvg, width, height, args.out, svg_text=keyboard_svg(args.layout, style))


# Each command with its options; a trailing "?" marks an optional one.
COMMANDS = {
    "plan": (plan, ["manifest", "layouts?", "stamps", "rules"]),
    "render": (render, ["stamp", "out", "rsvg", "convert"]),
    "sheet": (sheet, ["stamps", "bin-dir", "out", "rsvg"]),
    "keyboard": (keyboard, ["manifest", "layout", "out", "rsvg"]),
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="command", required=True)
    for name, (_, options) in COMMANDS.items():
        command = sub.add_parser(name)
        for option in options:
            command.add_argument(f"--{option.rstrip('?')}", required=not option.endswith("?"))
    args = parser.parse_args()
    try:
        COMMANDS[args.command][0](args)
    except (PlanError, OSError, subprocess.CalledProcessError, KeyError, ValueError) as error:
        print(f"skin: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
