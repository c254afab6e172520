"""Writes Windows bitmap files: 24-bit colour, 4-bit with the standard 16-colour palette, and
1-bit monochrome. Output depends only on the pixels, so every run writes the same bytes."""

import struct

FILE_HEADER_SIZE = 14
INFO_HEADER_SIZE = 40
PIXELS_PER_METRE = 2835  # 72 dots per inch

# The 16 colours of the standard VGA palette, in palette order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _headers(width, height, bits, palette):
    stride = _row_stride(width, bits)
    image_size = stride * height
    offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE + 4 * len(palette)
    file_header = struct.pack('<2sIHHI', b'BM', offset + image_size, 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', INFO_HEADER_SIZE, width, height, 1, bits, 0,
                       image_size, PIXELS_PER_METRE, PIXELS_PER_METRE, len(palette), 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    return file_header + info + table


def _pack_indices(indices, bits, stride):
    """One row of palette indices packed most significant bits first and padded."""
    per_byte = 8 // bits
    out = bytearray()
    for i in range(0, len(indices), per_byte):
        byte = 0
        for j in range(per_byte):
            value = indices[i + j] if i + j < len(indices) else 0
            byte |= value << (8 - bits * (j + 1))
        out.append(byte)
    out.extend(b'\0' * (stride - len(out)))
    return bytes(out)


def encode_24(canvas):
    """A bottom-up 24-bit bitmap file of the canvas."""
    stride = _row_stride(canvas.width, 24)
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = canvas.get(x, y)
            row += bytes((b, g, r))
        row.extend(b'\0' * (stride - len(row)))
        rows.append(bytes(row))
    return _headers(canvas.width, canvas.height, 24, []) + b''.join(rows)


def encode_indexed(canvas, palette, bits):
    """A bottom-up palette bitmap; every pixel of the canvas must be a palette colour."""
    lookup = {colour: i for i, colour in enumerate(palette)}
    stride = _row_stride(canvas.width, bits)
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        try:
            indices = [lookup[canvas.get(x, y)] for x in range(canvas.width)]
        except KeyError as missing:
            raise ValueError('colour %s is not in the palette' % (missing,)) from None
        rows.append(_pack_indices(indices, bits, stride))
    return _headers(canvas.width, canvas.height, bits, palette) + b''.join(rows)


def encode_4bit(canvas):
    return encode_indexed(canvas, VGA16, 4)


def encode_mono(canvas):
    return encode_indexed(canvas, [(0, 0, 0), (255, 255, 255)], 1)
