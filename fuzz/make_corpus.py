#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/.

Seeds come from the bundled sample job (samples/HWY12-3.*) and from a few
hand-made edge cases. Run from anywhere; it replaces the corpus folders.
"""
import shutil
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
SAMPLE = HERE.parent / "samples" / "HWY12-3"


def observation(kind, point=0, height=0, horizontal=0, zenith=0, distance=0):
    return struct.pack("<BBHHIII", kind, 0, point, height, horizontal, zenith, distance)


def description(blocks, point, text):
    body = text.encode("latin-1")
    size = 30 * max(blocks, 1) - 5 if blocks else 25
    return bytes([blocks, 0, 0]) + struct.pack("<H", point) + body[:size].ljust(size, b"\0")


def note(count, text):
    size = 25 + 30 * (max(count, 1) - 1)
    return bytes([count, 0, 0, 0, 0]) + text.encode("latin-1")[:size].ljust(size, b"\0")


def crlf(*lines):
    return b"".join(line.encode("latin-1") + b"\r\n" for line in lines)


def job(ctx, rtx, hvd):
    return struct.pack("<HH", len(ctx), len(rtx)) + ctx + rtx + hvd


def pf_from_ctx(ctx):
    """The point-feature file the first conversion would write for a CTX file."""
    lines = []
    at = 180
    while at < len(ctx):
        blocks = ctx[at]
        point = ctx[at + 3] + 256 * ctx[at + 4]
        text = ctx[at + 5 : at + 30 * blocks].replace(b"\0", b"").decode("latin-1").strip(" ")
        parts = [(point, text)]
        if "~" in text:
            first, second = text.split("~", 1)
            parts = [(point, first), (point + 100000, second)]
        for number, desc in parts:
            if "," in desc:
                d, c = desc.split(",", 1)
                lines.append(f" {number} ,{d},{c}")
            else:
                lines.append(f" {number} ,{desc}, ")
        at += 30 * max(blocks, 1)
    return crlf(*lines)


def write(target, seeds):
    folder = HERE / "corpus" / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


def main():
    hvd = Path(str(SAMPLE) + ".HVD").read_bytes()
    ctx = Path(str(SAMPLE) + ".CTX").read_bytes()
    rtx = Path(str(SAMPLE) + ".RTX").read_bytes()

    write("decode_record", {
        "sample_hvd": hvd,
        "zeros": bytes(18),
        "all_ff": b"\xff" * 18,
        "short": b"\x05" * 17,
        "worked_example": observation(3, 11, 150, 4530150, 8959500, 1234567),
        "carry_boundaries": observation(4, 1001, 999, 1259000, 1260000, 99999)
        + observation(5, 65535, 1000, 35959599, 18000001, 100000000)
        + observation(5, 1, 0, 27000000, 18000000, 99999999),
        "unaligned": b"\x01" + observation(1, 2, 510) + b"\x07",
    })

    write("point_table", {
        "sample_pf": pf_from_ctx(ctx),
        "empty": b"",
        "comment_with_commas": crlf(" 1001 ,EP,EDGE, LEFT SIDE", " 1002 ,+CL*, "),
        "quoted_fields": crlf('"1003","EP,OLD","X"', ' 1004 ,"CL', "A17,*,"),
        "blank_row_and_text_names": crlf(" , , ", "A17,EP, ", " 101001 ,FL, "),
        "no_final_line_break": b" 1001 ,EP, \r\n 1002 ,CL",
        "cut_after_name": b" 1001 ",
        "tabs_and_bare_cr": b"\t1001\t,\tEP*\t,x\r 1002,CL,\n1003,,\r\n",
        "long_digits": crlf("1234567890123456789,EP, ", "00001001,EP, "),
    })

    write("notes", {
        "sample_rtx": rtx,
        "header_only": bytes(90),
        "one_byte_note": bytes(90) + b"\x01",
        "counts_1_3_2": bytes(90) + note(1, "FOUND IRON PIN") + note(3, "A" * 85)
        + note(2, "BENT"),
        "count_zero": bytes(90) + note(0, "") + note(1, "NEXT"),
        "count_255_cut_short": bytes(90) + note(255, "LONG")[:100],
        "space_padding": bytes(90) + bytes([1, 0, 0, 0, 0]) + b"PADDED" + b" " * 19,
    })

    write("point_names", {
        "sample_ctx": ctx,
        "header_only": bytes(180),
        "counts_1_3_0": bytes(180) + description(1, 1001, "EP") + description(3, 1002, "B" * 85)
        + description(0, 1003, ""),
        "second_features": bytes(180) + description(1, 1001, "EP~FL")
        + description(1, 1002, " EP ~ FL ") + description(1, 1003, "A~B~C")
        + description(1, 1004, "~FL"),
        "high_point_number": bytes(180) + bytes([1, 0, 0, 0xff, 0x80]) + b"EP".ljust(25, b"\0"),
        "cut_short": bytes(180) + description(2, 1001, "+EP,EDGE OF ASPHALT PAVEMENT")[:40],
        "zero_bytes_in_text": bytes(180) + bytes([1, 0, 0, 0xe9, 0x03]) + b"E\0P  ".ljust(25, b"\0"),
    })

    taped_first = bytes(180) + description(1, 1001, "TAPE EP") + description(1, 1002, "EP")
    write("conversion", {
        "sample_job": job(ctx, rtx, hvd),
        "empty_job": job(b"", b"", b""),
        "ignored_kinds_only": job(ctx, rtx, observation(7) + observation(8) * 3),
        "unknown_and_deleted": job(b"", b"", observation(0) + observation(14) + observation(252)
                                   + observation(255)),
        "taped_entry_first": job(taped_first, b"",
                                 observation(1, 1002, 510) + observation(5, 1001, 0, 27000000,
                                                                         9000000, 125000)),
        "markers_past_notes": job(b"", bytes(90) + note(2, "ONLY NOTE"), observation(6) * 9),
        "partial_record": job(ctx, rtx, hvd[:18 * 20 + 7]),
    })


if __name__ == "__main__":
    main()
