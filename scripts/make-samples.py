#!/usr/bin/env python3
"""Writes the sample media files of samples/: code page 874 bytes, CR LF line ends."""
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "tools"))
from qrvtest.records import F100M, F10M, account, media  # noqa: E402

SAMPLES = ROOT / "samples"
THAI_NAME = "บริษัท ตัวอย่าง จำกัด".encode("cp874")
GOOD_ACCOUNTS = ["1234567896", "4102345677", account("315200001"), account("234500012"),
                 account("468700034"), account("999600045")]
GOOD_CENTS = [150000, 1234567, 99, 2500050, 100, 700000]


def clean(fmt, company, name=b"SAMPLE COMPANY LIMITED"):
    details = [fmt.detail(a, c) for a, c in zip(GOOD_ACCOUNTS, GOOD_CENTS)]
    return [fmt.control(company, name, len(details), sum(GOOD_CENTS))] + details


def one_of_every_reason(fmt):
    """Rejected records, one per reason, each followed by an accepted one."""
    bad = [
        fmt.detail("12345 7896", 1000),                       # ACCOUNT is not numeric
        fmt.detail(" 123456789", 1000),                       # Invalid Account
        fmt.detail("0000000000", 1000),                       # Invalid Account
        fmt.detail("1234567890", 1000),                       # Check digit error
        fmt.detail("4651234569", 1000),                       # ACCOUNT not SAV or CUR
        fmt.detail("1234567896", 0, amount="12A".zfill(fmt.amount_width)),  # AMOUNT is not Numeric
        fmt.detail("4102345677", 1000, sign="0"),             # Invalid sign amount
        fmt.detail("1234567896", 1000, date="160124"),        # EFF.DATE NOT EQ CLT R.
    ]
    lines = []
    for rejected, good, cents in zip(bad, GOOD_ACCOUNTS * 2, GOOD_CENTS * 2):
        lines += [rejected, fmt.detail(good, cents)]
    accepted_cents = sum((GOOD_CENTS * 2)[:len(bad)])
    return lines, accepted_cents


def write(name, lines, trailing=b"\r\n"):
    (SAMPLES / name).write_bytes(media(lines, trailing))


def main():
    write("100m-clean.txt", clean(F100M, "012345"))
    write("10m-clean.txt", clean(F10M, "054321"))

    details, cents = one_of_every_reason(F100M)
    write("100m-rejected.txt",
          [F100M.control("023456", b"SAMPLE REJECTS LIMITED", len(details), cents)] + details)

    # The trailing empty line is a detail record too, which the control record does not count.
    details, cents = one_of_every_reason(F10M)
    write("10m-rejected.txt",
          [F10M.control("065432", b"SAMPLE REJECTS LIMITED", len(details), cents)] + details,
          trailing=b"\r\n\r\n")

    bad_control = F100M.control("12A456", b"SAMPLE BAD CONTROL", 2, "000001500XX", term="X",
                                apply_code="A", status="N", date="310406")
    write("100m-bad-control.txt", [bad_control] + clean(F100M, "034567")[1:3])

    write("wrong-format.txt", clean(F100M, "045678"))
    write("100m-thai-name.txt", clean(F100M, "056789", THAI_NAME))
    write("10m-thai-name.txt", clean(F10M, "067890", THAI_NAME))


if __name__ == "__main__":
    main()
