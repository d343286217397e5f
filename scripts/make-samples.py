#!/usr/bin/env python3
"""Writes the sample media files of samples/: code page 874 bytes, CR LF line ends."""
import pathlib

SAMPLES = pathlib.Path(__file__).resolve().parent.parent / "samples"
WEIGHTS = (4, 3, 2, 7, 6, 5, 4, 3, 2)
DATE = "150124"
THAI_NAME = "บริษัท ตัวอย่าง จำกัด".encode("cp874")


def account(nine_digits):
    """The nine digits followed by their check digit."""
    total = sum(w * int(d) for w, d in zip(WEIGHTS, nine_digits))
    return nine_digits + str((10 - total % 10) % 10)


def field(text, width):
    data = text if isinstance(text, bytes) else text.encode("ascii")
    assert len(data) <= width, (text, width)
    return data.ljust(width)


class Format:
    def __init__(self, name, filler, total_amount_width, amount_width):
        self.name = name
        self.filler = filler
        self.total_amount_width = total_amount_width
        self.amount_width = amount_width

    def control(self, company, name, total_record, total_amount, *, term="M", apply_code="C",
                status="A", date=DATE, filler=""):
        amount = total_amount if isinstance(total_amount, str) else str(total_amount)
        line = (field(filler, self.filler) + field(term, 1) + field(company, 6) + field(name, 30)
                + field(apply_code, 1) + field(status, 1) + field(date, 6)
                + field(str(total_record).zfill(5), 5)
                + field(amount.zfill(self.total_amount_width), self.total_amount_width)
                + field("1", 1) + field("", 8))
        assert len(line) == 78
        return line

    def detail(self, account_no, cents, *, sign="1", date=DATE, amount=None):
        amount_text = amount if amount is not None else str(cents).zfill(self.amount_width)
        line = (field(account_no, 10) + field(date, 6) + field(sign, 1)
                + field(amount_text, self.amount_width) + field("", 78 - 17 - self.amount_width))
        assert len(line) == 78
        return line


F100M = Format("100M", 8, 11, 11)
F10M = Format("10M", 9, 10, 9)

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
    (SAMPLES / name).write_bytes(b"\r\n".join(lines) + trailing)


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
