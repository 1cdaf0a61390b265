#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/.

Seeds come from the bundled sample job (samples/HWY12-3.*) and from a few
hand-made edge cases. Run from anywhere; it replaces the corpus folders.
"""
import re
import shutil
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
SAMPLE = HERE.parent / "samples" / "HWY12-3"
FIELD_FORMAT = HERE.parent / "common" / "field_format.h"


def read_field_format():
    """The sizes and offsets (k... constants) and the record kinds of the field files."""
    text = FIELD_FORMAT.read_text()
    constants = {name: int(value) for name, value in
                 re.findall(r"inline constexpr \S+ (k\w+) = (\d+);", text)}
    enum = re.search(r"enum class RecordKind[^{]*\{(.*?)\};", text, re.S).group(1)
    kinds = {name: int(value) for name, value in re.findall(r"(\w+) = (\d+),", enum)}
    return constants, kinds


F, KIND = read_field_format()
RECORD = F["kObservationRecordSize"]
BLOCK = F["kBlockSize"]
HEADER = F["kRecordHeaderSize"]
CTX_PROLOGUE = F["kDescriptionPrologueSize"]
RTX_PROLOGUE = F["kNotesPrologueSize"]
SECOND_FEATURE = F["kSecondFeatureOffset"]


def observation(kind, point=0, height=0, horizontal=0, zenith=0, distance=0):
    record = struct.pack("<BBHHIII", kind, 0, point, height, horizontal, zenith, distance)
    assert len(record) == RECORD and F["kDistanceOffset"] == RECORD - 4
    return record


def description(blocks, point, text):
    body = text.encode("latin-1")
    size = BLOCK * max(blocks, 1) - HEADER
    filler = bytes(F["kDescriptionPointOffset"] - 1)
    return bytes([blocks]) + filler + struct.pack("<H", point) + body[:size].ljust(size, b"\0")


def note(count, text):
    size = BLOCK * max(count, 1) - HEADER
    return bytes([count]) + bytes(HEADER - 1) + text.encode("latin-1")[:size].ljust(size, b"\0")


def crlf(*lines):
    return b"".join(line.encode("latin-1") + b"\r\n" for line in lines)


def job(ctx, rtx, hvd):
    return struct.pack("<HH", len(ctx), len(rtx)) + ctx + rtx + hvd


def pf_from_ctx(ctx):
    """The point-feature file the first conversion would write for a CTX file."""
    lines = []
    at = CTX_PROLOGUE
    while at < len(ctx):
        blocks = ctx[at + F["kCountOffset"]]
        point_at = at + F["kDescriptionPointOffset"]
        point = ctx[point_at] + 256 * ctx[point_at + 1]
        text = ctx[at + HEADER : at + BLOCK * blocks].replace(b"\0", b"").decode("latin-1")
        text = text.strip(" ")
        parts = [(point, text)]
        if "~" in text:
            first, second = text.split("~", 1)
            parts = [(point, first), (point + SECOND_FEATURE, second)]
        for number, desc in parts:
            if "," in desc:
                d, c = desc.split(",", 1)
                lines.append(f" {number} ,{d},{c}")
            else:
                lines.append(f" {number} ,{desc}, ")
        at += BLOCK * max(blocks, 1)
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
        "zeros": bytes(RECORD),
        "all_ff": b"\xff" * RECORD,
        "short": b"\x05" * (RECORD - 1),
        "worked_example": observation(KIND["Backsight"], 11, 150, 4530150, 8959500, 1234567),
        "carry_boundaries": observation(KIND["Traverse"], 1001, 999, 1259000, 1260000, 99999)
        + observation(KIND["Sideshot"], 65535, 1000, 35959599, 18000001, 100000000)
        + observation(KIND["Sideshot"], 1, 0, 27000000, 18000000, 99999999),
        "unaligned": b"\x01" + observation(KIND["Setup"], 2, 510) + b"\x07",
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
        "header_only": bytes(RTX_PROLOGUE),
        "one_byte_note": bytes(RTX_PROLOGUE) + b"\x01",
        "counts_1_3_2": bytes(RTX_PROLOGUE) + note(1, "FOUND IRON PIN") + note(3, "A" * 85)
        + note(2, "BENT"),
        "count_zero": bytes(RTX_PROLOGUE) + note(0, "") + note(1, "NEXT"),
        "count_255_cut_short": bytes(RTX_PROLOGUE) + note(255, "LONG")[:100],
        "space_padding": bytes(RTX_PROLOGUE) + bytes([1, 0, 0, 0, 0]) + b"PADDED" + b" " * 19,
    })

    write("point_names", {
        "sample_ctx": ctx,
        "header_only": bytes(CTX_PROLOGUE),
        "counts_1_3_0": bytes(CTX_PROLOGUE) + description(1, 1001, "EP") + description(3, 1002, "B" * 85)
        + description(0, 1003, ""),
        "second_features": bytes(CTX_PROLOGUE) + description(1, 1001, "EP~FL")
        + description(1, 1002, " EP ~ FL ") + description(1, 1003, "A~B~C")
        + description(1, 1004, "~FL"),
        "high_point_number": bytes(CTX_PROLOGUE) + bytes([1, 0, 0, 0xff, 0x80]) + b"EP".ljust(25, b"\0"),
        "cut_short": bytes(CTX_PROLOGUE) + description(2, 1001, "+EP,EDGE OF ASPHALT PAVEMENT")[:40],
        "zero_bytes_in_text": bytes(CTX_PROLOGUE) + bytes([1, 0, 0, 0xe9, 0x03]) + b"E\0P  ".ljust(25, b"\0"),
    })

    taped_first = bytes(CTX_PROLOGUE) + description(1, 1001, "TAPE EP") + description(1, 1002, "EP")
    write("conversion", {
        "sample_job": job(ctx, rtx, hvd),
        "empty_job": job(b"", b"", b""),
        "ignored_kinds_only": job(ctx, rtx, observation(KIND["Ignored7"])
                                  + observation(KIND["Ignored8"]) * 3),
        # 0, 14 and 255 are unknown kinds.
        "unknown_and_deleted": job(b"", b"", observation(0) + observation(14)
                                   + observation(KIND["Deleted"]) + observation(255)),
        "taped_entry_first": job(taped_first, b"",
                                 observation(KIND["Setup"], 1002, 510)
                                 + observation(KIND["Sideshot"], 1001, 0, 27000000, 9000000,
                                               125000)),
        "markers_past_notes": job(b"", bytes(RTX_PROLOGUE) + note(2, "ONLY NOTE"),
                                  observation(KIND["NoteMarker"]) * 9),
        "partial_record": job(ctx, rtx, hvd[:RECORD * 20 + 7]),
    })


if __name__ == "__main__":
    main()
