"""Reads a screenshot of the clock window back into what its face shows.

Usage: face.py SCREENSHOT.ppm RESOURCES_DIR

For each place of the face it prints one line "place value": the built-in
picture (file name without .bmp) the place shows pixel for pixel,
"background" when the place shows the base picture there (hidden or empty),
"other" otherwise. "digits" gives the six clock digits, "?" for a place that
shows no digit, and "message_pixels" a hash of the message line, to tell
one message from another. One process per screenshot: ImageMagick would
need dozens.
"""

import hashlib
import os
import struct
import sys

PLACES = {
    "digit1": (21, 39, 10, 17),
    "digit2": (33, 39, 10, 17),
    "digit3": (50, 39, 10, 17),
    "digit4": (62, 39, 10, 17),
    "digit5": (79, 39, 10, 17),
    "digit6": (91, 39, 10, 17),
    "colon1": (44, 37, 5, 21),
    "colon2": (73, 37, 5, 21),
    "tip_apagado": (104, 48, 49, 9),
    "tip_ok": (138, 38, 15, 9),
    "message": (19, 64, 134, 14),
}

CANDIDATES = {
    "digit": [f"{d}" for d in range(10)],
    "colon": ["dos_puntos"],
    "tip_apagado": ["tip-apagado-off", "tip-apagado-on", "tip-stop-on", "tip-stop-off"],
    "tip_ok": ["tip-ok-off", "tip-ok-on"],
    "message": [],
}


class Picture:
    def __init__(self, width, height, rows):
        self.width, self.height, self.rows = width, height, rows  # rows of RGB bytes

    def crop(self, left, top, width, height):
        if left + width > self.width or top + height > self.height:
            return None
        return b"".join(row[3 * left:3 * (left + width)] for row in self.rows[top:top + height])


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum; "#" starts a comment
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    return Picture(width, height, [pixels[3 * width * y:3 * width * (y + 1)] for y in range(height)])


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        sys.exit(f"{path}: not an uncompressed 24-bit BMP")
    stride = (3 * width + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + stride * y
        bgr = data[start:start + 3 * width]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(bytes(rgb))
    if height > 0:  # stored bottom-up
        rows.reverse()
    return Picture(width, abs(height), rows)


def main():
    shot = read_ppm(sys.argv[1])
    resources = sys.argv[2]
    base = read_bmp(os.path.join(resources, "skin-base.bmp"))
    pictures = {}
    for names in CANDIDATES.values():
        for name in names:
            picture = read_bmp(os.path.join(resources, name + ".bmp"))
            pictures[name] = picture.crop(0, 0, picture.width, picture.height)

    digits = ""
    for place, rect in PLACES.items():
        shown = shot.crop(*rect)
        kind = place.rstrip("0123456789")
        value = "other"
        if shown == base.crop(*rect):
            value = "background"
        for name in CANDIDATES[kind]:
            if shown == pictures[name]:
                value = name
        print(place, value)
        if kind == "message":
            print("message_pixels", hashlib.sha1(shown).hexdigest())
        if kind == "digit":
            digits += value if len(value) == 1 else "?"
    print("digits", digits)


if __name__ == "__main__":
    main()
