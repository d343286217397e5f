"""Media file records, built field by field in either format: code page 874
bytes, 78 bytes a line, without the line end."""

WEIGHTS = (4, 3, 2, 7, 6, 5, 4, 3, 2)
DATE = "150124"
LINE = 78


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
        assert len(line) == LINE
        return line

    def detail(self, account_no, cents, *, sign="1", date=DATE, amount=None):
        amount_text = amount if amount is not None else str(cents).zfill(self.amount_width)
        line = (field(account_no, 10) + field(date, 6) + field(sign, 1)
                + field(amount_text, self.amount_width) + field("", LINE - 17 - self.amount_width))
        assert len(line) == LINE
        return line


F100M = Format("100M", 8, 11, 11)
F10M = Format("10M", 9, 10, 9)


def media(lines, trailing=b"\r\n"):
    """The bytes of a media file of these lines, CR LF after each."""
    return b"\r\n".join(lines) + trailing
