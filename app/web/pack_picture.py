"""Packs a stored 24-bit picture (DIB) as lossless WebP for the site: the browser unpacks it
itself, and it comes to about half of the same picture in gzip.

    pack_picture.py CWEBP PICTURE.dib TARGET.webp

cwebp runs on one thread, so the same picture gives the same bytes.
"""
import os
import struct
import subprocess
import sys
import tempfile


def pixmap(dib):
    """The picture as a binary PPM: rows from the top, red, green, blue."""
    header_size, width, height, _, bits = struct.unpack_from("<IiiHH", dib)
    if bits != 24 or width <= 0 or height == 0:
        raise SystemExit(f"not a 24-bit picture: {bits} bits, {width} x {height}")
    stride = (width * 3 + 3) & ~3
    rows = range(abs(height)) if height < 0 else range(height - 1, -1, -1)
    ppm = bytearray(f"P6\n{width} {abs(height)}\n255\n".encode())
    for row in rows:
        start = header_size + row * stride
        bgr = dib[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        ppm += rgb
    return bytes(ppm)


def main():
    cwebp, source, target = sys.argv[1:4]
    with open(source, "rb") as picture:
        ppm = pixmap(picture.read())
    # Beside the build, never among the site's files.
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as out:
        out.write(ppm)
        between = out.name
    try:
        subprocess.run([cwebp, "-quiet", "-lossless", "-z", "6", "-exact", "-metadata", "none",
                        between, "-o", target], check=True)
    finally:
        os.remove(between)


if __name__ == "__main__":
    main()
