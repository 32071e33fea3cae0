#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes JPEG seeds that reach the scan and marker paths into a directory:
from a progressive file, one with its last scan repeated many times, one
whose frame claims a huge picture, and cuts inside and between scans.

    make_jpeg_seeds.py PROGRESSIVE.jpg OUTDIR
"""
import os
import sys

source, out = sys.argv[1], sys.argv[2]
data = open(source, "rb").read()
scans = [i for i in range(len(data) - 1) if data[i] == 0xFF and data[i + 1] == 0xDA]
eoi = data.rfind(b"\xff\xd9")
last = data[scans[-1]:eoi]


def write(name, content):
    with open(os.path.join(out, name), "wb") as f:
        f.write(content)


write("many-scans.jpg", data[:eoi] + last * 60 + b"\xff\xd9")
sof = data.find(b"\xff\xc2")
huge = bytearray(data)
huge[sof + 5:sof + 9] = (16000).to_bytes(2, "big") * 2
write("huge-frame.jpg", bytes(huge))
write("huge-header.jpg", bytes(huge[:scans[0] + 14]))
write("cut-in-scan.jpg", data[:(scans[0] + scans[1]) // 2])
write("cut-between-scans.jpg", data[:scans[2]])
