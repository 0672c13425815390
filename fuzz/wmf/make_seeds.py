#!/usr/bin/env python3
"""Writes the seed pages of the WMF fuzzer into corpus/: small placeable
metafiles that use every record the player acts on."""
import os
import struct


def placeable(right, bottom, upi=1000):
    head = struct.pack('<IHhhhhHI', 0x9AC6CDD7, 0, 0, 0, right, bottom, upi, 0)
    checksum = 0
    for (word,) in struct.iter_unpack('<H', head):
        checksum ^= word
    return head + struct.pack('<H', checksum)


def metaheader(objects):
    return struct.pack('<HHHIHIH', 1, 9, 0x0300, 0, objects, 0, 0)


def rec(function, *words):
    return struct.pack('<IH', 3 + len(words), function) + b''.join(struct.pack('<H', w & 0xFFFF) for w in words)


def text_words(data):
    if len(data) % 2:
        data += b'\0'
    return [w for (w,) in struct.iter_unpack('<H', data)]


def font(height, face, weight=400, escapement=0, charset=0):
    words = [height, 0, escapement, 0, weight, 0, charset << 8, 0, 0]
    return rec(0x02FB, *words, *text_words(face.ljust(32, b'\0')))


def page(*records, objects=8):
    return placeable(8270, 11690) + metaheader(objects) + b''.join(records) + rec(0x0000)


seeds = {
    'report_page': page(
        rec(0x020B, 0, 0), rec(0x020C, 11690, 8270), rec(0x0102, 1),
        font(-167, b'Arial', 700), rec(0x012D, 0), rec(0x0209, 0x00FF, 0),
        rec(0x0521, 5, *text_words(b'Title'), 1000, 1000),
        rec(0x02FA, 0, 10, 0, 0, 0), rec(0x012D, 1),
        rec(0x02FC, 1, 0, 0, 0), rec(0x012D, 2),
        rec(0x041B, 2000, 7000, 1500, 1000), rec(0x0214, 2500, 1000), rec(0x0213, 2500, 7000),
        rec(0x0A32, 3000, 1000, 3, 4, 1000, 2900, 3000, 3100, *text_words(b'abc'), 100, 100, 100),
        rec(0x01F0, 0), rec(0x01F0, 1), rec(0x01F0, 2)),
    'shapes': page(
        rec(0x001E), rec(0x02FC, 2, 0xFF00, 0, 3), rec(0x012D, 0), rec(0x0102, 2),
        rec(0x0418, 900, 900, 100, 100), rec(0x061C, 50, 50, 1900, 1900, 1100, 1100),
        rec(0x0817, 0, 500, 500, 0, 1000, 1000, 0, 0), rec(0x081A, 0, 500, 500, 0, 1000, 1000, 0, 0),
        rec(0x0830, 0, 500, 500, 0, 1000, 1000, 0, 0),
        rec(0x0325, 3, 0, 0, 100, 100, 200, 0), rec(0x0324, 3, 0, 0, 100, 100, 200, 0),
        rec(0x0106, 2), rec(0x0538, 2, 3, 3, 0, 0, 9, 0, 9, 9, 1, 1, 5, 1, 5, 5),
        rec(0x041F, 0x00FF, 0, 5, 5), rec(0x061D, 0x0021, 0x00F0, 100, 100, 0, 0),
        rec(0x0416, 500, 500, 0, 0), rec(0x0415, 200, 200, 100, 100), rec(0x0127, 0xFFFF)),
    'rotated_text': page(
        font(-300, b'Times New Roman', 400, 900), rec(0x012D, 0), rec(0x012E, 24 | 6 | 1),
        rec(0x0214, 5000, 4000), rec(0x0521, 4, *text_words(b'\x80\xe9ab'), 0, 0),
        rec(0x0201, 0xFFFF, 0x00FF), rec(0x0521, 2, *text_words(b'xy'), 100, 100)),
    'objects': page(
        rec(0x00F7, 0x0300, 0), rec(0x06FF, 0, 0, 0), rec(0x02FC, 0, 0, 0), rec(0x0234, 0),
        rec(0x012C, 1), rec(0x0228, 1, 2), rec(0x0626, 15, 4, 0, 0), objects=4),
}

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
os.makedirs(here, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(here, name + '.wmf'), 'wb') as f:
        f.write(data)
