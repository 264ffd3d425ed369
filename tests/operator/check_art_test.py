#!/usr/bin/env python3
"""The art check (res/check_art.py) on folders of made-up images: what it
lets through and what it names as wrong."""

import os
import random
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "..", "res")
sys.path.insert(0, HERE)
sys.path.insert(0, RES)

import check_art  # noqa: E402
from images import bmp, ico, png, solid  # noqa: E402

OPAQUE, CLEAR, HALF = (90, 60, 30, 255), (0, 0, 0, 0), (90, 60, 30, 128)


def button(width=36, height=140, odd=None, count=0):
    """A corner button strip, its first `count` pixels replaced by `odd`."""
    pixels = solid(width, height, OPAQUE)
    for i in range(count):
        pixels[i // width][i % width] = odd
    return pixels


def corrupt(data):
    # A byte of the header's width: the checksum no longer fits.
    return data[:18] + bytes([data[18] ^ 1]) + data[19:]


class ArtCheck(unittest.TestCase):
    def problems(self, files):
        with tempfile.TemporaryDirectory() as folder:
            for name, data in files.items():
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)
            return check_art.check_folder(folder)

    def test_images_that_fit_or_what_is_wrong_with_them(self):
        title_bar_button = solid(30, 120, (40, 30, 60))
        cases = [
            # name, file, what the message says (None: it fits)
            ("png166.png", png(title_bar_button), None),
            ("png166.png", png(solid(31, 120, (1, 2, 3))), "is 31 x 120 pixels, not 30 x 120"),
            ("png166.png", png(solid(30, 120, OPAQUE)), "is RGBA at 8 bits a channel, not RGB at 8 bits"),
            ("png166.png", png(title_bar_button, depth=16), "is RGB at 16 bits a channel, not RGB at 8"),
            ("png166.png", png(title_bar_button, chunks=[(b"tRNS", b"\0\0\0\0\0\0")]), "has a transparent colour"),
            ("png166.png", corrupt(png(title_bar_button)), "is damaged (bad checksum of its IHDR chunk)"),
            ("png166.png", png(title_bar_button)[:40], "is cut short"),
            ("png166.png", bmp(30, 120, 24), "is not a PNG file"),
            ("png155.png", png(solid(1120, 693, (9, 9, 9))), "is RGB at 8 bits a channel, not RGBA"),
            ("png155.png", png(solid(1120, 693, HALF)), None),  # the backdrop's edge may be soft
            ("png160.png", png(button(odd=CLEAR, count=50)), None),
            ("png160.png", png(button(odd=HALF, count=7)), "has 7 half-transparent pixels"),
            ("png160.png", png(button(odd=HALF, count=7), interlace=True), "has 7 half-transparent pixels"),
            ("png160.png", png(button(odd=(255, 255, 0, 255), count=3)), "has 3 visible pixels of the key colour"),
            ("png160.png", png(button(odd=(255, 255, 0, 0), count=3)), None),  # invisible: no hole
            ("png162.png", png(button(27, 108, HALF, 5)), "has 5 half-transparent pixels"),
            ("bmp136.bmp", bmp(66, 30, 24), None),
            ("bmp136.bmp", bmp(66, 30, 32), "has 32 bits a pixel, not 24"),
            ("bmp136.bmp", bmp(66, 31, 24), "is 66 x 31 pixels, not 66 x 30"),
            ("bmp136.bmp", bmp(66, 30, 24, compression=1), "is compressed"),
            ("bmp136.bmp", png(solid(66, 30, (1, 1, 1))), "is not a BMP file"),
            ("bmp187.bmp", bmp(57, 40, 8, palette=[(0, 0, 0), (30, 0, 60)]), None),
            ("bmp187.bmp", bmp(57, 40, 8, [[1] + [0] * 56] * 40, [(0, 0, 0), (255, 0, 0)]),
             "has 40 pixels of the key colour RGB(255, 0, 0)"),
            ("app.ico", ico([(64, 32)]), None),
            ("app.ico", ico([(16, 32), (64, 32), (256, "png")]), None),
            ("app.ico", ico([(32, 32), (64, 8)]), "holds no 64 x 64 image of 32 bits a pixel (it holds 32 x 32 at 32"),
            ("app.ico", png(solid(64, 64, OPAQUE)), "is not an icon file"),
            ("PNG166.PNG", png(title_bar_button), "is not one of the launcher's images"),
        ]
        for name, data, wrong in cases:
            with self.subTest(name=name, wrong=wrong):
                problems = self.problems({name: data})
                if wrong is None:
                    self.assertEqual(problems, [])
                else:
                    self.assertEqual(len(problems), 1, problems)
                    self.assertTrue(problems[0].startswith(name + ": "), problems[0])
                    self.assertIn(wrong, problems[0])

    def test_every_row_filter_is_undone(self):
        # Noise, each row filtered another way: a wrong unfilter miscounts.
        rng = random.Random(160)
        pixels = [[tuple(rng.randrange(240) for _ in "rgb") + (rng.choice((0, 255, 255, 128)),) for _ in range(36)]
                  for _ in range(140)]
        half = sum(row.count(p) for row in pixels for p in set(row) if p[3] == 128)
        for interlace in (False, True):
            with self.subTest(interlace=interlace):
                data = png(pixels, interlace=interlace, filters=(0, 1, 2, 3, 4))
                self.assertIn(f"has {half} half-transparent pixels", self.problems({"png160.png": data})[0])

    def test_a_message_names_each_wrong_file_and_what_it_is_for(self):
        problems = self.problems({"png166.png": png(solid(1, 1, (0, 0, 0))), "bmp141.bmp": bmp(1, 1, 24)})
        self.assertEqual(len(problems), 2)
        self.assertIn("bmp141.bmp: is 1 x 1 pixels, not 83 x 30; it is the game window's logo", problems[0])
        self.assertIn("png166.png: is 1 x 1 pixels, not 30 x 120; it is the game window's close button", problems[1])

    def test_a_folder_without_any_of_our_images_is_refused(self):
        self.assertIn("holds none of the launcher's images", self.problems({"readme.txt": b"art"})[0])

    def test_our_own_images_are_all_there_and_fit(self):
        # The table's names and sizes are those of the art we ship.
        self.assertEqual(check_art.check_folder(os.path.join(RES, "images"), complete=True), [])
        self.assertEqual(sorted(os.listdir(os.path.join(RES, "images"))), sorted(check_art.IMAGES))


if __name__ == "__main__":
    unittest.main()
